// The quick start guide and the speech properties dialog, driven by keyboard alone.
#include "speech/reading_state.h"
#include "speech/speech_properties.h"
#include "speech/voice_guide_dialog.h"
#include "speech/voice_properties_dialog.h"

#include "fakes/fake_speech_engine.h"
#include "speech/keyboard_driver.h"

#include <QComboBox>
#include <QLabel>
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
    SpeechProperties logic(engine, state, VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini"))), {});
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

} // namespace
} // namespace narrix
