#include "options/options_command.h"

#include "desktop/autostart_entry.h"
#include "desktop/global_shortcuts.h"
#include "dialogs/options_dialog.h"
#include "plugin/plugin_context.h"
#include "settings/options_settings.h"

#include <QAction>

namespace narrix {

OptionsCommand::OptionsCommand(DesktopOpener& desktop, std::function<void()> forgetLastAnnouncement)
    : desktop_(desktop), forgetLastAnnouncement_(std::move(forgetLastAnnouncement))
{
}

void OptionsCommand::attach(PluginContext& context)
{
    context_ = &context;
    QAction* options = context.actions().actOptions;
    options->setEnabled(true);
    QObject::connect(options, &QAction::triggered, &context.window(), [this] { showOptions(); });
}

bool OptionsCommand::showOptions()
{
    PluginContext& context = *context_;
    // Built when opened, so it always shows the settings as they are now.
    OptionsValues shown = optionsFrom(context.settings());
    shown.startWithSession = autostart_ != nullptr && autostart_->exists();
    if (globalShortcuts_ != nullptr)
        shown.shortcutsNote = globalShortcuts_->note();
    TfrmOptions dialog(shown, context.modal().prompter(), desktop_, &context.window());
    if (context.modal().exec(dialog) != QDialog::Accepted)
        return false;
    const OptionsValues chosen = dialog.values();
    Settings settings = context.settings();
    applyOptions(chosen, settings);
    context.changeSettings(settings);
    if (forgetLastAnnouncement_)
        forgetLastAnnouncement_();
    context.applyTrayTheme();
    QString error;
    if (autostart_ != nullptr && chosen.startWithSession != shown.startWithSession &&
        !autostart_->setPresent(chosen.startWithSession, &error))
        context.modal().refuse(error);
    return true;
}

} // namespace narrix
