// The main window and the program's dialogs for assistive technology: every control named, no access
// key used twice in a menu or dialog.
#include "app/program_state.h"
#include "app/tf_main.h"
#include "dialogs/email_account_dialog.h"
#include "dialogs/item_editor_dialog.h"
#include "dialogs/text_picker_dialog.h"
#include "plugin/main_actions.h"
#include "plugin/modal_dialog_host.h"
#include "plugin/modal_dialogs.h"
#include "speech/engine_settings_dialog.h"
#include "support/main_window_harness.h"
#include "ui/access_keys.h"
#include "vozozo/vozozo_wizard.h"

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(AccessKeys, TheCharacterAfterASingleAmpersand)
{
    const struct
    {
        QString caption;
        QChar key;
    } cases[] = {
        {QStringLiteral("&File"), QLatin1Char('f')},
        {QStringLiteral("E&xit"), QLatin1Char('x')},
        {QStringLiteral("Sched&ule"), QLatin1Char('u')},
        {QStringLiteral("Save &As..."), QLatin1Char('a')},
        {QStringLiteral("Q&&A"), QChar()},
        {QStringLiteral("Q&&A &now"), QLatin1Char('n')},
        {QStringLiteral("No key"), QChar()},
        {QStringLiteral("Trailing&"), QChar()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accessKeyOf(c.caption), c.key) << c.caption.toStdString();

    QMenu menu;
    menu.addAction(QStringLiteral("&Edit"));
    menu.addAction(QStringLiteral("&Exit"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Copy"));
    menu.addAction(QStringLiteral("Hidden &copy"))->setVisible(false);
    EXPECT_EQ(accessKeyClashes(menu), QStringList{QStringLiteral("E: &Edit, &Exit")});
}

class MainWindowAccessibility : public ::testing::Test, protected testing::MainWindowHarness<>
{
};

TEST_F(MainWindowAccessibility, EveryControlHasANameAndThePanesADescription)
{
    TfMain window(engine, store, prompter, locale);
    EXPECT_EQ(controlsWithoutAccessibleName(window).join(u'|').toStdString(), "");

    const auto accessible = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); };
    const struct
    {
        QWidget* control;
        const char* name;
    } panes[] = {{window.editor(), "Document"},
                 {window.scheduleList(), "Scheduled Speeches"},
                 {window.realTimeMemo(), "Real-Time Buffer"}};
    for (const auto& pane : panes) {
        EXPECT_EQ(accessible(pane.control)->text(QAccessible::Name), QString::fromLatin1(pane.name));
        EXPECT_FALSE(accessible(pane.control)->text(QAccessible::Description).isEmpty()) << pane.name;
    }
    // Toolbar buttons show icons: their names are the commands'.
    QStringList toolbar;
    for (QToolButton* button :
         window.findChild<QWidget*>(QStringLiteral("ToolBand"))->findChildren<QToolButton*>())
        toolbar << accessible(button)->text(QAccessible::Name);
    for (const char* name : {"New", "Open", "Save", "Play", "Pause", "Stop", "Speech Properties", "Help"})
        EXPECT_TRUE(toolbar.contains(QString::fromLatin1(name)))
            << name << " in " << toolbar.join(u'|').toStdString();
    const QToolButton* file = window.findChild<QToolButton*>(QStringLiteral("btnFile"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(accessible(const_cast<QToolButton*>(file))->text(QAccessible::Description),
              QStringLiteral("Opens the File menu"));
}

TEST_F(MainWindowAccessibility, NoAccessKeyClashesInAnyMenuOrDialog)
{
    TfMain window(engine, store, prompter, locale);
    QStringList menuCaptions;
    for (QToolButton* button :
         window.findChild<QWidget*>(QStringLiteral("MenuBand"))->findChildren<QToolButton*>()) {
        if (button->menu() == nullptr)
            continue;
        menuCaptions << button->text();
        EXPECT_EQ(accessKeyClashes(*button->menu()).join(u'|').toStdString(), "")
            << button->text().toStdString();
    }
    EXPECT_EQ(menuCaptions.size(), 7);
    QMenu menuBar;
    for (const QString& caption : menuCaptions)
        menuBar.addAction(caption);
    EXPECT_EQ(accessKeyClashes(menuBar).join(u'|').toStdString(), "");

    // The dialogs, each built as the program shows it.
    ProgramState state;
    ModalDialogs modal{state.openModalDialogs, prompter, nullptr};
    ModalDialogHost host{modal};
    const std::function<QDialog*()> dialogs[] = {
        [&host] { return new TfrmEmail(host, QString()); },
        [&host] {
            return new TfrmSche({}, ItemEditorContext{host, ":", {}});
        },
        [] { return new TfrmPicker({}, PickerPageSource{}); },
        [] { return new EngineSettingsDialog(QStringLiteral("English"), SynthBackendKind::Espeak, {}); },
        [] { return new EngineSettingsDialog(QStringLiteral("Flite"), SynthBackendKind::Flite, {}); },
        [this] { return new VozozoWizard(prompter); },
    };
    for (const auto& make : dialogs) {
        std::unique_ptr<QDialog> dialog(make());
        EXPECT_EQ(accessKeyClashes(*dialog).join(u'|').toStdString(), "")
            << dialog->metaObject()->className();
        EXPECT_EQ(controlsWithoutAccessibleName(*dialog).join(u'|').toStdString(), "")
            << dialog->metaObject()->className();
    }
}

} // namespace
} // namespace narrix
