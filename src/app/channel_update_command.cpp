#include "app/channel_update_command.h"

#include "app/tf_main.h"
#include "dialogs/channel_update_dialog.h"
#include "platform/data_folder.h"
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

void ChannelUpdateCommand::attach(TfMain& window)
{
    window_ = &window;
    QAction* action = window.actions().actUpdate;
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, &window, [this] { run(); });
}

void ChannelUpdateCommand::run()
{
    // A list that could not be saved (or was never read) is not replaced behind the user's back.
    if (!window_->SaveScheduleList())
        return;

    ScheduleListModel& list = window_->scheduleItems();
    ChannelUpdateRequest request;
    request.proxy = window_->settings().proxy;
    request.port = window_->settings().port;
    request.address = address_();
    request.updateFile = programDataFile(QStringLiteral("update.nxl")).toStdString();
    request.current = list.items();
    request.timeSeparator = timeSeparatorOf(QLocale::system());
    request.installedList = installedList_.toStdString();
    request.offerInstalledList = [this](const QString& failure) { return window_->modal().confirm(failure); };

    TfrmUpdate dialog(std::move(request), window_);
    window_->modal().exec(dialog);
    if (dialog.updated() && !dialog.chosen().empty())
        list.setItems(mergeScheduleItems(list.items(), dialog.chosen()));
}

} // namespace narrix
