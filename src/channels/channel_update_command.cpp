#include "channels/channel_update_command.h"

#include "dialogs/channel_update_dialog.h"
#include "platform/data_folder.h"
#include "plugin/plugin_context.h"
#include "schedule/channel_update.h"
#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"
#include "schedule/time_separator.h"

#include <QAction>
#include <QLocale>

namespace narrix {

ChannelUpdateCommand::ChannelUpdateCommand(std::function<std::string()> address, QString installedList)
    : address_(address ? std::move(address) : std::function<std::string()>(channelListAddress)),
      installedList_(std::move(installedList))
{
}

void ChannelUpdateCommand::attach(PluginContext& context)
{
    context_ = &context;
    QAction* action = context.actions().actUpdate;
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, &context.window(), [this] { run(); });
}

void ChannelUpdateCommand::run()
{
    // A list that could not be saved (or was never read) is not replaced behind the user's back.
    if (!context_->saveScheduleList())
        return;

    ScheduleListModel& list = context_->scheduleItems();
    ChannelUpdateRequest request;
    request.proxy = context_->settings().proxy;
    request.port = context_->settings().port;
    request.address = address_();
    request.updateFile = programDataFile(QStringLiteral("update.nxl")).toStdString();
    request.current = list.items();
    request.timeSeparator = timeSeparatorOf(QLocale::system());
    request.installedList = installedList_.toStdString();
    request.offerInstalledList = [this](const QString& failure) {
        return context_->modal().confirm(failure);
    };

    TfrmUpdate dialog(std::move(request), &context_->window());
    context_->modal().exec(dialog);
    if (dialog.updated() && !dialog.chosen().empty())
        list.setItems(mergeScheduleItems(list.items(), dialog.chosen()));
}

} // namespace narrix
