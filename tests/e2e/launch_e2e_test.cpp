// The real narrix started from the desktop's command lines: --open and --import with and without a
// running instance, and starts whose runtime folder is full, read-only or not the user's own.
#include "support/narrix_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {

QString privateFolder(const QString& path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// Offscreen, without sound, no tip at the start; the editor's and the list's diagnostics on stderr.
QProcessEnvironment environment(const QString& root, const QString& runtime)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("NARRIX_DATA_DIR"), root + QStringLiteral("/data"));
    if (runtime.isEmpty())
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    else
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("TMPDIR"), privateFolder(root + QStringLiteral("/tmp")));
    env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("NARRIX_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("narrix.debug=true"));
    env.remove(QStringLiteral("NARRIX_SPEECH_LOG"));
    QDir().mkpath(root + QStringLiteral("/config/Quillmark"));
    QFile settings(root + QStringLiteral("/config/Quillmark/Narrix.conf"));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[General]\nShowTips=False\nFontCharset=0\nGreetings=<nil>\n");
    return env;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray listFile(const char* title)
{
    return QByteArray("[") + title +
           "]\r\nGeneral=09:15 - Daily\r\nFileName=/tmp/x.txt\r\nFrequence=0\r\nTime=09:15\r\nDay=0\r\n"
           "Date=1\r\nMonth=0\r\nLastRun=Never\r\nChecked=False\r\n";
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A second start that has to end by itself: its exit code, or -1 when it did not end in time.
int secondStart(const QProcessEnvironment& env, const QStringList& arguments, QByteArray* errors = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("NARRIX_EXE"), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (errors != nullptr)
        *errors = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

using narrix::testing::NarrixProcess;

TEST(LaunchE2E, OpenAndImportWorkAloneAndThroughTheRunningInstance)
{
    ASSERT_FALSE(qEnvironmentVariable("NARRIX_EXE").isEmpty());
    QTemporaryDir root;
    const QProcessEnvironment env =
        environment(root.path(), privateFolder(root.filePath(QStringLiteral("run"))));
    const QString first = root.filePath(QStringLiteral("first document.txt"));
    const QString second = root.filePath(QStringLiteral("second.txt"));
    writeFile(first, "The first document.\n");
    writeFile(second, "The second document.\n");
    writeFile(root.filePath(QStringLiteral("one.nxl")), listFile("Imported at the start"));
    writeFile(root.filePath(QStringLiteral("two.nxl")), listFile("Handed over for import"));
    const QString schedule = root.filePath(QStringLiteral("data/schedule.nxl"));

    // Without a running instance --open starts the program with the file in the editor; it does not
    // speak it, minimise or end.
    {
        NarrixProcess narrix(env);
        narrix.setArguments({QStringLiteral("--open"), QStringLiteral("first document.txt")}, root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.waitForError("opened " + first.toUtf8() + " in the editor"))
            << narrix.errors().toStdString();

        // Through the running instance: the second start hands its file over and ends.
        EXPECT_EQ(secondStart(env, {QStringLiteral("--open"), second}), 0);
        EXPECT_TRUE(narrix.waitForError("opened " + second.toUtf8() + " in the editor"))
            << narrix.errors().toStdString();
        EXPECT_EQ(secondStart(env, {QStringLiteral("--import"), root.filePath(QStringLiteral("two.nxl"))}),
                  0);
        EXPECT_TRUE(narrix.waitForError("imported " + root.filePath(QStringLiteral("two.nxl")).toUtf8()))
            << narrix.errors().toStdString();
        EXPECT_TRUE(narrix.running());
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
    }
    EXPECT_TRUE(contents(schedule).contains("[Handed over for import]"));

    // --import alone merges into the list kept from before.
    {
        NarrixProcess narrix(env);
        narrix.setArguments({QStringLiteral("--import"), QStringLiteral("one.nxl")}, root.path());
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.waitForError("imported " + root.filePath(QStringLiteral("one.nxl")).toUtf8()))
            << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
    }
    const QByteArray list = contents(schedule);
    EXPECT_TRUE(list.contains("[Handed over for import]") && list.contains("[Imported at the start]"))
        << list.data();

    // An option without its file says so and starts nothing.
    QByteArray errors;
    EXPECT_EQ(secondStart(env, {QStringLiteral("--open")}, &errors), 2);
    EXPECT_TRUE(errors.contains("--open needs a file name")) << errors.data();
}

// A runtime folder where the single instance cannot be had: the program says why and runs without
// it (it used to end after two seconds without a word, or die of SIGBUS with a few KiB free).
TEST(LaunchE2E, AFullReadOnlyOrForeignRuntimeFolderStillStartsAndSaysWhy)
{
    QTemporaryDir root;
    struct Case
    {
        const char* name;
        const char* mountOptions; // a tmpfs as the runtime folder; none: XDG_RUNTIME_DIR unset
        unsigned long mountFlags;
        const char* said;
    };
    const Case cases[] = {
        {"8 KiB free", "size=8k", 0, nullptr},
        {"4 KiB free", "size=8k", 0, "No space left on device"},
        {"read-only", "size=8k", MS_RDONLY, "single instance"},
        {"a fallback folder open to all", nullptr, 0, "is open to other users"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString caseRoot = root.filePath(QString::fromLatin1(c.name));
        QString runtime;
        QByteArray mountPoint;
        if (c.mountOptions != nullptr) {
            runtime = caseRoot + QStringLiteral("/run");
            QDir().mkpath(runtime);
            mountPoint = QFile::encodeName(runtime);
            if (::mount("tmpfs", mountPoint.constData(), "tmpfs", c.mountFlags, c.mountOptions) != 0) {
                std::printf("skipped (%s): cannot mount a tmpfs here\n", c.name);
                continue;
            }
            if (std::string(c.name) == "4 KiB free")
                writeFile(runtime + QStringLiteral("/filler"), QByteArray(4096, 'x'));
        }
        const QProcessEnvironment env = environment(caseRoot, runtime);
        if (c.mountOptions == nullptr) {
            const QString fallback = caseRoot + QStringLiteral("/tmp/narrix-%1").arg(::getuid());
            QDir().mkpath(fallback);
            QFile::setPermissions(fallback, QFileDevice::Permissions(0x7777));
        }
        {
            NarrixProcess narrix(env);
            EXPECT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
            if (c.said != nullptr) {
                EXPECT_TRUE(narrix.waitForError(c.said)) << narrix.errors().toStdString();
            }
            EXPECT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
        }
        if (!mountPoint.isEmpty())
            ::umount(mountPoint.constData());
    }
}

} // namespace
