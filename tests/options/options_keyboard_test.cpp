// Keyboard only, on the real window and dialogs: Alt+V, O opens Options; Alt+S picks sentence mode;
// Ctrl+Tab reaches the Misc tab; Alt+G and typing change the greeting; Enter accepts. SIGTERM then
// closes the program, and the settings written show both changes.
#include "app/tf_main.h"
#include "help/help_commands.h"
#include "options/options_command.h"
#include "settings/settings_store.h"

#include "fakes/fake_desktop_opener.h"
#include "fakes/fake_speech_engine.h"
#include "platform/locale_adapter.h"
#include "platform/unix_signal_watcher.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeDesktopOpener;
using testing::FakeSpeechEngine;

// Plays a list of steps from timers, so that it goes on inside the nested event loops of menus and
// modal dialogs. A step returns false while what it waits for has not appeared yet.
class KeyScript : public QObject
{
public:
    std::vector<std::function<bool()>> steps;
    size_t next = 0;

    bool gaveUp = false;

    void start()
    {
        clock_.start();
        QTimer::singleShot(10, this, [this] { poll(); });
    }
    bool finished() const { return gaveUp || next == steps.size(); }

private:
    QElapsedTimer clock_;

    void poll()
    {
        if (finished())
            return;
        if (clock_.elapsed() > 10000) {
            // Whatever it waits for never came: close what is open, so the test ends instead of hanging.
            gaveUp = true;
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
            return;
        }
        // Armed first, and the step counted as taken: a step that opens a menu or a dialog blocks in its
        // event loop, where the following steps run.
        QTimer::singleShot(10, this, [this] { poll(); });
        const size_t current = next++;
        if (!steps[current]() && next == current + 1)
            next = current;
    }
};

void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::activePopupWidget();
    if (target == nullptr)
        target = QApplication::focusWidget();
    if (target == nullptr)
        target = QApplication::activeWindow();
    QTest::keyClick(target, k, modifiers);
}

TEST(OptionsKeyboard, ChangesMadeByKeysAreWrittenAtTermination)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Narrix.conf"));
    {
        QSettings seed(ini, QSettings::IniFormat);
        seed.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        seed.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
        seed.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
    }
    FakeSpeechEngine engine;
    QSettingsStore store(ini);
    WidgetPrompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    FakeDesktopOpener desktop;
    HelpCommands help(desktop, store, HelpFiles{dir.filePath(QStringLiteral("Tips.txt")), {}, {}});
    OptionsCommand options(desktop);
    MainServices services;
    services.tips = &help;
    services.plugins = {&help, &options};
    TfMain window(engine, store, prompter, locale, services);
    UnixSignalWatcher signals({SIGTERM});
    ASSERT_TRUE(signals.isActive());
    QObject::connect(&signals, &UnixSignalWatcher::received, &window,
                     [&window](int) { window.TerminationRequested(); });
    window.FormCreate({});
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const auto optionsDialog = [] { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); };
    bool sentenceChosen = false;
    bool onMisc = false;
    KeyScript script;
    script.steps = {
        [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
        [] {
            key(Qt::Key_O); // "&Options..."
            return true;
        },
        [&] { return optionsDialog() != nullptr && optionsDialog()->isActiveWindow(); },
        [] {
            key(Qt::Key_S, Qt::AltModifier); // "Speak when any &sentence is typed."
            return true;
        },
        [&] {
            // The access key clicks the radio button a moment later.
            sentenceChosen = optionsDialog()->findChild<QRadioButton*>(QStringLiteral("rbSent"))->isChecked();
            return sentenceChosen;
        },
        [&] {
            auto* pages = optionsDialog()->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
            if (pages->currentIndex() == 3) {
                onMisc = true;
                return true;
            }
            key(Qt::Key_Tab, Qt::ControlModifier);
            return false;
        },
        [] {
            key(Qt::Key_G, Qt::AltModifier); // "&Greetings when Narrix is started:"
            key(Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Hello from the keyboard"));
            key(Qt::Key_Return);
            return true;
        },
    };
    script.start();
    QTest::keyClick(&window, Qt::Key_V, Qt::AltModifier); // "&View"
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.finished() && optionsDialog() == nullptr; }, 15000));
    ASSERT_FALSE(script.gaveUp) << "stopped at step " << script.next;
    EXPECT_TRUE(sentenceChosen);
    EXPECT_TRUE(onMisc);
    EXPECT_EQ(window.settings().realMode, QStringLiteral("Sentence"));

    ::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
    window.FormDestroy(); // what the application's aboutToQuit runs

    QSettings written(ini, QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("RealMode")).toString(), QStringLiteral("Sentence"));
    EXPECT_EQ(written.value(QStringLiteral("Greetings")).toString(),
              QStringLiteral("Hello from the keyboard"));
    EXPECT_EQ(written.value(QStringLiteral("RealCustom")).toString(), QStringLiteral(", ; . ? \" : ! '"));
}

} // namespace
} // namespace narrix
