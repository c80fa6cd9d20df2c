// The main window's schedule list file: read at start-up, written at shutdown and at session end.
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
    scheduleLoaded_ = narrix::LoadScheduleList(*scheduleModel_, scheduleFilePath(),
                                               timeSeparatorOf(QLocale::system()), &error);
    if (!scheduleLoaded_)
        reportEscapedError(QStringLiteral("LoadScheduleList"), QString::fromStdString(error));
}

// Writes ListView1 to schedule.nxl in the program's folder, only if it was read at start-up. A failure
// is reported and leaves the old file whole; the rest of the shutdown (writing the settings) still runs.
void TfMain::SaveScheduleList()
{
    if (!scheduleLoaded_) {
        reportEscapedError(QStringLiteral("SaveScheduleList"),
                           QStringLiteral("schedule.nxl was not saved: it was not read at start-up"));
        return;
    }
    std::string error;
    if (!narrix::SaveScheduleList(*scheduleModel_, scheduleFilePath(), &error))
        reportEscapedError(QStringLiteral("SaveScheduleList"), QString::fromStdString(error));
}

} // namespace narrix
