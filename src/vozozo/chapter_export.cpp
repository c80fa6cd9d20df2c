#include "vozozo/chapter_export.h"

#include "base/write_all.h"
#include "vozozo/export_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace narrix {
namespace {

QString safeFileName(const QString& title)
{
    QString name = title.simplified();
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c == QChar(0x7F) || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    return name.left(100).trimmed();
}

// Playlists and sync files are put in place as the audio files are, with the same permissions.
bool writeTextFile(const QString& path, const std::string& text, QString* error)
{
    ExportTarget target;
    int code = openExportTarget(path, &target);
    if (code == 0 && !writeAll(target.fd, text))
        code = errno;
    if (code == 0)
        code = commitExportTarget(target);
    if (code == 0) {
        closeExportTarget(target);
        return true;
    }
    abandonExportTarget(target);
    *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(code)));
    return false;
}

} // namespace

QString chapterFileName(int number, int count, const QString& title, const QString& extension)
{
    const int digits = std::max(2, static_cast<int>(QString::number(count).size()));
    const QString name = safeFileName(title);
    const QString numbered = QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
    return (name.isEmpty() ? numbered : numbered + QLatin1Char(' ') + name) + QLatin1Char('.') + extension;
}

std::string m3uPlaylist(const std::vector<PlaylistEntry>& entries)
{
    std::string out = "#EXTM3U\n";
    for (const PlaylistEntry& entry : entries) {
        out += "#EXTINF:" + std::to_string(std::lround(entry.seconds)) + ',' +
               entry.title.simplified().toStdString() + '\n' + entry.file.toStdString() + '\n';
    }
    return out;
}

ChapterExportResult exportChapters(const ChapterExportRequest& request, const VoiceInfo& voice,
                                   const Prosody& prosody, const std::function<bool(double)>& progress)
{
    ChapterExportResult result;
    const QFileInfo output(request.outputPath);
    const QString extension = exportFormatExtension(request.options.encoding.format);
    const int count = static_cast<int>(request.chapters.size());
    std::size_t totalBytes = 0;
    for (const Chapter& chapter : request.chapters)
        totalBytes += chapter.text.size();
    std::size_t doneBytes = 0;
    std::vector<PlaylistEntry> playlist;
    for (int i = 0; i < count; ++i) {
        const Chapter& chapter = request.chapters[static_cast<std::size_t>(i)];
        const QString name =
            request.split ? chapterFileName(i + 1, count, chapter.title, extension) : QString();
        const QString path = request.split ? output.dir().filePath(name) : request.outputPath;

        SpeechExportOptions options = request.options;
        options.encoding.artist = request.author;
        options.encoding.title = request.split ? chapter.title : request.title;
        options.encoding.album = request.split ? request.title : QString();
        options.encoding.track = request.split ? i + 1 : 0;
        std::vector<SyncLine> lines;
        if (request.sync) {
            options.sentenceStarted = [&](std::size_t start, std::size_t end, std::uint64_t sample) {
                std::string line = oneLine(std::string_view(chapter.text).substr(start, end - start));
                if (!line.empty())
                    lines.push_back({sample, std::move(line)});
            };
        }
        const auto chapterProgress = [&](double fraction) {
            if (!progress)
                return true;
            const double done =
                static_cast<double>(doneBytes) + fraction * static_cast<double>(chapter.text.size());
            return progress(totalBytes == 0 ? fraction : done / static_cast<double>(totalBytes));
        };
        const SpeechExportResult spoken =
            exportSpeechToFile(chapter.text, voice, prosody, path, chapterProgress, options);
        result.samples += spoken.samples;
        if (!spoken.ok) {
            result.cancelled = spoken.cancelled;
            result.error = spoken.error;
            return result;
        }
        result.files << path;
        doneBytes += chapter.text.size();
        if (request.sync && path != QLatin1String("-")) {
            const QFileInfo audio(path);
            const QString syncPath = audio.dir().filePath(audio.completeBaseName() + QLatin1Char('.') +
                                                          syncFormatExtension(*request.sync));
            if (!writeTextFile(syncPath,
                               syncFileText(*request.sync, lines, spoken.samples, kSpeechExportRate,
                                            options.encoding.title),
                               &result.error))
                return result;
            result.files << syncPath;
        }
        playlist.push_back({name, chapter.title, static_cast<double>(spoken.samples) / kSpeechExportRate});
    }
    if (request.split) {
        const QString playlistPath =
            output.dir().filePath(output.completeBaseName() + QStringLiteral(".m3u"));
        if (!writeTextFile(playlistPath, m3uPlaylist(playlist), &result.error))
            return result;
        result.files << playlistPath;
    }
    result.ok = true;
    return result;
}

} // namespace narrix
