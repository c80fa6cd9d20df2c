#pragma once

#include "vozozo/export_format.h"
#include "vozozo/sync_file.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace narrix {

enum class SplitKind { None, Chapters, Minutes };

// vozozo INPUT [-o OUT.wav|.mp3|.ogg|.opus|.flac] [--format F] [--quality Q] [--split chapters|minutes N]
//   [--sync lrc|vtt] [--voice NAME] [--speed WPM] [--jobs N] [--print] [--list-voices]
struct VozozoArgs
{
    QString input;
    QString output;                          // empty: the input's name with ".wav" (see defaultWavPath)
    ExportFormat format = ExportFormat::Wav; // --format, else the output's extension, else WAV
    int quality = -1;                        // 0 .. 10; -1: the encoder's default
    SplitKind split = SplitKind::None;
    int splitMinutes = 0;
    std::optional<SyncFormat> sync;
    QString voice; // empty: the default voice
    int speed = 0; // 0: the default speed
    int jobs = 0;  // synthesis workers; 0: one per processor
    bool print = false;
    bool listVoices = false;
    bool help = false;
};

// Parses the arguments after the program name. Returns nothing and an explanation in `error` for
// arguments that make no sense.
std::optional<VozozoArgs> parseVozozoArgs(const QStringList& arguments, QString* error);

// The output file for an input when -o is not given: "story.txt" -> "story.wav". A web address
// gives NAME.wav in the current folder, NAME from the address's last path segment or else its host,
// made safe for a file name. Standard input ("-") has none: empty.
QString defaultWavPath(const QString& input);

QString vozozoUsage();

// The file dialog's filter for inputs: every kind of file vozozo reads.
QString vozozoInputFilter();

} // namespace narrix
