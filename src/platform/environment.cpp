#include "platform/environment.h"

#include <QtGlobal>

namespace narrix {

Environment Environment::fromProcess()
{
    Environment environment;
    environment.dataFolder = qEnvironmentVariable("NARRIX_DATA_DIR");
    environment.runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    environment.audio = qEnvironmentVariable("NARRIX_AUDIO").trimmed();
    environment.speechLog = qEnvironmentVariable("NARRIX_SPEECH_LOG");
    environment.channelListAddress = qEnvironmentVariable("NARRIX_CHANNEL_LIST_URL").trimmed();
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("NARRIX_TRANSFER_DEADLINE_SECONDS", &ok);
    if (ok && seconds > 0)
        environment.transferDeadline = std::chrono::seconds(seconds);
    environment.startupProbe = !qEnvironmentVariableIsEmpty("NARRIX_STARTUP_PROBE");
    environment.reportFiles = qEnvironmentVariableIsSet("NARRIX_REPORT_FILES");
    environment.sessionBus = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
    environment.x11Display = qEnvironmentVariable("DISPLAY");
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        environment.messagesLocale = qEnvironmentVariable(name);
        if (!environment.messagesLocale.isEmpty())
            break;
    }
    return environment;
}

} // namespace narrix
