#include "vozozo/vozozo_args.h"

#include <QFileInfo>

namespace narrix {

QString vozozoUsage()
{
    return QStringLiteral(
        "Usage: vozozo INPUT [-o OUT.wav] [--voice NAME] [--speed WPM] [--print] [--list-voices]\n"
        "Speaks a text file into a WAV file. Without arguments it opens a window.\n"
        "  -o, --output FILE   the WAV file to write (default: INPUT with .wav)\n"
        "  --voice NAME        the voice, as --list-voices names it\n"
        "  --speed WPM         words per minute\n"
        "  --print             write the text as it would be spoken to standard output\n"
        "  --list-voices       list the voices and stop\n");
}

QString defaultWavPath(const QString& input)
{
    // The folder part is kept as written; the last extension of the name is replaced.
    const QString name = QFileInfo(input).fileName();
    const QString folder = input.left(input.size() - name.size());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return folder + base + QStringLiteral(".wav");
}

std::optional<VozozoArgs> parseVozozoArgs(const QStringList& arguments, QString* error)
{
    VozozoArgs args;
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&](QString* into) {
            if (i + 1 >= arguments.size())
                return false;
            *into = arguments[++i];
            return true;
        };
        if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
            if (!value(&args.output) || args.output.isEmpty())
                return fail(QStringLiteral("%1 needs a file name").arg(argument));
        } else if (argument == QLatin1String("--voice")) {
            if (!value(&args.voice) || args.voice.trimmed().isEmpty())
                return fail(QStringLiteral("--voice needs a voice name (see --list-voices)"));
        } else if (argument == QLatin1String("--speed")) {
            QString text;
            bool ok = false;
            if (value(&text))
                args.speed = text.toInt(&ok);
            if (!ok || args.speed <= 0)
                return fail(QStringLiteral("--speed needs a number of words per minute above 0"));
        } else if (argument == QLatin1String("--print")) {
            args.print = true;
        } else if (argument == QLatin1String("--list-voices")) {
            args.listVoices = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            args.help = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            return fail(QStringLiteral("unknown option %1").arg(argument));
        } else if (args.input.isEmpty()) {
            args.input = argument;
        } else {
            return fail(QStringLiteral("only one input file, please (%1 and %2)").arg(args.input, argument));
        }
    }
    if (args.input.isEmpty() && !args.listVoices && !args.help)
        return fail(QStringLiteral("no input file"));
    if (args.output.isEmpty() && !args.input.isEmpty())
        args.output = defaultWavPath(args.input);
    return args;
}

} // namespace narrix
