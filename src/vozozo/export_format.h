#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace narrix {

// The kinds of audio file vozozo writes. WAV is its own writer; the others are encoded by libsndfile.
enum class ExportFormat { Wav, Mp3, OggVorbis, Opus, Flac };

// What an encoded file carries besides the audio.
struct ExportEncoding
{
    ExportFormat format = ExportFormat::Wav;
    int quality = -1; // 0 (smallest file) .. 10 (best sound); -1: the encoder's default
    QString title;
    QString artist;
    QString album;
    int track = 0; // 0: none
};

constexpr int kExportQualityMaximum = 10;

// The format a path's extension names (".mp3", ".ogg", ".opus", ".flac", ".wav", any letter case);
// nothing for any other name, which vozozo writes as WAV.
std::optional<ExportFormat> exportFormatOfPath(const QString& path);
// The format of a name as --format takes it ("mp3", "ogg", "opus", "flac", "wav").
std::optional<ExportFormat> exportFormatNamed(const QString& name);
// "mp3", "ogg", ...: the extension without the dot, also the name --format takes.
QString exportFormatExtension(ExportFormat format);
// What the window's format box shows: "MP3", "Ogg Vorbis", ...
QString exportFormatLabel(ExportFormat format);
// Every format, in the order the window offers them.
const std::vector<ExportFormat>& exportFormats();

// `path` with its last extension replaced by the format's.
QString withExportExtension(const QString& path, ExportFormat format);

} // namespace narrix
