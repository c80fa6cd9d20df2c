// vozozo's audio formats as a listener's player sees them: each file read back by ffprobe, its length
// that of the WAV of the same text, its tags the document's, on parallel workers.
#include "audio_probe.h"
#include "vozozo/export_format.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::probeAudio;

const QString kVoice = QStringLiteral("English (America) (espeak-ng)");

class VozozoFormats : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString program = qEnvironmentVariable("NARRIX_BINARY_DIR") + QStringLiteral("/src/vozozo/vozozo");

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // Runs vozozo; returns its exit code, with what it said on stderr in `err`.
    int run(const QStringList& arguments, QByteArray* err = nullptr)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        if (err)
            *err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

// A page long enough to be shared between two worker processes.
QByteArray longPage()
{
    QByteArray page =
        "<html><head><title>Harbour &amp; Town</title><meta name=\"author\" content=\"Ann Writer\">"
        "</head><body>";
    for (int i = 0; page.size() < 12500; ++i)
        page +=
            "<p>The boat number " + QByteArray::number(i) + " left the harbour before the storm came in.</p>";
    return page + "</body></html>";
}

TEST_F(VozozoFormats, EveryFormatReadsBackAsTheWavDoes)
{
    const QString input = write(QStringLiteral("harbour.html"), longPage());
    struct Case
    {
        const char* extension;
        const char* container;
        const char* codec;
        int rate;
        bool tagged;
    };
    const Case cases[] = {
        {"wav", "wav", "pcm_s16le", 22050, false}, // the reference: WAV stays as it was, without tags
        {"mp3", "mp3", "mp3", 22050, true},        {"ogg", "ogg", "vorbis", 22050, true},
        {"opus", "ogg", "opus", 48000, true}, // Opus decodes at 48 kHz whatever was encoded
        {"flac", "flac", "flac", 22050, true},
    };
    double wavSeconds = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        const QString output = dir.filePath(QStringLiteral("harbour.") + QLatin1String(c.extension));
        QByteArray err;
        ASSERT_EQ(run({input, QStringLiteral("-o"), output, QStringLiteral("--voice"), kVoice,
                       QStringLiteral("--jobs"), QStringLiteral("2")},
                      &err),
                  0)
            << err.toStdString();
        const auto probe = probeAudio(output);
        ASSERT_TRUE(probe.read) << "ffprobe could not read " << output.toStdString();
        EXPECT_EQ(probe.container, QLatin1String(c.container));
        EXPECT_EQ(probe.codec, QLatin1String(c.codec));
        EXPECT_EQ(probe.channels, 1);
        if (c.rate != 48000) {
            EXPECT_EQ(probe.rate, c.rate);
        }
        if (wavSeconds == 0)
            wavSeconds = probe.seconds;
        EXPECT_GT(wavSeconds, 60.0);
        EXPECT_NEAR(probe.seconds, wavSeconds, wavSeconds * 0.02);
        if (c.tagged) {
            EXPECT_EQ(probe.tags.value(QStringLiteral("title")).toString(), QStringLiteral("Harbour & Town"));
            EXPECT_EQ(probe.tags.value(QStringLiteral("artist")).toString(), QStringLiteral("Ann Writer"));
        } else {
            EXPECT_FALSE(probe.tags.contains(QStringLiteral("title")));
        }
    }
}

TEST_F(VozozoFormats, QualityFormatOptionAndRefusals)
{
    const QString input =
        write(QStringLiteral("note.txt"), "A short note about the weather. It will rain tomorrow.");
    // --format wins over the extension, and names the default output.
    ASSERT_EQ(
        run({input, QStringLiteral("--format"), QStringLiteral("ogg"), QStringLiteral("--voice"), kVoice}),
        0);
    EXPECT_EQ(probeAudio(dir.filePath(QStringLiteral("note.ogg"))).codec, QStringLiteral("vorbis"));

    qint64 sizes[2] = {};
    for (const int quality : {0, 10}) {
        const QString output = dir.filePath(QStringLiteral("q%1.mp3").arg(quality));
        ASSERT_EQ(run({input, QStringLiteral("-o"), output, QStringLiteral("--quality"),
                       QString::number(quality), QStringLiteral("--voice"), kVoice}),
                  0);
        sizes[quality / 10] = QFile(output).size();
    }
    EXPECT_LT(sizes[0], sizes[1]);

    QByteArray err;
    for (const QStringList& bad :
         {QStringList{input, QStringLiteral("--quality"), QStringLiteral("11")},
          QStringList{input, QStringLiteral("--format"), QStringLiteral("aiff")},
          QStringList{input, QStringLiteral("--split"), QStringLiteral("pages")},
          QStringList{input, QStringLiteral("--split"), QStringLiteral("minutes"), QStringLiteral("0")},
          QStringList{input, QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("--sync"),
                      QStringLiteral("lrc")}}) {
        EXPECT_EQ(run(bad, &err), 2) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(err.contains("Usage: vozozo"));
    }
    // A failed encoded export leaves nothing behind in the folder it could not finish.
    EXPECT_EQ(run({input, QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/x.mp3"))}, &err), 1);
    EXPECT_TRUE(err.contains("x.mp3")) << err.toStdString();
}

// A disk that fills up (here: a file size limit, with its signal ignored) fails the export with the
// system's reason in every format, and the file that was there stays as it was.
TEST_F(VozozoFormats, AFullDiskFailsEveryFormatAndKeepsTheOldFile)
{
    const QString input =
        write(QStringLiteral("rain.txt"), "Rain is coming from the west. It will reach the town "
                                          "tonight. Take an umbrella when you go out tomorrow.");
    for (const char* extension : {"wav", "mp3", "ogg", "opus", "flac"}) {
        SCOPED_TRACE(extension);
        const QString output = write(QStringLiteral("rain.") + QLatin1String(extension), "the old file");
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\""),
                     program, input, QStringLiteral("-o"), output, QStringLiteral("--voice"), kVoice});
        ASSERT_TRUE(shell.waitForFinished(60000));
        EXPECT_EQ(shell.exitCode(), 1);
        EXPECT_TRUE(shell.readAllStandardError().contains("File too large"));
        QFile old(output);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "the old file");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 6); // no temporary file left
}

TEST(VozozoFormatNames, ExtensionsChooseFormats)
{
    EXPECT_EQ(exportFormatOfPath(QStringLiteral("/a/Book.MP3")), ExportFormat::Mp3);
    EXPECT_EQ(exportFormatOfPath(QStringLiteral("b.opus")), ExportFormat::Opus);
    EXPECT_EQ(exportFormatOfPath(QStringLiteral("b.ogg")), ExportFormat::OggVorbis);
    EXPECT_EQ(exportFormatOfPath(QStringLiteral("b.flac")), ExportFormat::Flac);
    EXPECT_EQ(exportFormatOfPath(QStringLiteral("-")), std::nullopt);
    EXPECT_EQ(exportFormatOfPath(QStringLiteral(".mp3")), std::nullopt);
    EXPECT_EQ(withExportExtension(QStringLiteral("/x.y/story.wav"), ExportFormat::Flac),
              QStringLiteral("/x.y/story.flac"));
    EXPECT_EQ(withExportExtension(QStringLiteral("notes"), ExportFormat::Mp3), QStringLiteral("notes.mp3"));
}

} // namespace
} // namespace narrix
