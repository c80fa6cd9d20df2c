// The settings file on disk: full disks, pipes and devices in its place, stale locks, files that
// QSettings reads only in part.
#include "settings/settings_store.h"

#include "base/atomic_file.h"
#include "support/small_tmpfs.h"

#include <QDir>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace narrix {
namespace {

namespace fs = std::filesystem;

std::string contents(const QString& path)
{
    std::string bytes, error;
    readWholeFile(path.toStdString(), &bytes, &error);
    return bytes;
}

QString fileIn(const QTemporaryDir& dir, const char* name)
{
    return dir.filePath(QString::fromLatin1(name));
}

// A save either keeps every value or fails, says why and leaves the old file whole.
TEST(QSettingsStore, AFullDiskKeepsTheOldFileWholeAndSaysWhy)
{
    for (const off_t leaveFree : {off_t{0}, off_t{4096}, off_t{12288}}) {
        for (const int values : {4, 50, 200}) {
            const int code = testing::runOnSmallTmpfs(64 * 1024, [&](const fs::path& folder) {
                const QString path = QString::fromStdString((folder / "Narrix.conf").string());
                QString error;
                {
                    QSettingsStore store(path);
                    store.setValue(QStringLiteral("Greetings"), QStringLiteral("Hello"));
                    if (!store.flush(&error))
                        return 10;
                }
                const std::string old = contents(path);
                testing::fillUp(folder, leaveFree);
                const auto valueOf = [](int i) { return QString(200, QLatin1Char('a' + i % 26)); };
                {
                    QSettingsStore store(path);
                    for (int i = 0; i < values; ++i)
                        store.setValue(QStringLiteral("Key%1").arg(i), valueOf(i));
                    error.clear();
                    if (!store.flush(&error))
                        return error.contains(path) && contents(path) == old ? 0 : 11;
                }
                QSettingsStore saved(path);
                for (int i = 0; i < values; ++i) {
                    if (saved.value(QStringLiteral("Key%1").arg(i)) != valueOf(i))
                        return 12; // reported as saved, but not all there
                }
                return 0;
            });
            if (code == testing::kNoSmallTmpfs)
                GTEST_SKIP() << "no private tmpfs (mount namespaces need privilege)";
            EXPECT_EQ(code, 0) << leaveFree << " bytes free, " << values << " values";
        }
    }
}

// Opens the store on another thread: a store that waits for a pipe's writer fails the test instead
// of hanging it.
std::unique_ptr<QSettingsStore> openWithoutWaiting(const QString& path)
{
    auto opening = std::async(std::launch::async, [&] { return std::make_unique<QSettingsStore>(path); });
    if (opening.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "opening the settings waited on " << path.toStdString();
    }
    return opening.get();
}

TEST(QSettingsStore, APipeOrADeviceInPlaceOfTheFileIsReportedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString pipe = fileIn(dir, "pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QStringList targets = {pipe};
    // A private node of the device /dev/zero is, where the test may make one.
    const QString zero = fileIn(dir, "zero");
    if (::mknod(QFile::encodeName(zero).constData(), S_IFCHR | 0600, makedev(1, 5)) == 0)
        targets << zero;
    for (const QString& target : targets) {
        const QString link = target + QStringLiteral(".conf");
        ASSERT_TRUE(QFile::link(target, link));
        for (const QString& path : {link, target}) {
            std::unique_ptr<QSettingsStore> store = openWithoutWaiting(path);
            EXPECT_TRUE(store->value(QStringLiteral("Voice")).isEmpty());
            store->setValue(QStringLiteral("Voice"), QStringLiteral("kal"));
            QString error;
            EXPECT_FALSE(store->flush(&error)) << path.toStdString();
            EXPECT_TRUE(error.contains(QStringLiteral("left alone"))) << error.toStdString();
        }
        struct stat info = {};
        ASSERT_EQ(::lstat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << target.toStdString();
    }
}

TEST(QSettingsStore, ALockWithoutALiveOwnerIsStaleAtOnce)
{
    QTemporaryDir dir;
    const QString path = fileIn(dir, "Narrix.conf");
    const QString lockPath = path + QStringLiteral(".lock");
    const auto writeLock = [&](const std::string& text) { std::ofstream(lockPath.toStdString()) << text; };
    const auto save = [&](const QString& voice, QString* error) {
        QSettingsStore store(path);
        store.setLockTimeout(0);
        store.setValue(QStringLiteral("Voice"), voice);
        return store.flush(error);
    };
    QString error;
    for (const std::string& stale : {std::string(), std::string("garbage\n")}) {
        writeLock(stale);
        EXPECT_TRUE(save(QStringLiteral("kal"), &error)) << error.toStdString();
        EXPECT_FALSE(QFile::exists(lockPath));
    }
    // A lock of a running program (this one) is respected: the save fails and says why.
    const std::string self = fs::read_symlink("/proc/self/exe").filename().string();
    writeLock(std::to_string(::getpid()) + "\n" + self + "\n" + QSysInfo::machineHostName().toStdString() +
              "\n");
    EXPECT_FALSE(save(QStringLiteral("slt"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("locked"))) << error.toStdString();
    EXPECT_NE(contents(path).find("kal"), std::string::npos);
}

TEST(QSettingsStore, StaleTemporariesAreRemovedAndAPartlyReadFileIsSavedWithoutAFalseAlarm)
{
    QTemporaryDir dir;
    const QString path = fileIn(dir, "Narrix.conf");
    const std::string leftover = fileIn(dir, ".Narrix.conf.Ab12Cd").toStdString();
    std::ofstream(leftover) << "Proxy=secret";
    fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    // A section header without its "]" is a format error to QSettings; the rest still reads.
    std::ofstream(path.toStdString()) << "[General]\nVoice=kal\n[Broken\nx=1\n";
    QSettingsStore store(path);
    EXPECT_FALSE(QFile::exists(fileIn(dir, ".Narrix.conf.Ab12Cd")));
    EXPECT_EQ(store.value(QStringLiteral("Voice")), QStringLiteral("kal"));
    store.setValue(QStringLiteral("Speed"), QStringLiteral("170"));
    QString error;
    EXPECT_TRUE(store.flush(&error)) << error.toStdString();
    QSettingsStore again(path);
    EXPECT_EQ(again.value(QStringLiteral("Voice")), QStringLiteral("kal"));
    EXPECT_EQ(again.value(QStringLiteral("Speed")), QStringLiteral("170"));
}

} // namespace
} // namespace narrix

namespace narrix {
namespace {

// The voice settings are saved by their own writer while the window's store is open: its save at
// shutdown keeps them.
TEST(QSettingsStore, KeepsWhatAnotherWriterSavedMeanwhile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Narrix.conf"));
    QSettingsStore window(path);
    window.setValue(QStringLiteral("Speed"), QStringLiteral("170"));
    {
        SettingsFile voices(path);
        voices.values().setValue(QStringLiteral("EngineVoices/kal/Pitch"), QStringLiteral("7"));
        QString error;
        ASSERT_TRUE(voices.save(&error)) << error.toStdString();
    }
    QString error;
    ASSERT_TRUE(window.flush(&error)) << error.toStdString();
    const SettingsFile back(path);
    EXPECT_EQ(back.values().value(QStringLiteral("Speed")).toString(), QStringLiteral("170"));
    EXPECT_EQ(back.values().value(QStringLiteral("EngineVoices/kal/Pitch")).toString(), QStringLiteral("7"));
}

} // namespace
} // namespace narrix
