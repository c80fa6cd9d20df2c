#include "vozozo/vozozo_args.h"

#include "net/web_address.h"

#include <QFileInfo>
#include <QUrl>

namespace narrix {

QString vozozoUsage()
{
    return QStringLiteral(
        "Usage: vozozo INPUT [-o OUT.wav] [--format F] [--quality Q] [--split chapters|minutes N]\n"
        "              [--sync lrc|vtt] [--voice NAME] [--speed WPM] [--jobs N] [--print] [--list-voices]\n"
        "Speaks a text, rich-text or HTML file, a web page (http:// or https://) or standard input (-)\n"
        "into a WAV, MP3, Ogg Vorbis, Opus or FLAC file. Local inputs are read up to 1 GiB. Without\n"
        "arguments it opens a window.\n"
        "  -o, --output FILE   the file to write, its format by its extension (.wav, .mp3, .ogg, .opus,\n"
        "                      .flac; default: INPUT with .wav; for a web page NAME.wav in the current\n"
        "                      folder; - writes to standard output)\n"
        "  --format F          wav, mp3, ogg, opus or flac, whatever the extension\n"
        "  --quality Q         0 (smallest file) to 10 (best sound) for MP3, Ogg Vorbis and Opus\n"
        "  --split chapters    one file per chapter (\"01 Title.mp3\") beside OUT, and OUT.m3u\n"
        "  --split minutes N   files of about N minutes each, the same way\n"
        "  --sync lrc|vtt      a file beside each audio file with the time of every sentence\n"
        "  --voice NAME        the voice, as --list-voices names it\n"
        "  --speed WPM         words per minute\n"
        "  --jobs N            synthesis workers (default: one per processor)\n"
        "  --print             write the text as it would be spoken to standard output\n"
        "  --list-voices       list the voices and stop\n");
}

QString vozozoInputFilter()
{
    return QStringLiteral("Texts and documents (*.txt *.text *.rtf *.htm *.html *.pdf *.epub *.docx *.odt);;"
                          "Text files (*.txt *.text);;Rich text (*.rtf);;Web pages (*.htm *.html);;"
                          "PDF documents (*.pdf);;EPUB books (*.epub);;Word documents (*.docx);;"
                          "OpenDocument texts (*.odt);;All files (*)");
}

namespace {

// A name made from a web address: its last path segment without the extension, else its host, with
// characters that cannot or should not stand in a file name replaced.
QString wavNameForAddress(const QString& address)
{
    const QUrl url(address.trimmed());
    const QStringList segments = url.path(QUrl::FullyDecoded).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString name = segments.isEmpty() ? QString() : segments.last();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    if (name.isEmpty())
        name = url.host();
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c == QChar(0x7F) || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char(' ')) ||
           name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    name = name.trimmed().left(200);
    return (name.isEmpty() ? QStringLiteral("page") : name) + QStringLiteral(".wav");
}

} // namespace

QString defaultWavPath(const QString& input)
{
    if (input == QLatin1String("-"))
        return {};
    if (net::isWebAddress(input.toStdString()) && !QFileInfo::exists(input))
        return wavNameForAddress(input);
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
    bool formatGiven = false;
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
        } else if (argument == QLatin1String("--jobs")) {
            QString text;
            bool ok = false;
            if (value(&text))
                args.jobs = text.toInt(&ok);
            if (!ok || args.jobs <= 0 || args.jobs > 256)
                return fail(QStringLiteral("--jobs needs a number of workers from 1 to 256"));
        } else if (argument == QLatin1String("--format")) {
            QString text;
            const auto format = value(&text) ? exportFormatNamed(text) : std::nullopt;
            if (!format)
                return fail(QStringLiteral("--format needs wav, mp3, ogg, opus or flac"));
            args.format = *format;
            formatGiven = true;
        } else if (argument == QLatin1String("--quality")) {
            QString text;
            bool ok = false;
            if (value(&text))
                args.quality = text.toInt(&ok);
            if (!ok || args.quality < 0 || args.quality > kExportQualityMaximum)
                return fail(
                    QStringLiteral("--quality needs a number from 0 to %1").arg(kExportQualityMaximum));
        } else if (argument == QLatin1String("--split")) {
            QString kind;
            if (value(&kind) && kind == QLatin1String("chapters")) {
                args.split = SplitKind::Chapters;
            } else if (kind == QLatin1String("minutes")) {
                QString text;
                bool ok = false;
                if (value(&text))
                    args.splitMinutes = text.toInt(&ok);
                if (!ok || args.splitMinutes <= 0)
                    return fail(QStringLiteral("--split minutes needs a number of minutes above 0"));
                args.split = SplitKind::Minutes;
            } else {
                return fail(QStringLiteral("--split needs \"chapters\" or \"minutes N\""));
            }
        } else if (argument == QLatin1String("--sync")) {
            QString text;
            args.sync = value(&text) ? syncFormatNamed(text) : std::nullopt;
            if (!args.sync)
                return fail(QStringLiteral("--sync needs lrc or vtt"));
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
    if (args.output.isEmpty() && !args.input.isEmpty()) {
        args.output = defaultWavPath(args.input);
        if (formatGiven && !args.output.isEmpty())
            args.output = withExportExtension(args.output, args.format);
    }
    if (args.output.isEmpty() && !args.print && !args.listVoices && !args.help)
        return fail(QStringLiteral("standard input needs -o FILE.wav"));
    if (!formatGiven)
        args.format = exportFormatOfPath(args.output).value_or(ExportFormat::Wav);
    if ((args.split != SplitKind::None || args.sync) && args.output == QLatin1String("-"))
        return fail(QStringLiteral("--split and --sync write files: choose one with -o"));
    return args;
}

} // namespace narrix
