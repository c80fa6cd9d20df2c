#include "vozozo/export_format.h"

#include <QFileInfo>
#include <vector>

namespace narrix {
namespace {

struct FormatName
{
    ExportFormat format;
    const char* extension;
    const char* label;
};

constexpr FormatName kFormats[] = {
    {ExportFormat::Mp3, "mp3", "MP3"},    {ExportFormat::OggVorbis, "ogg", "Ogg Vorbis"},
    {ExportFormat::Opus, "opus", "Opus"}, {ExportFormat::Flac, "flac", "FLAC"},
    {ExportFormat::Wav, "wav", "WAV"},
};

const FormatName& nameOf(ExportFormat format)
{
    for (const FormatName& name : kFormats) {
        if (name.format == format)
            return name;
    }
    return kFormats[std::size(kFormats) - 1];
}

} // namespace

std::optional<ExportFormat> exportFormatNamed(const QString& name)
{
    for (const FormatName& known : kFormats) {
        if (name.compare(QLatin1String(known.extension), Qt::CaseInsensitive) == 0)
            return known.format;
    }
    return std::nullopt;
}

std::optional<ExportFormat> exportFormatOfPath(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return std::nullopt;
    return exportFormatNamed(name.mid(dot + 1));
}

QString exportFormatExtension(ExportFormat format)
{
    return QLatin1String(nameOf(format).extension);
}

QString exportFormatLabel(ExportFormat format)
{
    return QLatin1String(nameOf(format).label);
}

const std::vector<ExportFormat>& exportFormats()
{
    static const std::vector<ExportFormat> formats = [] {
        std::vector<ExportFormat> all;
        for (const FormatName& name : kFormats)
            all.push_back(name.format);
        return all;
    }();
    return formats;
}

QString withExportExtension(const QString& path, ExportFormat format)
{
    const QString name = QFileInfo(path).fileName();
    const QString folder = path.left(path.size() - name.size());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return folder + base + QLatin1Char('.') + exportFormatExtension(format);
}

} // namespace narrix
