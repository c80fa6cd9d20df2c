#include "speech/reading_control.h"

#include "base/diagnostics.h"
#include "base/speech_log.h"
#include "base/text_trim.h"
#include "speech/speech_text_cleanup.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <exception>
#include <random>
#include <string>

namespace narrix {
namespace {

void reportEngineError(const char* what, const std::exception& error)
{
    reportError(lcSpeech, what, error.what());
}

} // namespace

ReadingControl::ReadingControl(ReadingState& state, SpeechEngine& engine, ReadingHost& host, QObject* parent)
    : QObject(parent), state_(state), engine_(engine), host_(host),
      restCleaner_([this](std::string whole, std::size_t firstBytes) {
          guarded("speak", [&] { engine_.ContinueText(std::move(whole), firstBytes); });
      }),
      followAlong_(engine)
{
    connect(&engine_, &SpeechEngine::OnSpeakingStarted, this, &ReadingControl::onSpeakingStarted);
    connect(&engine_, &SpeechEngine::OnSpeak, this, &ReadingControl::onSpeak);
    connect(&engine_, &SpeechEngine::OnSpeakingDone, this, &ReadingControl::onSpeakingDone);
    connect(&engine_, &SpeechEngine::OnAttribChanged, this, &ReadingControl::onAttribChanged);
}

ReadingControl::~ReadingControl() = default;

template <typename Operation> void ReadingControl::guarded(const char* what, Operation operation)
{
    try {
        operation();
    } catch (const std::exception& error) {
        reportEngineError(what, error);
    }
}

QString ReadingControl::sourceLabel(SpeechSource source)
{
    switch (source) {
    case SpeechSource::RealTime:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("ReadingControl", "Real-Time Speech"));
    case SpeechSource::Clipboard:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("ReadingControl", "Clipboard Speech"));
    case SpeechSource::TimeDate:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("ReadingControl", "Date/Time Speech"));
    case SpeechSource::Document:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("ReadingControl", "Document Speech"));
    case SpeechSource::Scheduled:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("ReadingControl", "Scheduled Speech"));
    case SpeechSource::None:
        break;
    }
    return QString::fromLatin1(QT_TRANSLATE_NOOP("ReadingControl", "Preview"));
}

bool ReadingControl::maySpeak(SpeechSource source) const
{
    return source >= SpeechSource::Scheduled || state_.currentSource <= source;
}

void ReadingControl::SpeakBuffer(SpeechSource source)
{
    std::string& buffer = state_.speechBuffer;
    const SpeechSource previousSource = state_.currentSource;
    // While a growing text is open the engine's one open text is its own.
    if (buffer.size() > kLongText && !growing_ && speakInTwoSteps(source, previousSource))
        return;
    // Follow-along maps what the engine reads back to the document, so it keeps the text as it was.
    const bool follow = source == SpeechSource::Document && followAlong_.enabled();
    const std::string original = follow ? buffer : std::string();
    CleanSpeechTextInPlace(buffer, voiceFolding());
    if (isBlank(buffer)) {
        host_.setStatusText(QCoreApplication::translate("StatusBar", " Ready"), false);
        std::string().swap(buffer);
        return;
    }
    state_.currentSource = source;
    // The history names each text as the status bar will while it is heard.
    speechLogSpeak(static_cast<int>(source), readingLabel(source).toStdString(), buffer);
    QString text = QString::fromStdString(buffer);
    // Emptied before the engine sees the text: a 50 MB document is not held twice longer than needed.
    std::string cleaned;
    cleaned.swap(buffer);
    if (!follow)
        std::string().swap(cleaned);
    try {
        engine_.Speak(text);
        if (follow)
            followAlong_.documentQueued(original, cleaned, documentBase_, engine_.LastQueuedText());
    } catch (const std::exception& error) {
        // Nothing was queued, so no speaking-done will come to give the sources back their turn.
        state_.currentSource = previousSource;
        reportEngineError("speak", error);
    }
}

AsciiFolding ReadingControl::voiceFolding() const
{
    try {
        const int mode = engine_.CurrentMode();
        if (mode < 1 || mode > engine_.ModeCount())
            return AsciiFolding::None;
        return asciiFoldingFor(engine_.LanguageID(mode), engine_.ReadsSymbols(mode));
    } catch (const std::exception& error) {
        // No voice to ask: the text goes as it is.
        reportEngineError("voice language", error);
        return AsciiFolding::None;
    }
}

bool ReadingControl::speakInTwoSteps(SpeechSource source, SpeechSource previousSource)
{
    std::string& buffer = state_.speechBuffer;
    // The history holds each text whole, so with it on the text is cleaned whole first.
    if (speechLogEnabled())
        return false;
    const std::size_t cut = speechTextCut(buffer, kFirstPart);
    if (cut == std::string::npos)
        return false;
    std::string first = buffer.substr(0, cut);
    const AsciiFolding folding = voiceFolding();
    CleanSpeechTextInPlace(first, folding);
    // The first part ends in a letter or digit, which no rule removes: the text is not blank.
    state_.currentSource = source;
    const QString firstPart = QString::fromStdString(first);
    try {
        engine_.BeginText(firstPart);
        // Beyond its first part a long text is followed with the distance at the end of that part.
        if (source == SpeechSource::Document && followAlong_.enabled())
            followAlong_.documentQueued(std::string_view(buffer).substr(0, cut), first, documentBase_,
                                        engine_.LastQueuedText());
    } catch (const std::exception& error) {
        state_.currentSource = previousSource;
        reportEngineError("speak", error);
        restCleaner_.cancel();
        std::string().swap(buffer);
        return true;
    }
    restCleaner_.start(std::move(buffer), cut, std::move(first), folding);
    buffer.clear();
    return true;
}

void ReadingControl::speakGrowing(SpeechSource source, const std::string& first,
                                  const std::optional<std::string>& title)
{
    if (growing_)
        endGrowingSpeech(growing_->source);
    if (title)
        state_.currentTitle = *title;
    const SpeechSource previousSource = state_.currentSource;
    GrowingSpeechText text(voiceFolding());
    std::string raw;
    const std::string head = text.take(first, &raw);
    state_.currentSource = source;
    if (!head.empty())
        speechLogSpeak(static_cast<int>(source), readingLabel(source).toStdString(), head);
    try {
        engine_.BeginText(QString::fromStdString(head));
        const quint64 engineText = engine_.LastQueuedText();
        // Beyond its first part the text is followed with the distance at the end of that part.
        if (source == SpeechSource::Document && followAlong_.enabled())
            followAlong_.documentQueued(raw, head, documentBase_, engineText);
        growing_ = Growing{source, engineText, std::move(text)};
    } catch (const std::exception& error) {
        state_.currentSource = previousSource;
        reportEngineError("speak", error);
    }
}

void ReadingControl::growSpeech(SpeechSource source, std::string_view piece)
{
    if (!speechGrowing(source))
        return;
    std::string part = growing_->text.take(piece);
    if (part.empty())
        return;
    speechLogSpeak(static_cast<int>(source), readingLabel(source).toStdString(), part);
    guarded("speak", [&] { engine_.AppendText(growing_->engineText, std::move(part), false); });
}

void ReadingControl::endGrowingSpeech(SpeechSource source)
{
    if (!speechGrowing(source))
        return;
    std::string part = growing_->text.rest();
    const quint64 engineText = growing_->engineText;
    growing_.reset();
    if (!isBlank(part))
        speechLogSpeak(static_cast<int>(source), readingLabel(source).toStdString(), part);
    guarded("speak", [&] { engine_.AppendText(engineText, std::move(part), true); });
}

void ReadingControl::play()
{
    state_.exitWhenDone = false;
    if (state_.speaking) {
        guarded("resume", [&] { engine_.Resume(); });
        return;
    }
    if (host_.editorHasSelection()) {
        if (state_.currentSource <= SpeechSource::Document) {
            state_.speechBuffer = host_.editorSelectedText();
            documentBase_ = host_.editorSelectionStart();
            SpeakBuffer(SpeechSource::Document);
            documentBase_ = 0;
        }
        return;
    }
    if (state_.currentSource > SpeechSource::Document)
        return;
    std::string text = host_.editorText();
    if (host_.editorTextGrowing()) {
        // The rest of the document follows as it is read (DocumentService's pieces).
        speakGrowing(SpeechSource::Document, text);
        return;
    }
    if (!isBlank(text)) {
        state_.speechBuffer = std::move(text);
        SpeakBuffer(SpeechSource::Document);
        return;
    }
    host_.runQuickStart([this](QuickStartChoice choice) { actOnQuickStartChoice(choice); });
}

void ReadingControl::actOnQuickStartChoice(QuickStartChoice choice)
{
    switch (choice) {
    case QuickStartChoice::OpenDocument:
        if (host_.openDocument() && !isBlank(host_.editorText()))
            play();
        break;
    case QuickStartChoice::RandomChannel:
        runRandomChannel();
        break;
    case QuickStartChoice::Time:
        host_.speakTime();
        break;
    case QuickStartChoice::Date:
        host_.speakDate();
        break;
    case QuickStartChoice::Clipboard:
        host_.speakClipboard();
        break;
    case QuickStartChoice::Help:
        host_.openHelp();
        break;
    case QuickStartChoice::Cancel:
        break;
    }
}

void ReadingControl::runRandomChannel()
{
    const int rows = host_.scheduleRowCount();
    if (rows <= 0)
        return;
    // Seeded from the clock each time.
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> pick(0, rows - 1);
    host_.runScheduleRow(pick(generator));
}

void ReadingControl::pause()
{
    state_.exitWhenDone = false;
    guarded("pause", [&] { engine_.Pause(); });
}

void ReadingControl::stop()
{
    state_.exitWhenDone = false;
    restCleaner_.cancel();
    growing_.reset();
    followAlong_.forget();
    guarded("stop", [&] { engine_.StopSpeaking(); });
}

void ReadingControl::rewind()
{
    state_.exitWhenDone = false;
    guarded("rewind", [&] { engine_.Rewind(); });
}

void ReadingControl::forward()
{
    state_.exitWhenDone = false;
    guarded("fast forward", [&] { engine_.FastForward(); });
}

ReadingControl::CommandStates ReadingControl::commandStates() const
{
    CommandStates states;
    const bool busy = engine_.Busy() != 0;
    states.play = !busy;
    states.pause = busy;
    states.rewind = busy;
    states.forward = busy;
    states.stop = state_.speaking;
    return states;
}

QString ReadingControl::readingLabel(SpeechSource source) const
{
    return source == SpeechSource::Scheduled ? QString::fromStdString(state_.currentTitle)
                                             : sourceLabel(source);
}

QString ReadingControl::readingStatus() const
{
    // The log keeps the English label; the status bar shows it in the interface's language.
    const SpeechSource source = state_.currentSource;
    const QString label =
        source == SpeechSource::Scheduled
            ? readingLabel(source)
            : QCoreApplication::translate("ReadingControl", sourceLabel(source).toUtf8().constData());
    return QCoreApplication::translate("StatusBar", " Reading... [%1]").arg(label);
}

void ReadingControl::onSpeakingStarted()
{
    speechLogStarted();
    host_.startSpeakingAnimation();
    if (state_.speaking && state_.currentSource != SpeechSource::RealTime)
        host_.setStatusText(QCoreApplication::translate("StatusBar", " Reading... [Multiple Speeches]"),
                            true);
    else
        host_.setStatusText(readingStatus(), false);
    state_.speaking = true;
}

void ReadingControl::onSpeak()
{
    if (state_.speaking && state_.currentSource != SpeechSource::RealTime)
        host_.setStatusText(QCoreApplication::translate("StatusBar", " Reading... [Multiple Speeches]"),
                            true);
    else
        host_.setStatusText(readingStatus(), false);
}

void ReadingControl::onSpeakingDone()
{
    speechLogDone();
    growing_.reset();
    followAlong_.forget();
    host_.stopSpeakingAnimation();
    host_.showStillPicture();
    host_.setStatusText(QCoreApplication::translate("StatusBar", " Ready"), false);
    state_.speaking = false;
    state_.currentSource = SpeechSource::None;
    if (!state_.exitWhenDone || !host_.closeWhenDone())
        state_.exitWhenDone = false;
}

void ReadingControl::onAttribChanged(int attribute)
{
    Q_UNUSED(attribute);
    if (!state_.attribChangeEnabled)
        return;
    const int maximum = state_.maxSpeed;
    const int minimum = state_.minSpeed;
    if (maximum == minimum)
        return;
    int speed = 0;
    try {
        speed = engine_.Speed();
    } catch (const std::exception& error) {
        reportEngineError("speed", error);
        return;
    }
    const int k = -600 / (maximum - minimum);
    animationDelay_ = 200 + k * (speed - maximum);
    host_.setAnimationDelay(animationDelay_);
}

} // namespace narrix
