// vozozo as a user runs it, where it could lose data: its own input as output, signals in the middle of
// an export, inputs without end, standard input, web addresses, and export on several workers.
#include "speech/speech_text_cleanup.h"
#include "vozozo/input_reader.h"
#include "vozozo/vozozo_args.h"
#include "vozozo/vozozo_cli.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

const QString kEspeak = QStringLiteral("English (America) (espeak-ng)");

QString program()
{
    return qEnvironmentVariable("NARRIX_BINARY_DIR") + QStringLiteral("/src/vozozo/vozozo");
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sentences(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "This is sentence number " + QByteArray::number(i) + " of a long text, read aloud. ";
    return text;
}

struct RunResult
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

RunResult run(const QStringList& arguments, const QByteArray& input = {}, const QString& folder = {},
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program(), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(120000));
    RunResult result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

std::vector<std::int16_t> samplesOf(const QByteArray& wav)
{
    std::vector<std::int16_t> samples;
    if (wav.size() < 80 || wav.mid(72, 4) != "data")
        return samples;
    samples.resize(static_cast<std::size_t>(wav.size() - 80) / 2);
    std::memcpy(samples.data(), wav.constData() + 80, samples.size() * 2);
    return samples;
}

TEST(VozozoSafety, RefusesToWriteOverItsOwnInput)
{
    QTemporaryDir dir;
    const QByteArray text = "Hello there.";
    const QString input = writeFile(dir, QStringLiteral("note.txt"), text);
    const QString hardLink = dir.filePath(QStringLiteral("other-name.txt"));
    ASSERT_EQ(::link(QFile::encodeName(input).constData(), QFile::encodeName(hardLink).constData()), 0);
    const QString symLink = dir.filePath(QStringLiteral("sym.wav"));
    ASSERT_TRUE(QFile::link(input, symLink));
    for (const QString& output : {input, hardLink, symLink}) {
        const RunResult result =
            run({input, QStringLiteral("-o"), output, QStringLiteral("--voice"), kEspeak});
        EXPECT_EQ(result.status, 1) << output.toStdString();
        EXPECT_TRUE(result.err.contains("is the input")) << result.err.toStdString();
        EXPECT_EQ(readAll(input), text);
    }
    // A ".wav" input without -o would be written over itself.
    const QString wavInput = writeFile(dir, QStringLiteral("words.wav"), text);
    const RunResult result = run({wavInput, QStringLiteral("--voice"), kEspeak});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(readAll(wavInput), text);
    EXPECT_TRUE(outputIsInput(QStringLiteral("-"), QStringLiteral("-")) ==
                outputIsInput(QStringLiteral("/dev/stdin"), QStringLiteral("/dev/stdout")));
}

TEST(VozozoSafety, AnInterruptedExportLeavesNothingAtTheOutput)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("long.txt"), sentences(4000));
    const QString output = dir.filePath(QStringLiteral("long.wav"));
    struct Case
    {
        int signal;
        const char* jobs;
        bool oldFile;
    };
    for (const Case& c : {Case{SIGINT, "1", false}, Case{SIGTERM, "2", true}, Case{SIGHUP, "2", false}}) {
        QFile::remove(output);
        if (c.oldFile)
            writeFile(dir, QStringLiteral("long.wav"), "earlier file");
        QProcess process;
        process.start(program(), {input, QStringLiteral("-o"), output, QStringLiteral("--voice"), kEspeak,
                                  QStringLiteral("--jobs"), QString::fromLatin1(c.jobs)});
        ASSERT_TRUE(process.waitForStarted());
        // Waits for the export to be under way: its temporary file exists and has audio in it.
        bool writing = false;
        for (int i = 0; i < 2000 && !writing; ++i) {
            const QFileInfoList temps =
                QDir(dir.path()).entryInfoList({QStringLiteral(".long.wav.*")}, QDir::Files | QDir::Hidden);
            writing = !temps.isEmpty() && temps.first().size() > 100000;
            if (!writing)
                QThread::msleep(10);
        }
        ASSERT_TRUE(writing) << c.signal;
        ::kill(static_cast<pid_t>(process.processId()), c.signal);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << c.signal; // ended by the signal
        if (c.oldFile)
            EXPECT_EQ(readAll(output), "earlier file");
        else
            EXPECT_FALSE(QFile::exists(output)) << c.signal;
        EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral(".long.wav.*")}, QDir::Files | QDir::Hidden),
                  QStringList())
            << c.signal;
    }
}

TEST(VozozoSafety, LocalInputsAreReadUpToALimit)
{
    QTemporaryDir dir;
    QString error;
    const QString big = writeFile(dir, QStringLiteral("big.txt"), QByteArray(5000, 'a'));
    EXPECT_FALSE(readVozozoInput(big, &error, 4096));
    EXPECT_TRUE(error.contains(QStringLiteral("larger than"))) << error.toStdString();
    EXPECT_TRUE(readVozozoInput(big, &error, 5000));

    // A pipe (or a device such as /dev/zero) that never ends stops at the limit.
    const QString fifo = dir.filePath(QStringLiteral("endless"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::thread writer([&] {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
        const std::string chunk(4096, 'z');
        while (fd >= 0 && ::write(fd, chunk.data(), chunk.size()) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
    });
    ::signal(SIGPIPE, SIG_IGN);
    error.clear();
    EXPECT_FALSE(readVozozoInput(fifo, &error, 1 << 20));
    EXPECT_TRUE(error.contains(QStringLiteral("larger than 1 MiB"))) << error.toStdString();
    writer.join();

    EXPECT_TRUE(vozozoUsage().contains(QStringLiteral("up to 1 GiB")));
}

TEST(VozozoSafety, ReadsStandardInputAndNamesWebPagesOutputs)
{
    QTemporaryDir dir;
    const RunResult spoken = run({QStringLiteral("-"), QStringLiteral("-o"), QStringLiteral("hi.wav"),
                                  QStringLiteral("--voice"), kEspeak},
                                 "Hi there.\n", dir.path());
    ASSERT_EQ(spoken.status, 0) << spoken.err.toStdString();
    EXPECT_GT(samplesOf(readAll(dir.filePath(QStringLiteral("hi.wav")))).size(), 10000U);
    EXPECT_EQ(run({QStringLiteral("-"), QStringLiteral("--print")}, "Hi there.\n").out, "Hi there.\n");
    const RunResult noOutput = run({QStringLiteral("-")}, "Hi.");
    EXPECT_EQ(noOutput.status, 2);
    EXPECT_TRUE(noOutput.err.contains("standard input needs -o"));

    struct Case
    {
        const char* input;
        const char* wav;
    };
    for (const Case& c :
         {Case{"https://example.com/news/today.html?x=1", "today.wav"},
          Case{"http://example.com/", "example.com.wav"}, Case{"http://example.com", "example.com.wav"},
          Case{"https://example.com/a/b/", "b.wav"},
          Case{"https://example.com/%2E%2E%2Fetc%2Fpasswd", "passwd.wav"},
          Case{"https://example.com/we%3Aird%7Cname.txt", "we_ird_name.wav"},
          Case{"https://example.com/.hidden", "hidden.wav"}, Case{"story.txt", "story.wav"}})
        EXPECT_EQ(defaultWavPath(QString::fromLatin1(c.input)), QString::fromLatin1(c.wav)) << c.input;
}

TEST(VozozoSafety, BrowseOffersEveryInputVozozoReads)
{
    const QString filter = vozozoInputFilter();
    for (const char* pattern : {"*.txt", "*.rtf", "*.htm", "*.html", "*"})
        EXPECT_TRUE(filter.contains(QString::fromLatin1(pattern))) << pattern;
}

// narrix's rule decides, for vozozo too: the C locale counts as English.
TEST(VozozoSafety, CleansTextByTheProgramsEnglishRule)
{
    const QByteArray text = "Caf\xC3\xA9 \xE2\x80\x99quoted\xE2\x80\x99 text.\n";
    std::string expected = text.toStdString();
    CleanSpeechTextInPlace(expected, AsciiFolding::LettersAndSymbols);
    ASSERT_NE(expected, text.toStdString()); // the rule matters for this text
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    EXPECT_EQ(run({QStringLiteral("-"), QStringLiteral("--print")}, text, {}, environment).out.toStdString(),
              expected);
}

// --print needs no synthesiser: it starts no synthesis thread. Run in a fresh process of its own.
TEST(VozozoSafety, PrintStartsNoSynthesiser)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QTemporaryDir dir;
            const QString input = writeFile(dir, QStringLiteral("p.txt"), "Hello.");
            VozozoArgs args;
            args.input = input;
            args.print = true;
            const auto threads = [] {
                return QDir(QStringLiteral("/proc/self/task"))
                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                    .size();
            };
            const auto before = threads();
            std::FILE* sink = std::tmpfile();
            const int status = runVozozoCli(args, sink, sink);
            std::_Exit(status == 0 && threads() == before ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Several workers give the same audio as one: the same pieces in the same order. espeak-ng carries
// state from one call to the next (its pitch flutter runs on), so a piece that a worker speaks first
// differs in fine detail from the same piece spoken after another; pieces spoken first in both runs
// are the same sample for sample.
TEST(VozozoSafety, WorkersSpeakTheSameAsOneWorker)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("text.txt"), sentences(260));
    std::vector<std::int16_t> one;
    std::vector<std::int16_t> three;
    for (const char* jobs : {"1", "3"}) {
        const QString output = dir.filePath(QStringLiteral("out%1.wav").arg(QString::fromLatin1(jobs)));
        const RunResult result = run({input, QStringLiteral("-o"), output, QStringLiteral("--voice"), kEspeak,
                                      QStringLiteral("--jobs"), QString::fromLatin1(jobs)});
        ASSERT_EQ(result.status, 0) << result.err.toStdString();
        (jobs[0] == '1' ? one : three) = samplesOf(readAll(output));
    }
    ASSERT_GT(one.size(), 22050U * 60);
    const double ratio = static_cast<double>(three.size()) / static_cast<double>(one.size());
    EXPECT_NEAR(ratio, 1.0, 0.002);
    // The first piece (at least 4000 bytes of text, about 20 seconds) is the first call in both runs.
    EXPECT_TRUE(std::equal(one.begin(), one.begin() + 22050 * 15, three.begin()));
}

} // namespace
} // namespace narrix
