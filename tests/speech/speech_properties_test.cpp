// The voice database, the voice labels and the speech properties logic over a fake engine.
#include "speech/speech_properties.h"

#include "speech/reading_state.h"
#include "speech/voice_labels.h"

#include "fakes/fake_speech_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using namespace Qt::StringLiterals;

using testing::FakeSpeechEngine;

TEST(VoiceLabels, LanguageAndGenderTables)
{
    const struct
    {
        int id;
        const char* name; // null: the label keeps its text
    } cases[] = {{0, "Neutral"},
                 {9, "English"},
                 {0x409, "English"},
                 {7, "German"},
                 {22, "Portuguese"},
                 {23, nullptr},
                 {26, "Croatian/Serbian"},
                 {32, nullptr},
                 {40, nullptr},
                 {45, "Basque"},
                 {46, nullptr},
                 {53, nullptr},
                 {54, "Afrikaans"},
                 {55, nullptr},
                 {56, "Faeroese"},
                 {57, nullptr},
                 {1023, nullptr}};
    for (const auto& c : cases) {
        const std::optional<QString> name = voiceLanguageName(c.id);
        if (c.name == nullptr)
            EXPECT_FALSE(name.has_value()) << c.id;
        else
            EXPECT_EQ(name.value_or(QString()), QString::fromLatin1(c.name)) << c.id;
    }
    EXPECT_EQ(voiceGenderName(1), u"Female"_s);
    EXPECT_EQ(voiceGenderName(2), u"Male"_s);
    EXPECT_EQ(voiceGenderName(0), u"Neutral"_s);
    EXPECT_EQ(voiceGenderName(7), u"Neutral"_s);
}

TEST(VoiceDatabase, ReadsInFileOrderAndRewritesTheSection)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nxvoice.ini"));
    VoiceDatabase database(path);
    EXPECT_TRUE(database.read().isEmpty()); // missing file

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Other]\r\nx=1\r\n[Voices]\r\n5=Fifth\r\n2=Second = with equals\r\n3=\r\nnoequals\r\n");
    file.close();
    EXPECT_EQ(database.read(), (QStringList{u"Fifth"_s, u"Second = with equals"_s}));

    ASSERT_TRUE(database.write({u"A"_s, u" padded "_s}));
    EXPECT_EQ(database.read(), (QStringList{u"A"_s, u" padded "_s}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Other]\r\nx=1")) << text.constData();
    EXPECT_TRUE(text.contains("[Voices]\r\n0=A\r\n1=\" padded \"")) << text.constData();
}

class SpeechPropertiesTest : public ::testing::Test
{
protected:
    SpeechPropertiesTest()
    {
        engine.modes = {{u"Anna (German)"_s, u"Anna"_s, 1, 25, 7},
                        {u"Broken"_s, u"B"_s, 2, 30, 9, false},
                        {u"Carl (Romanian?)"_s, u"Carl"_s, 2, 40, 23},
                        {u"Dora (English)"_s, u"Dora"_s, 1, 35, 9}};
        state.minSpeed = 80;
        state.maxSpeed = 450;
    }

    SpeechProperties& make()
    {
        SpeechProperties::Hooks hooks;
        hooks.showScanMessage = [this] { ++scanMessages; };
        hooks.setBusyCursor = [this](bool on) { cursorDepth += on ? 1 : -1; };
        hooks.showEngineSettings = [this] { suppressSeen = engine.suppress; };
        logic = std::make_unique<SpeechProperties>(engine, EngineSpeedRange(state),
                                                   VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini"))),
                                                   hooks);
        return *logic;
    }

    QTemporaryDir dir;
    FakeSpeechEngine engine;
    ReadingState state;
    std::unique_ptr<SpeechProperties> logic;
    int scanMessages = 0;
    int cursorDepth = 0;
    short suppressSeen = -1;
};

TEST_F(SpeechPropertiesTest, FirstOpeningScansOnceThenReadsTheDatabase)
{
    SpeechProperties& p = make();
    p.open({u"Dora (English)"_s, 200, -1});
    EXPECT_EQ(scanMessages, 1);
    EXPECT_EQ(p.scans(), 1);
    EXPECT_EQ(cursorDepth, 0);
    // The unusable voice is left out silently.
    EXPECT_EQ(p.voices(), (QStringList{u"Anna (German)"_s, u"Carl (Romanian?)"_s, u"Dora (English)"_s}));
    EXPECT_EQ(p.selectedVoice(), 2);
    EXPECT_EQ(p.information(), (VoiceInformation{u"Dora"_s, u"English"_s, u"Female"_s, u"35"_s}));
    // The first display takes the range and the position from the settings.
    EXPECT_EQ(p.speedMinimum(), 80);
    EXPECT_EQ(p.speedMaximum(), 450);
    EXPECT_EQ(p.speedPosition(), 200);
    EXPECT_EQ(p.speedHint(), u"200 Words Per Minute"_s);
    EXPECT_EQ(engine.suppress, 0);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("nxvoice.ini"))));

    p.open({u"Dora (English)"_s, 200, -1});
    EXPECT_EQ(scanMessages, 1);
    EXPECT_EQ(p.scans(), 1);
    EXPECT_EQ(p.selectedVoice(), 2);
}

TEST_F(SpeechPropertiesTest, StoredVoiceMissingLeavesNothingSelectedAndAScanFallsBackToTheFirst)
{
    VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini"))).write({u"Gone voice"_s, u"Anna (German)"_s});
    SpeechProperties& p = make();
    p.open({u"Nobody"_s, 150, -1});
    EXPECT_EQ(p.selectedVoice(), -1);
    EXPECT_EQ(p.information(), VoiceInformation{});
    EXPECT_FALSE(p.speedShown());

    // A voice the engine no longer has: the labels stay as they were, the Voice setting too.
    p.pickVoice(0);
    EXPECT_EQ(p.information(), VoiceInformation{});
    EXPECT_EQ(p.values().voice, u"Nobody"_s);

    p.rescan();
    EXPECT_EQ(scanMessages, 0);
    EXPECT_EQ(p.selectedVoice(), 0);
    EXPECT_EQ(p.values().voice, u"Anna (German)"_s);
}

TEST_F(SpeechPropertiesTest, LanguageCode23KeepsThePreviousLanguage)
{
    VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini")))
        .write({u"Carl (Romanian?)"_s, u"Anna (German)"_s});
    SpeechProperties& p = make();
    p.open({u"Carl (Romanian?)"_s, 150, -1});
    EXPECT_EQ(p.information().language, u""_s); // nothing shown yet
    p.pickVoice(1);
    EXPECT_EQ(p.information().language, u"German"_s);
    p.pickVoice(0);
    EXPECT_EQ(p.information().language, u"German"_s);
    EXPECT_EQ(p.information().name, u"Carl"_s);
}

TEST_F(SpeechPropertiesTest, AgeIsShownOnlyWhenTheVoiceGivesOne)
{
    engine.modes.push_back({u"Eve (service)"_s, u"Eve"_s, 0, 0, 9});
    VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini")))
        .write({u"Anna (German)"_s, u"Eve (service)"_s});
    SpeechProperties& p = make();
    p.open({u"Anna (German)"_s, 150, -1});
    EXPECT_EQ(p.information().age, u"25"_s);
    p.pickVoice(1);
    EXPECT_EQ(p.information().age, u"not given"_s);
}

TEST_F(SpeechPropertiesTest, ChoosingAVoiceProbesItsRangeAndRestoresTheSpeed)
{
    VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini")))
        .write({u"Anna (German)"_s, u"Dora (English)"_s});
    SpeechProperties& p = make();
    engine.speed = 210;
    p.open({u"Anna (German)"_s, 210, -1});
    engine.calls.clear();

    // The main window ignores attribute changes while the range is probed.
    std::vector<bool> heededDuringSetSpeed;
    QObject::connect(&engine, &SpeechEngine::OnAttribChanged, [this, &heededDuringSetSpeed] {
        heededDuringSetSpeed.push_back(state.attribChangeEnabled);
    });
    engine.minSpeed = 100;
    engine.maxSpeed = 300;
    p.pickVoice(1);
    EXPECT_EQ(engine.selected, 4);
    EXPECT_EQ(heededDuringSetSpeed, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(state.minSpeed, 100);
    EXPECT_EQ(state.maxSpeed, 300);
    EXPECT_EQ(p.speedMinimum(), 100);
    EXPECT_EQ(p.speedMaximum(), 300);
    EXPECT_EQ(p.speedPosition(), 210);
    EXPECT_EQ(engine.speed, 210);
    EXPECT_EQ(p.values().speed, 210);
    EXPECT_EQ(p.values().voice, u"Dora (English)"_s);
    EXPECT_TRUE(state.attribChangeEnabled);

    // The right end of the track bar is the engine's maximum.
    p.moveSpeed(1000);
    EXPECT_EQ(engine.speed, 300);
    EXPECT_EQ(p.speedHint(), u"300 Words Per Minute"_s);
    EXPECT_EQ(p.values().speed, 300);

    // The engine's own changes move the track bar.
    engine.speed = 120;
    Q_EMIT engine.OnAttribChanged(1);
    EXPECT_EQ(p.speedPosition(), 120);
    EXPECT_EQ(p.values().speed, 120);
}

TEST_F(SpeechPropertiesTest, PreviewAndAdvancedSwitchToTheShownVoiceFirst)
{
    VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini")))
        .write({u"Anna (German)"_s, u"Dora (English)"_s});
    SpeechProperties& p = make();
    engine.selected = 1;
    p.open({u"Dora (English)"_s, 150, 2});
    EXPECT_EQ(engine.selected, 1); // the first display does not switch
    p.preview();
    EXPECT_EQ(engine.selected, 4);
    EXPECT_EQ(engine.device, 2);
    EXPECT_EQ(engine.spoken, QStringList{SpeechProperties::kTestSentence});

    engine.selected = 1;
    p.advanced(); // no longer pending
    EXPECT_EQ(engine.selected, 1);
    EXPECT_EQ(suppressSeen, 1);
    EXPECT_EQ(engine.suppress, 0);
}

TEST_F(SpeechPropertiesTest, NoUsableVoiceScansAgainNextTime)
{
    engine.modes = {{u"Broken"_s, u"B"_s, 2, 30, 9, false}};
    SpeechProperties& p = make();
    p.open({u"Broken"_s, 150, -1});
    EXPECT_TRUE(p.voices().isEmpty());
    p.open({u"Broken"_s, 150, -1});
    EXPECT_EQ(scanMessages, 2);
    EXPECT_EQ(cursorDepth, 0);
}

} // namespace
} // namespace narrix
