#include "app/options_command.h"

#include "app/tf_main.h"
#include "dialogs/options_dialog.h"
#include "settings/options_settings.h"

#include <QAction>

namespace narrix {

OptionsCommand::OptionsCommand(DesktopOpener& desktop, std::function<void()> forgetLastAnnouncement)
    : desktop_(desktop), forgetLastAnnouncement_(std::move(forgetLastAnnouncement))
{
}

void OptionsCommand::attach(TfMain& window)
{
    window_ = &window;
    QAction* options = window.actions().actOptions;
    options->setEnabled(true);
    QObject::connect(options, &QAction::triggered, &window, [this] { showOptions(); });
}

bool OptionsCommand::showOptions()
{
    TfMain& window = *window_;
    // Built when opened, so it always shows the settings as they are now.
    TfrmOptions dialog(optionsFrom(window.settings()), window.modal().prompter(), desktop_, &window);
    if (window.modal().exec(dialog) != QDialog::Accepted)
        return false;
    Settings settings = window.settings();
    applyOptions(dialog.values(), settings);
    window.applySettings(settings);
    if (forgetLastAnnouncement_)
        forgetLastAnnouncement_();
    window.tray().applyTheme();
    return true;
}

} // namespace narrix
