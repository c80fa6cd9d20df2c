// espeak-ng's voice list from its cache file, against the installed espeak-ng: the cached list is
// the real one, a cache is believed only while espeak-ng's voice folders stay as they were, and a
// broken cache file is listed over and rewritten.
#include "speech/espeak_backend.h"
#include "speech/espeak_library.h"
#include "speech/espeak_voice_cache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace narrix {
namespace {

using VoiceFields =
    std::tuple<std::string, std::string, int, int, int, SynthBackendKind, std::string, int, int>;

std::vector<VoiceFields> fields(const std::vector<VoiceInfo>& voices)
{
    std::vector<VoiceFields> result;
    for (const VoiceInfo& v : voices)
        result.emplace_back(v.name.toStdString(), v.speaker.toStdString(), v.gender, v.age, v.language,
                            v.backend, v.backendVoice, v.minSpeed, v.maxSpeed);
    return result;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// espeak-ng, once it has listed its voices, does not end reliably when started a second time in one
// process: every listing test shares one backend, started once, and points it at the file it needs.
EspeakBackend& sharedBackend()
{
    static EspeakBackend backend;
    return backend;
}

struct EspeakVoiceCacheTest : ::testing::Test
{
    QTemporaryDir folder;
    QString cachePath = folder.filePath(QStringLiteral("cache/narrix/espeak-ng-voices"));
    std::vector<VoiceFields> realVoices = listWith(QString());

    static std::vector<VoiceFields> listWith(const QString& path)
    {
        sharedBackend().setVoiceCachePath(path);
        return fields(sharedBackend().listVoices());
    }
    std::vector<VoiceFields> listWithCache() { return listWith(cachePath); }
};

// In a process of its own: a backend that listed from the file has not started espeak-ng, and speaks.
std::string listFromAFileOfTheCurrentKeyAndSpeak(const QString& path)
{
    const EspeakLibrary* espeak = EspeakLibrary::open();
    if (espeak == nullptr)
        return "espeak-ng cannot be opened";
    const std::string header = espeakVoiceCacheHeader(*espeak);
    // A voice of a name espeak-ng does not have, so that only the file can have listed it.
    EspeakVoiceListing listing;
    listing.languages.push_back({"Cached\tAmerican", "gmw/en-US", "en-us", 2, 30});
    QString error;
    if (!writeEspeakVoiceCache(path, header, listing, &error))
        return error.toStdString();

    EspeakBackend backend;
    backend.setVoiceCachePath(path);
    const std::vector<VoiceInfo> voices = backend.listVoices();
    if (fields(voices) != std::vector<VoiceFields>{{"Cached\tAmerican (espeak-ng)", "Cached\tAmerican", 1, 30,
                                                    9, SynthBackendKind::Espeak, "gmw/en-US", 80, 450}})
        return "the backend did not list the file's voice";
    std::size_t samples = 0;
    backend.synthesize(voices.front(), "Hello.", Prosody{}, [&](const std::int16_t*, std::size_t count, int) {
        samples += count;
        return true;
    });
    return samples > 1000 ? std::string() : "the voice listed from the file did not speak";
}

TEST(EspeakVoiceCacheFreshProcess, AWholeFileOfTheCurrentKeyIsBelievedAndItsVoicesSpeak)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("espeak-ng-voices"));
    EXPECT_EXIT(
        {
            const std::string failure = listFromAFileOfTheCurrentKeyAndSpeak(path);
            // The child leaves by exit(), which runs no destructor.
            QDir(folder.path()).removeRecursively();
            std::fprintf(stderr, "%s\n", failure.c_str());
            std::exit(failure.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(EspeakVoiceCacheTest, TheFirstListingWritesTheFileLaterOnesReadItOrListOverABrokenOne)
{
    ASSERT_GT(realVoices.size(), 200u);
    EXPECT_EQ(listWithCache(), realVoices);
    const QByteArray good = contents(cachePath);
    const QDateTime writtenAt = QFileInfo(cachePath).lastModified();
    EXPECT_EQ(listWithCache(), realVoices);
    EXPECT_EQ(QFileInfo(cachePath).lastModified(), writtenAt);

    const qsizetype headerEnd = good.indexOf("\nlanguages ") + 1;
    const qsizetype firstLineEnd = good.indexOf('\n') + 1;
    const qsizetype keyLine = good.indexOf("\nfolder ") + 1;
    ASSERT_TRUE(firstLineEnd > 0 && keyLine > firstLineEnd && headerEnd > keyLine &&
                good.size() > headerEnd + 100);
    QByteArray garbage(4096, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) % 251);
    QByteArray alteredName = good;
    alteredName[headerEnd + 20] = alteredName[headerEnd + 20] == 'x' ? 'y' : 'x';
    QByteArray longLines = good.left(headerEnd);
    for (int i = 0; i < 10001; ++i)
        longLines += "\n";

    const struct
    {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"first line only", good.left(firstLineEnd)},
        {"header only", good.left(headerEnd)},
        {"truncated inside a voice", good.left(good.size() / 2)},
        {"without its last line end", good.chopped(1)},
        {"garbage", garbage},
        {"garbage after the header", good.left(headerEnd) + garbage},
        {"a voice's name altered", alteredName},
        {"an older format", good.left(firstLineEnd).replace(" 1\n", " 0\n") + good.mid(firstLineEnd)},
        {"another folder time", good.left(keyLine) + "folder 1\tvoices/gone\n" + good.mid(keyLine)},
        {"too many lines", longLines},
        {"over a mebibyte", good + QByteArray(1 << 20, 'a')},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.what);
        write(cachePath, broken.bytes);
        EXPECT_EQ(listWithCache(), realVoices);
        EXPECT_EQ(contents(cachePath), good);
    }
}

TEST_F(EspeakVoiceCacheTest, AnUnwritableFolderListsForReal)
{
    write(folder.filePath(QStringLiteral("file")), "not a folder");
    cachePath = folder.filePath(QStringLiteral("file/espeak-ng-voices"));
    EXPECT_EQ(listWithCache(), realVoices);
}

// The key on a data folder of our own: the version and each voice folder's time, to the nanosecond.
TEST(EspeakVoiceCacheHeader, ChangesWithTheVersionAndEveryVoiceFolder)
{
    QTemporaryDir data;
    for (const char* sub : {"voices/!v", "lang/gmw", "other"})
        ASSERT_TRUE(QDir(data.path()).mkpath(QString::fromLatin1(sub)));
    write(data.filePath(QStringLiteral("voices/!v/f3")), "name f3\n");
    const std::filesystem::path root = data.path().toStdString();
    const auto setTime = [&](const char* sub, long nanoseconds) {
        const timespec times[2] = {{1700000000, nanoseconds}, {1700000000, nanoseconds}};
        ASSERT_EQ(utimensat(AT_FDCWD, (root / sub).c_str(), times, 0), 0) << sub;
    };
    for (const char* sub : {"voices", "voices/!v", "lang", "lang/gmw", "other"})
        setTime(sub, 0);
    const std::string before = espeakVoiceCacheHeader("1.51", root);
    EXPECT_NE(espeakVoiceCacheHeader("1.52", root), before);

    const struct
    {
        const char* folder;
        bool counts;
    } changes[] = {{"voices", true},   {"voices/!v", true},     {"lang", true},
                   {"lang/gmw", true}, {"voices/!v/f3", false}, {"other", false}};
    for (const auto& change : changes) {
        SCOPED_TRACE(change.folder);
        setTime(change.folder, 1);
        EXPECT_EQ(espeakVoiceCacheHeader("1.51", root) != before, change.counts);
        setTime(change.folder, 0);
        EXPECT_EQ(espeakVoiceCacheHeader("1.51", root), before);
    }
    ASSERT_TRUE(QDir(data.path()).mkpath(QStringLiteral("lang/new")));
    EXPECT_NE(espeakVoiceCacheHeader("1.51", root), before);
}

} // namespace
} // namespace narrix
