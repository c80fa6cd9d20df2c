#include "app/startup/environment_setup.h"

#include "base/speech_log.h"
#include "net/net_connection.h"
#include "platform/data_folder.h"
#include "platform/environment.h"
#include "schedule/channel_update.h"

#include <QFile>

namespace narrix {

void applyEnvironment(const Environment& environment)
{
    setGivenDataFolder(environment.dataFolder);
    setGivenRuntimeFolder(environment.runtimeFolder);
    setSpeechLogPath(QFile::encodeName(environment.speechLog).toStdString());
    net::NetConnection::setDefaultTransferDeadline(environment.transferDeadline);
    setChannelListAddress(environment.channelListAddress.toStdString());
}

} // namespace narrix
