#pragma once

#include <QString>

#include <chrono>

namespace narrix {

// What the program takes from its environment, read once at start-up (fromProcess, in main) and
// handed to the parts that need it. Nothing else in the program reads environment variables.
struct Environment
{
    QString dataFolder;         // NARRIX_DATA_DIR: the program's data folder instead of the usual one
    QString runtimeFolder;      // XDG_RUNTIME_DIR: the user's session folder
    QString audio;              // NARRIX_AUDIO: "null" or "wav:PATH" instead of the sound device
    QString speechLog;          // NARRIX_SPEECH_LOG: the speech history's file
    QString channelListAddress; // NARRIX_CHANNEL_LIST_URL: Channel Update's list instead of the maker's
    // NARRIX_TRANSFER_DEADLINE_SECONDS: the longest one network transfer may take; zero when unset or
    // not a positive number of seconds.
    std::chrono::seconds transferDeadline{0};
    bool startupProbe = false; // NARRIX_STARTUP_PROBE set and not empty: report when the window shows
    bool reportFiles = false;  // NARRIX_REPORT_FILES set: list the installed files and end
    bool sessionBus = false;   // DBUS_SESSION_BUS_ADDRESS names a session bus
    QString x11Display;        // DISPLAY: the X11 display (XWayland's in a Wayland session)
    QString messagesLocale;    // LC_ALL, else LC_MESSAGES, else LANG: the locale of the interface's texts

    static Environment fromProcess();
};

} // namespace narrix
