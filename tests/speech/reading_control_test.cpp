// Reading control with the fake engine: SpeakBuffer, arbitration, the commands and the events.
#include "base/speech_log.h"
#include "speech/reading_control.h"

#include "fakes/fake_speech_engine.h"
#include "speech/fake_reading_host.h"
#include "speech/speech_text_cleanup.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace narrix {
namespace {

using testing::FakeReadingHost;
using testing::FakeSpeechEngine;

// An engine whose operations fail, as a broken backend would.
class FailingEngine : public FakeSpeechEngine
{
public:
    void Speak(const QString&) override { throw std::runtime_error("no voice"); }
    void Resume() override { throw std::runtime_error("resume failed"); }
};

class ReadingControlTest : public ::testing::Test
{
protected:
    ReadingState state;
    FakeSpeechEngine engine;
    FakeReadingHost host;
    ReadingControl control{state, engine, host};

    void speak(const std::string& text, SpeechSource source)
    {
        state.speechBuffer = text;
        control.SpeakBuffer(source);
    }
};

TEST_F(ReadingControlTest, SpeakBufferCleansQueuesAndEmpties)
{
    speak("  caf\xC3\xA9 U.S. ====== Wait....", SpeechSource::Clipboard);
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken[0], QStringLiteral("cafe US        Wait  . "));
    EXPECT_EQ(state.currentSource, SpeechSource::Clipboard);
    EXPECT_TRUE(state.speechBuffer.empty());
}

TEST_F(ReadingControlTest, NothingLeftAfterCleaningShowsReadyAndKeepsTheSource)
{
    state.currentSource = SpeechSource::RealTime;
    speak("...,;", SpeechSource::Document);
    speak(" \t\r\n", SpeechSource::Document);
    EXPECT_TRUE(engine.spoken.isEmpty());
    EXPECT_EQ(host.status, QStringLiteral(" Ready"));
    EXPECT_EQ(state.currentSource, SpeechSource::RealTime);
    EXPECT_TRUE(state.speechBuffer.empty());
}

TEST_F(ReadingControlTest, VoicesOfOtherLanguagesGetNonAsciiUnchanged)
{
    engine.modes[0].language = 7; // German
    speak("caf\xC3\xA9 \xE2\x80\x99", SpeechSource::Document);
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken[0], QString::fromUtf8("caf\xC3\xA9 \xE2\x80\x99"));
}

// The clean-up follows the selected voice's language, whatever the system's locale.
TEST_F(ReadingControlTest, NonAsciiCharactersAreFoldedOnlyForEnglishVoices)
{
    const struct
    {
        const char* voice;
        int language;
        bool readsSymbols;
        const char* text;
        const char* spoken;
    } rows[] = {
        {"English, espeak-ng", 9, true, "Caf\xC3\xA9 M\xC3\xBCller", "Cafe Muller"},
        {"English, espeak-ng", 9, true,
         "\xE2\x82\xAC"
         "9.99",
         "\xE2\x82\xAC"
         "9.99"},
        {"English, espeak-ng", 9, true,
         "30\xC2\xB0 Stra\xC3\x9F"
         "e, \xC3\x86on",
         "30\xC2\xB0 Strasse, AEon"},
        {"English, espeak-ng", 9, true, "Mu\xCC\x88ller \xD0\xB4\xD0\xB0 it\xE2\x80\x99s", "Muller    it's"},
        {"English (US), flite", 0x409, false,
         "\xE2\x82\xAC"
         "9.99 at 30\xC2\xB0",
         "9.99 at 30 "},
        {"English (US), flite", 0x409, false, "Caf\xC3\xA9 M\xC3\xBCller", "Cafe Muller"},
        {"German", 7, true, "Caf\xC3\xA9 M\xC3\xBCller", "Caf\xC3\xA9 M\xC3\xBCller"},
        {"German", 7, true,
         "\xE2\x82\xAC"
         "9.99",
         "\xE2\x82\xAC"
         "9.99"},
        {"Russian", 25, true,
         "\xD0\x94\xD0\xB0, \xE2\x82\xAC"
         "9.99",
         "\xD0\x94\xD0\xB0, \xE2\x82\xAC"
         "9.99"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.voice) + ": " + row.text);
        engine.modes = {{QString::fromUtf8(row.voice), QStringLiteral("Speaker")},
                        {QStringLiteral("Other"), QStringLiteral("Speaker")}};
        engine.modes[1].language = row.language;
        engine.modes[1].readsSymbols = row.readsSymbols;
        engine.Select(2);
        engine.spoken.clear();
        speak(row.text, SpeechSource::Document);
        ASSERT_EQ(engine.spoken.size(), 1);
        EXPECT_EQ(engine.spoken[0].toStdString(), row.spoken);
        control.onSpeakingDone();
    }
}

TEST_F(ReadingControlTest, ArbitrationByCurrentSource)
{
    const struct
    {
        int current;
        int source;
        bool may;
    } cases[] = {
        {0, 1, true},  {1, 1, true}, {2, 1, false}, {2, 2, true}, {3, 2, false}, {3, 3, true},
        {4, 3, false}, {4, 4, true}, {5, 4, false}, {5, 5, true}, {0, 5, true},  {1, 4, true},
    };
    for (const auto& c : cases) {
        state.currentSource = static_cast<SpeechSource>(c.current);
        EXPECT_EQ(control.maySpeak(static_cast<SpeechSource>(c.source)), c.may)
            << c.current << " " << c.source;
    }
}

TEST_F(ReadingControlTest, EngineFailureDuringSpeakGivesTheTurnBack)
{
    FailingEngine failing;
    ReadingControl failingControl(state, failing, host);
    state.currentSource = SpeechSource::None;
    state.speechBuffer = "Hello.";
    failingControl.SpeakBuffer(SpeechSource::Scheduled);
    // No speaking-done will come; the sources must not stay locked out.
    EXPECT_EQ(state.currentSource, SpeechSource::None);
    EXPECT_TRUE(state.speechBuffer.empty());
    state.speaking = true;
    failingControl.play(); // resume fails: the command ends quietly
}

TEST_F(ReadingControlTest, PlayResumesWhileSpeaking)
{
    state.speaking = true;
    state.exitWhenDone = true;
    host.document = "Some text.";
    control.play();
    EXPECT_EQ(engine.calls, QStringList{QStringLiteral("Resume")});
    EXPECT_TRUE(engine.spoken.isEmpty());
    EXPECT_FALSE(state.exitWhenDone);
}

TEST_F(ReadingControlTest, PlaySpeaksTheSelectionOrTheWholeDocument)
{
    host.hasSelection = true;
    host.selectedText = "Selected words.";
    host.document = "Whole document. Selected words.";
    control.play();
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken[0], QStringLiteral("Selected words."));
    EXPECT_EQ(state.currentSource, SpeechSource::Document);

    state.currentSource = SpeechSource::None;
    host.hasSelection = false;
    host.document = "\n  First line. Second line.";
    control.play();
    ASSERT_EQ(engine.spoken.size(), 2);
    EXPECT_EQ(engine.spoken[1], QStringLiteral("\n  First line. Second line."));
}

TEST_F(ReadingControlTest, PlayDoesNothingWhileScheduledSpeechIsQueued)
{
    state.currentSource = SpeechSource::Scheduled;
    host.document = "";
    control.play();
    host.hasSelection = true;
    host.selectedText = "x";
    control.play();
    host.hasSelection = false;
    host.document = "Text.";
    control.play();
    EXPECT_TRUE(engine.spoken.isEmpty());
    EXPECT_EQ(host.quickStarts, 0);
}

TEST_F(ReadingControlTest, EmptyDocumentOpensTheQuickStartGuideAsAModalDialog)
{
    host.document = "  \r\n ";
    host.choice = QuickStartChoice::Time;
    control.play();
    EXPECT_EQ(host.quickStarts, 1);
    EXPECT_EQ(host.toolCalls, QStringList{QStringLiteral("time")});

    for (auto [choice, call] : {std::pair{QuickStartChoice::Date, "date"},
                                {QuickStartChoice::Clipboard, "clipboard"},
                                {QuickStartChoice::Help, "help"}}) {
        host.toolCalls.clear();
        host.choice = choice;
        control.play();
        EXPECT_EQ(host.toolCalls, QStringList{QString::fromLatin1(call)});
    }
    host.toolCalls.clear();
    host.choice = QuickStartChoice::Cancel;
    control.play();
    EXPECT_TRUE(host.toolCalls.isEmpty());
    EXPECT_TRUE(engine.spoken.isEmpty());
}

TEST_F(ReadingControlTest, QuickStartOpenThenPlaysTheOpenedDocument)
{
    host.document = "";
    host.choice = QuickStartChoice::OpenDocument;
    host.onOpenDocument = [this] {
        host.document = "Opened text.";
        return true;
    };
    control.play();
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken[0], QStringLiteral("Opened text."));

    // Cancelled open, or an empty file: nothing more.
    host.document = "";
    state.currentSource = SpeechSource::None;
    host.onOpenDocument = [] { return false; };
    control.play();
    EXPECT_EQ(engine.spoken.size(), 1);
}

TEST_F(ReadingControlTest, QuickStartRandomChannelPicksAnExistingRow)
{
    host.document = "";
    host.choice = QuickStartChoice::RandomChannel;
    control.play();
    EXPECT_TRUE(host.rowsRun.empty());
    host.rows = 3;
    for (int i = 0; i < 60; ++i)
        control.play();
    ASSERT_EQ(host.rowsRun.size(), 60u);
    std::set<int> seen(host.rowsRun.begin(), host.rowsRun.end());
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 2);
}

TEST_F(ReadingControlTest, CommandsClearExitWhenDoneAndReachTheEngine)
{
    const std::pair<void (ReadingControl::*)(), const char*> commands[] = {
        {&ReadingControl::pause, "Pause"},
        {&ReadingControl::stop, "Stop"},
        {&ReadingControl::rewind, "Rewind"},
        {&ReadingControl::forward, "FastForward"},
    };
    for (const auto& [command, call] : commands) {
        state.exitWhenDone = true;
        engine.calls.clear();
        (control.*command)();
        EXPECT_FALSE(state.exitWhenDone);
        EXPECT_EQ(engine.calls, QStringList{QString::fromLatin1(call)});
    }
}

TEST_F(ReadingControlTest, EnabledStatesFollowBusyAndSpeaking)
{
    engine.busy = 0;
    state.speaking = false;
    auto states = control.commandStates();
    EXPECT_TRUE(states.play);
    EXPECT_FALSE(states.pause || states.rewind || states.forward || states.stop);
    engine.busy = 1;
    state.speaking = true;
    states = control.commandStates();
    EXPECT_FALSE(states.play);
    EXPECT_TRUE(states.pause && states.rewind && states.forward && states.stop);
    // Paused: busy is 0 but the speaking flag stays.
    engine.busy = 0;
    states = control.commandStates();
    EXPECT_TRUE(states.play && states.stop);
    EXPECT_FALSE(states.pause);
}

TEST_F(ReadingControlTest, StatusTextsOfTheEvents)
{
    state.currentSource = SpeechSource::Clipboard;
    Q_EMIT engine.OnSpeak(QString(), QString(), 0);
    EXPECT_EQ(host.status, QStringLiteral(" Reading... [Clipboard Speech]"));
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(host.status, QStringLiteral(" Reading... [Clipboard Speech]"));
    EXPECT_TRUE(state.speaking);
    EXPECT_TRUE(host.animating);
    // A further text while speaking.
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(host.status, QStringLiteral(" Reading... [Multiple Speeches]"));
    EXPECT_TRUE(host.lastRepaintNow);
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(host.status, QStringLiteral(" Ready"));
    EXPECT_FALSE(state.speaking);
    EXPECT_EQ(state.currentSource, SpeechSource::None);
    EXPECT_FALSE(host.animating);
    EXPECT_EQ(host.stillPictures, 1);

    // Real-time speech never shows "Multiple Speeches"; scheduled speech shows its title.
    state.currentSource = SpeechSource::RealTime;
    Q_EMIT engine.OnSpeakingStarted();
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(host.status, QStringLiteral(" Reading... [Real-Time Speech]"));
    Q_EMIT engine.OnSpeakingDone();
    state.currentSource = SpeechSource::Scheduled;
    state.currentTitle = "Greetings";
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(host.status, QStringLiteral(" Reading... [Greetings]"));
    for (SpeechSource source : {SpeechSource::None, SpeechSource::TimeDate, SpeechSource::Document}) {
        state.speaking = false;
        state.currentSource = source;
        Q_EMIT engine.OnSpeak(QString(), QString(), 0);
        EXPECT_EQ(host.status, QStringLiteral(" Reading... [") + ReadingControl::sourceLabel(source) +
                                   QStringLiteral("]"));
    }
    EXPECT_EQ(ReadingControl::sourceLabel(SpeechSource::None), QStringLiteral("Preview"));
    EXPECT_EQ(ReadingControl::sourceLabel(SpeechSource::TimeDate), QStringLiteral("Date/Time Speech"));
    EXPECT_EQ(ReadingControl::sourceLabel(SpeechSource::Document), QStringLiteral("Document Speech"));
}

TEST_F(ReadingControlTest, ExitWhenDoneClosesUnlessTheWindowWaits)
{
    // The window waits while a modal dialog is open: the flag is then cleared.
    state.exitWhenDone = true;
    host.closeWaits = true;
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(host.closes, 0);
    EXPECT_FALSE(state.exitWhenDone);

    state.exitWhenDone = true;
    host.closeWaits = false;
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(host.closes, 1);

    // Without the flag nothing closes.
    state.exitWhenDone = false;
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(host.closes, 1);
}

TEST_F(ReadingControlTest, AnimationDelayFollowsTheSpeed)
{
    EXPECT_EQ(control.animationDelay(), 500);
    state.minSpeed = 80;
    state.maxSpeed = 450;
    engine.SetSpeed(-1); // the fake raises the attribute change
    EXPECT_EQ(host.animationDelay, 200);
    engine.SetSpeed(0);
    // k = -600 / 370 = -1 (truncated): 200 + 370.
    EXPECT_EQ(host.animationDelay, 570);
    state.minSpeed = 100;
    state.maxSpeed = 400;
    engine.minSpeed = 100;
    engine.maxSpeed = 400;
    engine.SetSpeed(250);
    EXPECT_EQ(host.animationDelay, 200 + (-2) * (250 - 400));

    state.attribChangeEnabled = false;
    engine.SetSpeed(100);
    EXPECT_EQ(host.animationDelay, 500);
    state.attribChangeEnabled = true;
    state.minSpeed = state.maxSpeed = 150;
    engine.SetSpeed(150);
    EXPECT_EQ(host.animationDelay, 500);
    EXPECT_EQ(control.animationDelay(), 500);
}

// Runs the event loop until `done` or the time is up.
template <typename Pred> bool spinUntil(Pred done, int milliseconds = 5000)
{
    for (int i = 0; i < milliseconds && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return done();
}

std::string longDocument()
{
    std::string text;
    while (text.size() <= ReadingControl::kLongText + 1000)
        text +=
            "Chapter one... The U.S. office ==== closed early!. Wait.... caf\xC3\xA9 it\xE2\x80\x99s late. ";
    return text;
}

TEST_F(ReadingControlTest, ALongTextStartsAtOnceAndItsRestFollows)
{
    const std::string document = longDocument();
    for (const int language : {9, 7}) {
        engine.spoken.clear();
        engine.modes[0].language = language;
        const AsciiFolding folding = language == 9 ? AsciiFolding::LettersAndSymbols : AsciiFolding::None;
        speak(document, SpeechSource::Document);
        ASSERT_EQ(engine.spoken.size(), 1); // the first part, at once
        EXPECT_LT(engine.spoken[0].size(), 100000);
        EXPECT_EQ(state.currentSource, SpeechSource::Document);
        EXPECT_TRUE(state.speechBuffer.empty());
        ASSERT_TRUE(spinUntil([&] { return engine.spoken.size() == 2; }));
        // Together the parts are exactly the whole text cleaned (multi-byte characters included).
        EXPECT_EQ((engine.spoken[0] + engine.spoken[1]).toStdString(), CleanSpeechText(document, folding));
    }
}

TEST_F(ReadingControlTest, StopDropsTheRestOfALongText)
{
    QSignalSpy finished(&control.restCleaner(), &RestCleaner::finished);
    speak(longDocument(), SpeechSource::Document);
    control.stop();
    // Abandoned at once when it had not begun, else when its cleaning notices.
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(10000));
    EXPECT_FALSE(finished.takeFirst().at(0).toBool());
    EXPECT_EQ(engine.spoken.size(), 1);
}

TEST_F(ReadingControlTest, PlayStopPlayHandsOverOnlyTheLastRest)
{
    QSignalSpy finished(&control.restCleaner(), &RestCleaner::finished);
    const std::string first = longDocument();
    const std::string second = "Second document. " + longDocument();
    speak(first, SpeechSource::Document);
    control.stop();
    speak(first, SpeechSource::Document);
    control.stop();
    speak(second, SpeechSource::Document);
    ASSERT_TRUE(spinUntil([&] { return finished.count() == 3; }, 20000));
    // Two abandoned, one handed over; nothing more comes.
    int handedOver = 0;
    for (const QList<QVariant>& signal : finished)
        handedOver += signal.at(0).toBool() ? 1 : 0;
    EXPECT_EQ(handedOver, 1);
    ASSERT_EQ(engine.spoken.size(), 4); // three first parts and the rest of the last text
    EXPECT_EQ((engine.spoken[2] + engine.spoken[3]).toStdString(),
              CleanSpeechText(second, AsciiFolding::LettersAndSymbols));
}
} // namespace
} // namespace narrix

namespace narrix {
namespace {

// Each text is logged with the title the status bar shows for it: the item's title for scheduled
// speech, the source's name for the others, never the title of an earlier item.
TEST(ReadingHistory, EachTextIsLoggedWithTheTitleTheStatusBarShows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.jsonl"));
    setSpeechLogPath(path.toStdString());
    ReadingState state;
    FakeSpeechEngine engine;
    FakeReadingHost host;
    ReadingControl control{state, engine, host};
    state.currentTitle = "Greetings";
    const std::vector<std::pair<SpeechSource, QString>> cases = {
        {SpeechSource::Scheduled, QStringLiteral("Greetings")},
        {SpeechSource::Document, QStringLiteral("Document Speech")},
        {SpeechSource::RealTime, QStringLiteral("Real-Time Speech")},
        {SpeechSource::Clipboard, QStringLiteral("Clipboard Speech")},
        {SpeechSource::TimeDate, QStringLiteral("Date/Time Speech")}};
    for (const auto& [source, title] : cases) {
        state.speechBuffer = "Some words.";
        control.SpeakBuffer(source);
        control.onSpeakingStarted();
        EXPECT_EQ(host.status, QStringLiteral(" Reading... [") + title + QLatin1Char(']'));
        control.onSpeakingDone();
    }
    setSpeechLogPath({});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<QString> logged;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.value(QStringLiteral("event")).toString() == QStringLiteral("speak"))
            logged.push_back(object.value(QStringLiteral("title")).toString());
    }
    ASSERT_EQ(logged.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(logged[i], cases[i].second) << "source " << static_cast<int>(cases[i].first);
}

} // namespace
} // namespace narrix
