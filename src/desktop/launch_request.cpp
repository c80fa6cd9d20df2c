#include "desktop/launch_request.h"

#include <QFileInfo>

namespace narrix {

QStringList LaunchRequest::startUpArguments() const
{
    return kind == Kind::Speak ? QStringList{path} : QStringList{};
}

std::optional<LaunchRequest> parseLaunchArguments(const QStringList& arguments, QString* error)
{
    if (arguments.isEmpty())
        return LaunchRequest{};
    const QString& first = arguments.first();
    const auto fileOption = [&](LaunchRequest::Kind kind) -> std::optional<LaunchRequest> {
        if (arguments.size() < 2 || arguments.at(1).isEmpty()) {
            *error = QStringLiteral("%1 needs a file name").arg(first);
            return std::nullopt;
        }
        return LaunchRequest{kind, QFileInfo(arguments.at(1)).absoluteFilePath()};
    };
    if (first == QLatin1String("--open"))
        return fileOption(LaunchRequest::Kind::Open);
    if (first == QLatin1String("--import"))
        return fileOption(LaunchRequest::Kind::Import);
    // Anything else beginning with two dashes is a mistyped option, never a file to speak.
    if (first.startsWith(QLatin1String("--")) && first.size() > 2) {
        *error = QStringLiteral("unknown option %1 (use --open FILE or --import LIST.nxl)").arg(first);
        return std::nullopt;
    }
    return LaunchRequest{LaunchRequest::Kind::Speak, first};
}

} // namespace narrix
