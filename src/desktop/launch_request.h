#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace narrix {

// What the command line asks for: nothing, an item to speak (`narrix FILE-OR-ADDRESS`, the first
// argument only), a document to open in the editor (`narrix --open FILE`) or a list file whose items
// are merged into the schedule list as Import does (`narrix --import LIST.nxl`).
struct LaunchRequest
{
    enum class Kind { None, Speak, Open, Import };
    Kind kind = Kind::None;
    // The item as given for Speak; an absolute path for Open and Import (a running instance that
    // receives it may have another working folder).
    QString path;

    // The arguments the start-up sequence sees: the item to speak, or none.
    QStringList startUpArguments() const;
    bool operator==(const LaunchRequest&) const = default;
};

// Reads the arguments after the program's name. None, with `error` saying why, for an option
// without its file or an option the program does not know.
std::optional<LaunchRequest> parseLaunchArguments(const QStringList& arguments, QString* error);

} // namespace narrix
