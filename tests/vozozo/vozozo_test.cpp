// vozozo: argument parsing, reading the input, the WAV export and the program itself.
#include "vozozo/input_reader.h"
#include "vozozo/speech_export.h"
#include "vozozo/vozozo_args.h"
#include "vozozo/vozozo_voices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace narrix {
namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

struct Wav
{
    int rate = 0;
    int channels = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;
};

// Reads a 16-bit WAV file chunk by chunk (RIFF, or RF64 with its ds64 sizes).
Wav readWav(const QString& path)
{
    Wav wav;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return wav;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || (!bytes.startsWith("RIFF") && !bytes.startsWith("RF64")) ||
        bytes.mid(8, 4) != "WAVE")
        return wav;
    auto le16 = [&](qsizetype at) { return qFromLittleEndian<std::uint16_t>(bytes.constData() + at); };
    auto le32 = [&](qsizetype at) { return qFromLittleEndian<std::uint32_t>(bytes.constData() + at); };
    std::uint64_t ds64Data = 0;
    if (bytes.startsWith("RIFF")) {
        EXPECT_EQ(le32(4) + 8ULL, static_cast<std::uint64_t>(bytes.size()));
    }
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        std::uint64_t size = le32(at + 4);
        if (id == "ds64") {
            EXPECT_EQ(qFromLittleEndian<std::uint64_t>(bytes.constData() + at + 8) + 8,
                      static_cast<std::uint64_t>(bytes.size()));
            ds64Data = qFromLittleEndian<std::uint64_t>(bytes.constData() + at + 16);
        } else if (id == "fmt ") {
            wav.channels = le16(at + 10);
            wav.rate = static_cast<int>(le32(at + 12));
            wav.bits = le16(at + 22);
        } else if (id == "data") {
            if (size == 0xFFFFFFFFU)
                size = ds64Data;
            EXPECT_EQ(static_cast<std::uint64_t>(at + 8) + size, static_cast<std::uint64_t>(bytes.size()));
            wav.samples.resize(size / 2);
            std::memcpy(wav.samples.data(), bytes.constData() + at + 8, wav.samples.size() * 2);
            break;
        }
        at += 8 + static_cast<qsizetype>(size);
    }
    return wav;
}

double rms(const std::vector<std::int16_t>& samples)
{
    double sum = 0;
    for (auto s : samples)
        sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

TEST(VozozoArgs, ParsesOptionsAndRejectsNonsense)
{
    QString error;
    auto args = parseVozozoArgs({QStringLiteral("story.txt")}, &error);
    ASSERT_TRUE(args);
    EXPECT_EQ(args->input, QStringLiteral("story.txt"));
    EXPECT_TRUE(args->output.endsWith(QStringLiteral("story.wav")));

    args = parseVozozoArgs({QStringLiteral("--voice"), QStringLiteral("SLT, American English female (flite)"),
                            QStringLiteral("/tmp/a.b.txt"), QStringLiteral("-o"), QStringLiteral("out.wav"),
                            QStringLiteral("--speed"), QStringLiteral("200"), QStringLiteral("--print")},
                           &error);
    ASSERT_TRUE(args);
    EXPECT_EQ(args->voice, QStringLiteral("SLT, American English female (flite)"));
    EXPECT_EQ(args->output, QStringLiteral("out.wav"));
    EXPECT_EQ(args->speed, 200);
    EXPECT_TRUE(args->print);
    EXPECT_EQ(defaultWavPath(QStringLiteral("/tmp/a.b.txt")), QStringLiteral("/tmp/a.b.wav"));
    EXPECT_EQ(defaultWavPath(QStringLiteral("notes")), QStringLiteral("notes.wav"));

    ASSERT_TRUE(parseVozozoArgs({QStringLiteral("--list-voices")}, &error));

    for (const QStringList& bad :
         {QStringList{}, QStringList{QStringLiteral("a"), QStringLiteral("b")},
          QStringList{QStringLiteral("a"), QStringLiteral("--speed")},
          QStringList{QStringLiteral("a"), QStringLiteral("--speed"), QStringLiteral("fast")},
          QStringList{QStringLiteral("a"), QStringLiteral("--speed"), QStringLiteral("-5")},
          QStringList{QStringLiteral("a"), QStringLiteral("-o")},
          QStringList{QStringLiteral("a"), QStringLiteral("--voice"), QStringLiteral("  ")},
          QStringList{QStringLiteral("a"), QStringLiteral("--loud")}}) {
        error.clear();
        EXPECT_FALSE(parseVozozoArgs(bad, &error)) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(VozozoInput, ReadsFilesAsTextAndExplainsFailures)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_EQ(readVozozoInput(writeFile(dir, QStringLiteral("u.txt"), "caf\xC3\xA9"), &error), "caf\xC3\xA9");
    // Not UTF-8: read as Windows-1252.
    EXPECT_EQ(readVozozoInput(writeFile(dir, QStringLiteral("w.txt"), "caf\xE9 \x92"), &error),
              "caf\xC3\xA9 \xE2\x80\x99");
    EXPECT_EQ(readVozozoInput(writeFile(dir, QStringLiteral("e.txt"), ""), &error), "");

    EXPECT_FALSE(readVozozoInput(dir.filePath(QStringLiteral("missing.txt")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no such file")));
    EXPECT_FALSE(readVozozoInput(dir.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder")));
}

TEST(VozozoInput, HtmlFilesAreConvertedAsChannelFilesAre)
{
    QTemporaryDir dir;
    QString error;
    const QByteArray page = "<html><head><meta charset=\"iso-8859-1\"><style>p{}</style></head>"
                            "<body><p>Caf\xE9</p><p>20&deg;C</p></body></html>";
    for (const char* name : {"a.htm", "b.HTML", "c.Htm"})
        EXPECT_EQ(readVozozoInput(writeFile(dir, QString::fromLatin1(name), page), &error),
                  "Caf\xC3\xA9. 20 degrees Celsius")
            << name;
    // Other extensions are plain text, tags and all.
    EXPECT_EQ(readVozozoInput(writeFile(dir, QStringLiteral("d.shtml"), "<p>x</p>"), &error), "<p>x</p>");
}

TEST(VozozoExport, WritesAValidWavOfTheSpokenText)
{
    QTemporaryDir dir;
    const VoiceInfo* voice = findVozozoVoice(QStringLiteral("english (america) (espeak-ng)"));
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(findVozozoVoice(QStringLiteral("No such voice")), nullptr);
    Prosody prosody;
    prosody.speed = 175;
    std::vector<double> seen;
    const QString path = dir.filePath(QStringLiteral("out.wav"));
    const auto result = exportSpeechToFile("One sentence here. And a second one.", *voice, prosody, path,
                                           [&](double fraction) {
                                               seen.push_back(fraction);
                                               return true;
                                           });
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const Wav wav = readWav(path);
    EXPECT_EQ(wav.rate, kSpeechExportRate);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.samples.size(), result.samples);
    EXPECT_GT(wav.samples.size(), static_cast<std::size_t>(kSpeechExportRate * 1.5));
    EXPECT_LT(wav.samples.size(), static_cast<std::size_t>(kSpeechExportRate * 6));
    EXPECT_GT(rms(wav.samples), 300.0);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_DOUBLE_EQ(seen.back(), 1.0);

    // Cancelling leaves nothing new: the file of the export before stays whole, and a new name stays
    // free.
    QFile finished(path);
    ASSERT_TRUE(finished.open(QIODevice::ReadOnly));
    const QByteArray before = finished.readAll();
    finished.close();
    const QString fresh = dir.filePath(QStringLiteral("fresh.wav"));
    for (const QString& target : {path, fresh}) {
        const auto cancelled = exportSpeechToFile("First. Second. Third.", *voice, prosody, target,
                                                  [](double) { return false; });
        EXPECT_TRUE(cancelled.cancelled);
        EXPECT_FALSE(cancelled.ok);
    }
    ASSERT_TRUE(finished.open(QIODevice::ReadOnly));
    EXPECT_EQ(finished.readAll(), before);
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.wav")});

    // A folder that does not exist is reported.
    const auto unwritable =
        exportSpeechToFile("Hello.", *voice, prosody, dir.filePath(QStringLiteral("no/such/x.wav")));
    EXPECT_FALSE(unwritable.ok);
    EXPECT_FALSE(unwritable.error.isEmpty());
}

// The program as a user runs it.
class VozozoProgram : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString program = qEnvironmentVariable("NARRIX_BINARY_DIR") + QStringLiteral("/src/vozozo/vozozo");

    int run(const QStringList& arguments, QByteArray* out = nullptr, QByteArray* err = nullptr)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        if (out)
            *out = process.readAllStandardOutput();
        if (err)
            *err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

TEST_F(VozozoProgram, PrintsListsConvertsAndFailsClearly)
{
    const QString input =
        writeFile(dir, QStringLiteral("news.txt"), "The U.S. report ======= is out.... Read it.\n");
    QByteArray out;
    QByteArray err;
    ASSERT_EQ(run({input, QStringLiteral("--print")}, &out), 0);
    EXPECT_EQ(out, "The US report         is out  .  Read it.\n");

    ASSERT_EQ(run({QStringLiteral("--list-voices")}, &out), 0);
    EXPECT_TRUE(out.contains("SLT, American English female (flite)\tfemale\tlanguage 9\n"));
    EXPECT_GT(out.count('\n'), 200);

    const QString wavPath = dir.filePath(QStringLiteral("news.wav"));
    ASSERT_EQ(run({input, QStringLiteral("--voice"), QStringLiteral("KAL, American English male (flite)"),
                   QStringLiteral("--speed"), QStringLiteral("200")},
                  nullptr, &err),
              0)
        << err.toStdString();
    const Wav wav = readWav(wavPath);
    EXPECT_GT(wav.samples.size(), static_cast<std::size_t>(kSpeechExportRate));
    EXPECT_GT(rms(wav.samples), 300.0);

    EXPECT_EQ(run({dir.filePath(QStringLiteral("absent.txt"))}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("absent.txt: no such file"));
    EXPECT_EQ(run({input, QStringLiteral("--voice"), QStringLiteral("Nobody")}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("unknown voice \"Nobody\""));
    EXPECT_EQ(run({input, QStringLiteral("--bogus")}, nullptr, &err), 2);
    EXPECT_TRUE(err.contains("Usage: vozozo"));
}

} // namespace
} // namespace narrix
