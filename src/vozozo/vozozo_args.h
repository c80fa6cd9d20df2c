#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace narrix {

// vozozo INPUT [-o OUT.wav] [--voice NAME] [--speed WPM] [--print] [--list-voices]
struct VozozoArgs
{
    QString input;
    QString output; // empty: the input's name with ".wav"
    QString voice;  // empty: the default voice
    int speed = 0;  // 0: the default speed
    bool print = false;
    bool listVoices = false;
    bool help = false;
};

// Parses the arguments after the program name. Returns nothing and an explanation in `error` for
// arguments that make no sense.
std::optional<VozozoArgs> parseVozozoArgs(const QStringList& arguments, QString* error);

// The output file for an input when -o is not given: "story.txt" -> "story.wav".
QString defaultWavPath(const QString& input);

QString vozozoUsage();

} // namespace narrix
