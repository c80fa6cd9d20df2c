// The quick start guide and the speech properties dialog, driven by keyboard alone.
#include "speech/reading_state.h"
#include "speech/speech_properties.h"
#include "speech/voice_guide_dialog.h"
#include "speech/voice_properties_dialog.h"

#include "fakes/fake_speech_engine.h"
#include "speech/keyboard_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using namespace Qt::StringLiterals;

using testing::pressKey;
using testing::tabTo;
using testing::whenModal;

TEST(TfrmGuide, KeyboardChoicesCancelAndDoubleClick)
{
    TfrmGuide guide;
    const struct
    {
        std::vector<Qt::Key> keys;
        int choice;
    } cases[] = {
        {{Qt::Key_Return}, 1},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, 3},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, 6},
        {{Qt::Key_Down, Qt::Key_Escape}, -1},
    };
    for (const auto& c : cases) {
        guide.reset();
        whenModal([&c](QWidget&) {
            for (Qt::Key key : c.keys)
                pressKey(key);
        });
        guide.exec();
        EXPECT_EQ(guide.choice(), c.choice);
    }

    // Closing the window gives -1; a double-click returns its choice at once.
    guide.reset();
    whenModal([](QWidget& dialog) { dialog.close(); });
    guide.exec();
    EXPECT_EQ(guide.choice(), -1);
    guide.reset();
    whenModal([](QWidget& dialog) {
        auto* date = dialog.findChild<QRadioButton*>(QStringLiteral("rbChoice4"));
        QTest::mouseDClick(date, Qt::LeftButton);
    });
    EXPECT_EQ(guide.exec(), QDialog::Accepted);
    EXPECT_EQ(guide.choice(), 4);
}

TEST(TfrmProp, KeyboardPicksAVoiceMovesTheSpeedAndCloses)
{
    QTemporaryDir dir;
    testing::FakeSpeechEngine engine;
    engine.modes = {{u"Anna (German)"_s, u"Anna"_s, 1, 25, 7}, {u"Dora (English)"_s, u"Dora"_s, 1, 35, 9}};
    ReadingState state;
    state.minSpeed = 80;
    state.maxSpeed = 450;
    VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini")))
        .write({u"Anna (German)"_s, u"Dora (English)"_s});
    SpeechProperties logic(engine, EngineSpeedRange(state),
                           VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini"))), {});
    int getMore = 0;
    TfrmProp dialog(logic, [&getMore] { ++getMore; });
    logic.open({u"Anna (German)"_s, 150, -1});
    dialog.refresh();
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lLang"))->text(), u"German"_s);
    EXPECT_EQ(dialog.findChild<QSlider*>(QStringLiteral("TrackBar1"))->value(), 150);

    engine.maxSpeed = 300;
    whenModal([](QWidget& shown) {
        ASSERT_TRUE(tabTo(shown, QStringLiteral("cbVoice")));
        pressKey(Qt::Key_Down);
        ASSERT_TRUE(tabTo(shown, QStringLiteral("TrackBar1")));
        pressKey(Qt::Key_End);
        ASSERT_TRUE(tabTo(shown, QStringLiteral("lnkGetMore")));
        pressKey(Qt::Key_Space);
        pressKey(Qt::Key_Escape);
    });
    dialog.exec();
    EXPECT_EQ(logic.values().voice, u"Dora (English)"_s);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lName"))->text(), u"Dora"_s);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lLang"))->text(), u"English"_s);
    auto* speed = dialog.findChild<QSlider*>(QStringLiteral("TrackBar1"));
    EXPECT_EQ(speed->maximum(), 300);
    EXPECT_EQ(speed->value(), 300);
    EXPECT_EQ(speed->toolTip(), u"300 Words Per Minute"_s);
    EXPECT_EQ(engine.speed, 300);
    EXPECT_EQ(logic.values().speed, 300);
    EXPECT_EQ(getMore, 1);
}

// The language box: the system language first, then every language, then the rest by name; a choice
// narrows the voice list, which always keeps the current voice. The words per minute follow the slider.
TEST(TfrmProp, LanguageBoxNarrowsTheVoicesByKeyboard)
{
    using Mode = testing::FakeSpeechEngine::Mode;
    const std::vector<Mode> voices = {{u"Anna (German)"_s, u"Anna"_s, 1, 0, 7},
                                      {u"Dora (English)"_s, u"Dora"_s, 1, 35, 9},
                                      {u"Emil (German)"_s, u"Emil"_s, 2, 0, 7},
                                      {u"Fritz (Romansh)"_s, u"Fritz"_s, 2, 0, 23}};
    const struct
    {
        QLocale locale;
        QString stored;
        QStringList languages;
        QStringList firstShown;
        std::vector<std::pair<QString, Qt::Key>> keys; // the control tabbed to, the key pressed there
        QString chosen;
        QStringList lastShown;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany),
         u"Dora (English)"_s,
         {u"German"_s, u"All languages"_s, u"English"_s, u"Other"_s},
         {u"Anna (German)"_s, u"Dora (English)"_s, u"Emil (German)"_s},
         {{u"cbVoice"_s, Qt::Key_Down}},
         u"Emil (German)"_s,
         {u"Anna (German)"_s, u"Emil (German)"_s}},
        {QLocale(QLocale::English, QLocale::UnitedStates),
         u"Anna (German)"_s,
         {u"English"_s, u"All languages"_s, u"German"_s, u"Other"_s},
         {u"Anna (German)"_s, u"Dora (English)"_s},
         {{u"cbLanguage"_s, Qt::Key_End}, {u"cbVoice"_s, Qt::Key_Down}},
         u"Fritz (Romansh)"_s,
         {u"Fritz (Romansh)"_s}},
        // No voice speaks the system language: every voice is shown first.
        {QLocale(QLocale::French, QLocale::France),
         u"Anna (German)"_s,
         {u"All languages"_s, u"English"_s, u"German"_s, u"Other"_s},
         {u"Anna (German)"_s, u"Dora (English)"_s, u"Emil (German)"_s, u"Fritz (Romansh)"_s},
         {{u"cbLanguage"_s, Qt::Key_Down}, {u"cbVoice"_s, Qt::Key_Down}},
         u"Dora (English)"_s,
         {u"Dora (English)"_s}},
    };
    const auto texts = [](const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        QTemporaryDir dir;
        testing::FakeSpeechEngine engine;
        engine.modes = voices;
        engine.maxSpeed = 320;
        ReadingState state;
        state.minSpeed = 80;
        state.maxSpeed = 450;
        QStringList names;
        for (const Mode& mode : voices)
            names << mode.name;
        VoiceDatabase(dir.filePath(u"nxvoice.ini"_s)).write(names);
        SpeechProperties logic(engine, EngineSpeedRange(state), VoiceDatabase(dir.filePath(u"nxvoice.ini"_s)),
                               {});
        TfrmProp dialog(logic, nullptr, nullptr, c.locale);
        logic.open({c.stored, 150, -1});
        dialog.refresh();
        auto* languageBox = dialog.findChild<QComboBox*>(u"cbLanguage"_s);
        auto* voiceBox = dialog.findChild<QComboBox*>(u"cbVoice"_s);
        auto* speedLabel = dialog.findChild<QLabel*>(u"lSpeed"_s);
        EXPECT_EQ(texts(languageBox), c.languages);
        EXPECT_EQ(texts(voiceBox), c.firstShown);
        EXPECT_EQ(voiceBox->currentText(), c.stored);
        EXPECT_EQ(speedLabel->text(), u"150 words per minute"_s);
        EXPECT_NE(dialog.findChild<QLabel*>(u"lAge"_s)->text(), u"0"_s);

        whenModal([&c](QWidget& shown) {
            for (const auto& [control, key] : c.keys) {
                ASSERT_TRUE(tabTo(shown, control));
                pressKey(key);
            }
            ASSERT_TRUE(tabTo(shown, u"TrackBar1"_s));
            pressKey(Qt::Key_End);
            pressKey(Qt::Key_L, Qt::AltModifier); // the language box's access key
            EXPECT_EQ(QApplication::focusWidget()->objectName(), u"cbLanguage"_s);
            pressKey(Qt::Key_Escape);
        });
        dialog.exec();
        EXPECT_EQ(logic.values().voice, c.chosen);
        EXPECT_EQ(voiceBox->currentText(), c.chosen);
        EXPECT_EQ(texts(voiceBox), c.lastShown);
        EXPECT_EQ(logic.values().speed, 320);
        EXPECT_EQ(speedLabel->text(), u"320 words per minute"_s);
        EXPECT_NE(dialog.findChild<QLabel*>(u"lAge"_s)->text(), u"0"_s);
    }
}

} // namespace
} // namespace narrix
