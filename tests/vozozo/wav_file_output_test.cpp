// Where an export's WAV goes: only a finished file ever appears at the path, and nothing vozozo did not
// create is truncated or removed (regular files, links, named pipes, device nodes); RF64 beyond the
// RIFF limit.
#include "vozozo/wav_file_output.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace narrix {
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Names in the folder other than those expected: leftovers such as temporary files.
QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

std::uint32_t le32(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

std::uint64_t le64(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<std::uint64_t>(bytes.constData() + at);
}

bool writeSamples(WavFileOutput& output, std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(i * 7);
    return output.append(samples.data(), samples.size());
}

TEST(WavFileOutput, AFailedExportLeavesRegularFilesAndLinksAsTheyWere)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("old.wav"));
    const QString link = dir.filePath(QStringLiteral("link.wav"));
    writeBytes(file, "old contents");
    ASSERT_TRUE(QFile::link(file, link));
    for (const QString& path : {file, link, dir.filePath(QStringLiteral("new.wav"))}) {
        {
            WavFileOutput output(22050);
            QString error;
            ASSERT_TRUE(output.open(path, &error)) << error.toStdString();
            ASSERT_TRUE(writeSamples(output, 5000));
            EXPECT_EQ(readAll(file), "old contents"); // untouched while the export runs
        }                                             // abandoned
        EXPECT_EQ(readAll(file), "old contents") << path.toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(entries(dir), (QStringList{QStringLiteral("link.wav"), QStringLiteral("old.wav")}));
    }

    // Success through the link replaces the file it names and keeps the link.
    WavFileOutput output(22050);
    QString error;
    ASSERT_TRUE(output.open(link, &error));
    ASSERT_TRUE(writeSamples(output, 3));
    ASSERT_TRUE(output.commit(&error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    const QByteArray wav = readAll(file);
    ASSERT_EQ(wav.size(), static_cast<qsizetype>(kWavFileHeaderSize + 6));
    EXPECT_TRUE(wav.startsWith("RIFF"));
    EXPECT_EQ(le32(wav, 4), kWavFileHeaderSize - 8 + 6);
    EXPECT_EQ(wav.mid(12, 4), "JUNK");
    EXPECT_EQ(wav.mid(72, 4), "data");
    EXPECT_EQ(le32(wav, 76), 6U);
    EXPECT_EQ(entries(dir), (QStringList{QStringLiteral("link.wav"), QStringLiteral("old.wav")}));
}

TEST(WavFileOutput, WritesStraightIntoPipesAndDevicesAndNeverRemovesThem)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.wav"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (bool commit : {true, false}) {
        QByteArray received;
        std::thread reader([&] { received = readAll(fifo); });
        {
            WavFileOutput output(22050);
            QString error;
            EXPECT_TRUE(output.open(fifo, &error)) << error.toStdString();
            EXPECT_FALSE(output.replacesPath());
            EXPECT_TRUE(writeSamples(output, 100));
            if (commit) {
                EXPECT_TRUE(output.commit(&error)) << error.toStdString();
            }
        }
        reader.join();
        // A pipe cannot be rewound: the sizes stay "unknown", as streaming readers expect.
        ASSERT_EQ(received.size(), static_cast<qsizetype>(kWavFileHeaderSize + (commit ? 200 : 0)));
        EXPECT_EQ(le32(received, 76), 0xFFFFFFFFU);
        struct stat info = {};
        ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode));
    }

    // A private null device (root only): written into, kept as a device.
    const QString device = dir.filePath(QStringLiteral("null"));
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod needs root";
    for (bool commit : {true, false}) {
        WavFileOutput output(22050);
        QString error;
        ASSERT_TRUE(output.open(device, &error)) << error.toStdString();
        ASSERT_TRUE(writeSamples(output, 100));
        if (commit) {
            EXPECT_TRUE(output.commit(&error)) << error.toStdString();
        }
    }
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(WavFileOutput, BecomesRf64BeyondTheRiffLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.wav"));
    struct Case
    {
        std::size_t samples;
        bool rf64;
    };
    // The limit counts the RIFF content: 72 header bytes and the samples.
    for (const Case& c : {Case{464, false}, Case{465, true}, Case{100000, true}}) {
        WavFileOutput output(22050, 1000);
        QString error;
        ASSERT_TRUE(output.open(path, &error));
        ASSERT_TRUE(writeSamples(output, c.samples));
        ASSERT_TRUE(output.commit(&error));
        const QByteArray wav = readAll(path);
        const std::uint64_t data = c.samples * 2;
        ASSERT_EQ(static_cast<std::uint64_t>(wav.size()), kWavFileHeaderSize + data);
        EXPECT_EQ(wav.left(4), c.rf64 ? "RF64" : "RIFF") << c.samples;
        EXPECT_EQ(wav.mid(12, 4), c.rf64 ? "ds64" : "JUNK");
        if (c.rf64) {
            EXPECT_EQ(le32(wav, 4), 0xFFFFFFFFU);
            EXPECT_EQ(le32(wav, 76), 0xFFFFFFFFU);
            EXPECT_EQ(le64(wav, 20), kWavFileHeaderSize - 8 + data);
            EXPECT_EQ(le64(wav, 28), data);
            EXPECT_EQ(le64(wav, 36), c.samples);
        } else {
            EXPECT_EQ(le32(wav, 4), kWavFileHeaderSize - 8 + data);
            EXPECT_EQ(le32(wav, 76), data);
        }
    }
}

} // namespace
} // namespace narrix
