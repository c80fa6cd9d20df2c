// Call sites of the subsystems that plug into the main window: the single-instance hand-over, the
// schedule list, the keyboard-hook library, the tray icon, the document editor's save prompt, the
// transfers, tips and channel updates. Each subsystem fills in its own function.
#include "app/tf_main.h"

#include "app/error_hook.h"
#include "base/atomic_file.h"
#include "platform/data_folder.h"
#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"
#include "schedule/time_separator.h"

#include <QLocale>

#include <filesystem>

namespace narrix {

// Forgets keys held down in the real-time key map.
void TfMain::ResetRealtimeKeyState() {}

// Creates the normal tray icon.
void TfMain::CreateTrayIcon() {}

// Gives the tray icon the pictures of settings().theme.
void TfMain::ApplyTrayIconTheme() {}

// True when another instance runs: this one has handed its argument over and must end.
bool TfMain::HandOverToRunningInstance()
{
    return false;
}

namespace {

std::filesystem::path scheduleFilePath()
{
    return std::filesystem::path(programDataFile(QStringLiteral("schedule.nxl")).toStdString());
}

} // namespace

// Fills ListView1 from schedule.nxl in the program's folder. A file that exists but cannot be read
// is reported and, so that nothing is lost, not written over at shutdown.
void TfMain::LoadScheduleList()
{
    std::string error;
    // Temporary copies (with mailbox passwords) of a save that a crash cut short.
    removeStaleTemporaries(scheduleFilePath());
    scheduleLoadFailed_ = !narrix::LoadScheduleList(*scheduleModel_, scheduleFilePath(),
                                                    timeSeparatorOf(QLocale::system()), &error);
    if (scheduleLoadFailed_)
        reportEscapedError(QStringLiteral("LoadScheduleList"), QString::fromStdString(error));
}

// Connects the keyboard-hook library and its shared key map.
void TfMain::ConnectRealtimeHook() {}

// Starts or stops accepting files dropped on the window.
void TfMain::AcceptDroppedFiles(bool /*accept*/) {}

// Installs the handlers run when the application is minimised and restored.
void TfMain::InstallMinimizeRestoreHooks() {}

// Gives the logo place (Animate1) its animation clip.
void TfMain::LoadLogoAnimation() {}

// Fetches a local file, web address or mailbox address and speaks it as a scheduled speech.
void TfMain::RetrieveChannel(const QString& /*address*/) {}

// Disconnects the keyboard-hook library.
void TfMain::DisconnectRealtimeHook() {}

// Writes ListView1 to schedule.nxl in the program's folder. A failure is reported and leaves the old
// file whole; the rest of the shutdown (writing the settings) still runs.
void TfMain::SaveScheduleList()
{
    if (scheduleLoadFailed_) {
        reportEscapedError(QStringLiteral("SaveScheduleList"),
                           QStringLiteral("schedule.nxl was not saved: it could not be read at start-up"));
        return;
    }
    std::string error;
    if (!narrix::SaveScheduleList(*scheduleModel_, scheduleFilePath(), &error))
        reportEscapedError(QStringLiteral("SaveScheduleList"), QString::fromStdString(error));
}

// Removes the tray icon.
void TfMain::FreeTrayIcon() {}

// The document's save-changes prompt: false when the user cancels or saving fails.
bool TfMain::ConfirmSaveChanges()
{
    return true;
}

// Aborts the HTTP client's socket when a connection is open.
void TfMain::AbortHttpTransfer() {}

// Closes the POP3 connection when one is open (actDisEmail).
void TfMain::DisconnectEmail() {}

// Shows the tip of the day.
void TfMain::ShowTipOfTheDay() {}

// Runs Channel Update (actUpdate).
void TfMain::RunChannelUpdate() {}

// Opens the voices web page.
void TfMain::OpenVoiceGuide() {}

} // namespace narrix
