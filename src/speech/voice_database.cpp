#include "speech/voice_database.h"

#include "base/profile_file.h"

namespace narrix {
namespace {

constexpr std::string_view kSection = "Voices";

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

QStringList VoiceDatabase::read(QString* error) const
{
    ProfileFile file;
    std::string why;
    if (!loadProfileFile(fsPath(path_), &file, &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return {};
    }
    QStringList names;
    for (const std::string& value : file.sectionValues(kSection))
        if (!value.empty())
            names << QString::fromStdString(value);
    return names;
}

bool VoiceDatabase::write(const QStringList& names, QString* error) const
{
    ProfileFile file;
    std::string why;
    // Other sections a user may have added survive; an unreadable file is replaced.
    if (!loadProfileFile(fsPath(path_), &file, &why))
        file = ProfileFile();
    file.eraseSection(kSection);
    for (qsizetype i = 0; i < names.size(); ++i)
        file.setValue(kSection, std::to_string(i), names[i].toStdString());
    if (!saveProfileFile(fsPath(path_), file, &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    return true;
}

} // namespace narrix
