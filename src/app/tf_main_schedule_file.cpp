// The main window's schedule list file: read at start-up, written at shutdown and at session end.
#include "app/tf_main.h"

#include "base/atomic_file.h"
#include "base/error_hook.h"
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

// Fills scheduleList_ from schedule.nxl in the program's folder, or on a first start (no schedule.nxl
// yet) from the installed starter list, ticks as shipped. A file that exists but cannot be read is
// reported and, so that nothing is lost, not written over at shutdown.
void TfMain::LoadScheduleList()
{
    std::string error;
    const std::filesystem::path path = scheduleFilePath();
    // Temporary copies (with mailbox passwords) of a save that a crash cut short.
    removeStaleTemporaries(path);
    std::error_code statError;
    const bool firstStart =
        std::filesystem::symlink_status(path, statError).type() == std::filesystem::file_type::not_found;
    const std::string separator = timeSeparatorOf(QLocale::system());
    scheduleLoaded_ = narrix::LoadScheduleList(*scheduleModel_, path, separator, &error);
    if (!scheduleLoaded_) {
        reportEscapedError(QStringLiteral("LoadScheduleList"), QString::fromStdString(error));
        return;
    }
    if (!firstStart || services_.starterList.isEmpty())
        return;
    // The starter list reaches schedule.nxl at the next save; one that cannot be read leaves the
    // list empty, as before there was one.
    if (!narrix::LoadScheduleList(*scheduleModel_, std::filesystem::path(services_.starterList.toStdString()),
                                  separator, &error))
        reportEscapedError(QStringLiteral("LoadScheduleList"), QString::fromStdString(error));
}

// Writes scheduleList_ to schedule.nxl in the program's folder, only if it was read at start-up. A failure
// is reported and leaves the old file whole; the rest of the shutdown (writing the settings) still runs.
bool TfMain::SaveScheduleList()
{
    if (!scheduleLoaded_) {
        reportEscapedError(QStringLiteral("SaveScheduleList"),
                           QStringLiteral("schedule.nxl was not saved: it was not read at start-up"));
        return false;
    }
    std::string error;
    if (narrix::SaveScheduleList(*scheduleModel_, scheduleFilePath(), &error))
        return true;
    reportEscapedError(QStringLiteral("SaveScheduleList"), QString::fromStdString(error));
    return false;
}

} // namespace narrix
