#pragma once

#include "vozozo/document_chapters.h"
#include "vozozo/speech_export.h"
#include "vozozo/sync_file.h"

#include <QStringList>
#include <optional>

namespace narrix {

struct ChapterExportRequest
{
    // One file at `outputPath`, or (split) one file per chapter in its folder, "01 Title.EXT" with its
    // extension, and a playlist named after it ("book.mp3" -> "book.m3u").
    std::vector<Chapter> chapters; // cleaned speech text
    QString outputPath;
    bool split = false;
    std::optional<SyncFormat> sync; // a sync file beside each audio file ("01 Title.lrc")
    QString title;                  // the document's: the album of chapter files, the title of one file
    QString author;
    SpeechExportOptions options; // its encoding's format and quality are used, its tags replaced
};

struct ChapterExportResult
{
    bool ok = false;
    bool cancelled = false;
    QString error;
    QStringList files; // what was written, audio, sync files and playlist
    std::uint64_t samples = 0;
};

// Speaks the chapters into their files one after the other; stops at the first failure or cancel,
// leaving the files already finished (each written as exportSpeechToFile writes).
ChapterExportResult exportChapters(const ChapterExportRequest& request, const VoiceInfo& voice,
                                   const Prosody& prosody, const std::function<bool(double)>& progress = {});

// "01 Title.mp3": the number with at least two digits (as many as `count` needs), the title made
// safe for a file name.
QString chapterFileName(int number, int count, const QString& title, const QString& extension);

// An extended M3U playlist of files (names relative to the playlist), titles and lengths in seconds.
struct PlaylistEntry
{
    QString file;
    QString title;
    double seconds = 0;
};
std::string m3uPlaylist(const std::vector<PlaylistEntry>& entries);

} // namespace narrix
