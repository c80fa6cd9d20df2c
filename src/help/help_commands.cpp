#include "help/help_commands.h"

#include "base/error_hook.h"
#include "base/maker_addresses.h"
#include "dialogs/about_box.h"
#include "dialogs/tip_of_the_day.h"
#include "platform/data_folder.h"
#include "platform/shipped_files.h"
#include "plugin/plugin_context.h"
#include "settings/settings_store.h"
#include "ui/desktop_opener.h"

#include <QAction>

namespace narrix {

HelpFiles installedHelpFiles()
{
    return {programDataFile(QStringLiteral("Tips.txt")), findShippedFile(QStringLiteral("Tips.txt")),
            findShippedFile(QStringLiteral("manual/index.html"))};
}

HelpCommands::HelpCommands(DesktopOpener& desktop, SettingsStore& store, HelpFiles files)
    : desktop_(desktop), store_(store), files_(std::move(files)), surf_(desktop)
{
}

void HelpCommands::attach(PluginContext& context)
{
    context_ = &context;
    const MainActions& a = context.actions();
    const auto on = [&context](QAction* action, auto handler) {
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, &context.window(), handler);
    };
    on(a.actHelp, [this] { showContents(); });
    on(a.ipoftheDay1, [this] { showTipOfTheDay(); });
    on(a.HomePage2, [this] { surf_.SurfTo(QString::fromLatin1(maker::kHomePage)); });
    on(a.Support2,
       [this] { surf_.MailTo(QString::fromLatin1(maker::kSupportMail), {}, {}, QStringLiteral("Narrix")); });
    on(a.About2, [this] { showAbout(); });
    on(a.NewChannels1, [this] { surf_.SurfTo(QString::fromLatin1(maker::kChannelsPage)); });
}

void HelpCommands::showContents()
{
    // Like the shell's open of a missing file: nothing is shown, but the reason is logged.
    if (files_.manual.isEmpty()) {
        reportEscapedError(QStringLiteral("actHelpExecute"), QStringLiteral("the manual was not found"));
        return;
    }
    desktop_.open(files_.manual);
}

void HelpCommands::showTipOfTheDay()
{
    const QString path = prepareTipsFile(files_.tipsFile, files_.shippedTipsFile);
    TfrmTOD dialog(readTipsFile(path), &context_->window());
    context_->modal().exec(dialog);
    if (!dialog.closed())
        return; // the program is ending under it: nothing was chosen
    // With no tips there is nothing to rotate: a missing file stays missing.
    QString error;
    if (!dialog.closedLines().isEmpty() && !writeTipsFile(path, dialog.closedLines(), &error))
        reportEscapedError(QStringLiteral("frmTODClose"),
                           QStringLiteral("%1 not saved: %2").arg(path, error));
    const QString showTips = dialog.showTips() ? QStringLiteral("True") : QStringLiteral("False");
    store_.setValue(QStringLiteral("ShowTips"), showTips);
    if (!store_.flush(&error))
        reportEscapedError(QStringLiteral("frmTODClose"),
                           QStringLiteral("ShowTips not saved: %1").arg(error));
    Settings settings = context_->settings();
    settings.showTips = dialog.showTips();
    context_->changeSettings(settings);
}

void HelpCommands::runChannelUpdate()
{
    QAction* update = context_->actions().actUpdate;
    if (update->isEnabled())
        update->trigger();
}

void HelpCommands::openVoiceGuide()
{
    surf_.SurfTo(QString::fromLatin1(maker::kVoicesPage));
}

void HelpCommands::showAbout()
{
    TfrmAbout about(desktop_, &context_->window());
    context_->modal().exec(about);
}

} // namespace narrix
