// "Start with the session" in the Options dialog, driven by the keyboard alone: checking it writes the
// session's autostart entry, clearing it removes the entry, and an entry that cannot be written is
// reported with the file and the reason while the other options still take effect.
#include "app/tf_main.h"
#include "desktop/autostart_entry.h"
#include "fakes/fake_desktop_opener.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "options/options_command.h"
#include "platform/locale_adapter.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

class AutostartOptionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        options.setAutostart(&entry);
        prompter.runDialogs = true;
        MainServices services;
        services.plugins = {&options};
        window = std::make_unique<TfMain>(engine, store, prompter, locale, services);
        prompter.state = &window->state();
        window->FormCreate({});
    }

    // Opens Options, turns to the Misc page (the last: Ctrl+PgUp from the first), toggles the box with
    // its mnemonic, and accepts with Enter; `alsoMinimize` toggles "Start minimized" too (Alt+M).
    void toggleStartWithSession(bool alsoMinimize = false)
    {
        testing::whenModal([this, alsoMinimize](QDialog& dialog) {
            testing::press(dialog, Qt::Key_PageUp, Qt::ControlModifier);
            auto* session = dialog.findChild<QCheckBox*>(QStringLiteral("cbStartWithSession"));
            auto* minimized = dialog.findChild<QCheckBox*>(QStringLiteral("cbMin"));
            ASSERT_TRUE(session != nullptr && minimized != nullptr);
            // A mnemonic clicks its box a moment after the key, as a click shows the box pressed.
            const auto toggle = [&dialog](QCheckBox& box, Qt::Key mnemonic) {
                const bool before = box.isChecked();
                testing::press(dialog, mnemonic, Qt::AltModifier);
                EXPECT_TRUE(QTest::qWaitFor([&] { return box.isChecked() != before; }));
            };
            toggle(*session, Qt::Key_S);
            if (alsoMinimize)
                toggle(*minimized, Qt::Key_M);
            shownChecked = session->isChecked();
            testing::press(dialog, Qt::Key_Return);
        });
        window->actions().actOptions->trigger();
    }

    QTemporaryDir config;
    AutostartEntry entry{config.path()};
    testing::FakeDesktopOpener desktop;
    OptionsCommand options{desktop};
    testing::FakeSpeechEngine engine;
    testing::MemorySettingsStore store;
    testing::FakePrompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    std::unique_ptr<TfMain> window;
    bool shownChecked = false;
};

TEST_F(AutostartOptionTest, TheBoxWritesAndRemovesTheAutostartEntry)
{
    const QString path = config.path() + QStringLiteral("/autostart/narrix.desktop");
    EXPECT_EQ(entry.path(), path);
    for (const bool present : {true, false, true}) {
        SCOPED_TRACE(present);
        toggleStartWithSession();
        EXPECT_EQ(shownChecked, present) << "the box shows the entry as it was, toggled";
        ASSERT_EQ(QFile::exists(path), present);
        if (present) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray text = file.readAll();
            EXPECT_EQ(text, AutostartEntry::contents());
            EXPECT_TRUE(text.contains("\nExec=narrix\n"));
        }
    }
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(window->settings().startMinimized);
}

TEST_F(AutostartOptionTest, AnEntryThatCannotBeWrittenIsReportedAndTheOtherOptionsStay)
{
    // A file where the autostart folder belongs.
    QFile blocker(config.path() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    toggleStartWithSession(true);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains(config.path() + QStringLiteral("/autostart")))
        << prompter.shown[0].text.toStdString();
    EXPECT_TRUE(window->settings().startMinimized) << "the other options are kept";
    EXPECT_FALSE(entry.exists());
}

} // namespace
} // namespace narrix
