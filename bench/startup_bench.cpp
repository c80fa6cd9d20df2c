// Start-up benchmark: time to the first shown window and idle memory (RSS) of narrix next to an empty
// QMainWindow program, alternating runs so that both see the same machine load.
// Usage: bench_startup NARRIX EMPTY_WINDOW [RUNS] [IDLE_MS]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double shownMs = -1; // from process start, as the program itself reports it
    double wallMs = -1;  // from this program's start() call to the report
    double rssKiB = -1;  // after the idle wait
};

double rssKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return -1;
}

Sample runOnce(const QString& program, int idleMs)
{
    QTemporaryDir root;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("NARRIX_DATA_DIR"), root.filePath(QStringLiteral("data")));
    // A runtime folder of its own, so that each run starts the program rather than handing over to a
    // Narrix that runs beside the benchmark. In memory where the machine has a tmpfs, as a desktop
    // session's runtime folder always is: on a disk the lock file's sync alone costs milliseconds.
    const QTemporaryDir memoryRoot(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/narrix-bench-XXXXXX")
                                       : root.filePath(QStringLiteral("run-XXXXXX")));
    const QString runtime = memoryRoot.path();
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
    env.insert(QStringLiteral("NARRIX_STARTUP_PROBE"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    Sample sample;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    QByteArray errors;
    const QByteArray marker = "narrix: shown after ";
    while (!errors.contains(marker) && process.waitForReadyRead(30000))
        errors += process.readAllStandardError();
    sample.wallMs = double(clock.nsecsElapsed()) / 1e6;
    const qsizetype at = errors.indexOf(marker);
    if (at >= 0)
        sample.shownMs = errors.mid(at + marker.size()).split(' ').value(0).toDouble();
    QThread::msleep(static_cast<unsigned long>(idleMs));
    QCoreApplication::processEvents();
    sample.rssKiB = rssKiB(process.processId());
    // A program that has ended already (a hand-over to a running one) has no id: kill(0) would stop
    // the benchmark's own process group.
    if (const qint64 pid = process.processId(); pid > 0)
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished(5000);
    return sample;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s NARRIX EMPTY_WINDOW [RUNS] [IDLE_MS]\n", argv[0]);
        return 2;
    }
    const int runs = args.size() > 3 ? args[3].toInt() : 9;
    const int idleMs = args.size() > 4 ? args[4].toInt() : 1000;
    std::vector<double> shown[2], wall[2], rss[2];
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < 2; ++which) {
            const Sample s = runOnce(args[1 + which], idleMs);
            if (s.shownMs < 0) {
                std::fprintf(stderr, "%s did not report its window\n", qPrintable(args[1 + which]));
                return 1;
            }
            shown[which].push_back(s.shownMs);
            wall[which].push_back(s.wallMs);
            rss[which].push_back(s.rssKiB);
        }
    }
    const char* names[2] = {"narrix", "empty QMainWindow"};
    std::printf("%d runs each, medians (idle RSS after %d ms)\n", runs, idleMs);
    std::printf("%-18s %14s %14s %14s\n", "program", "shown (ms)", "wall (ms)", "idle RSS (KiB)");
    for (int which = 0; which < 2; ++which)
        std::printf("%-18s %14.1f %14.1f %14.0f\n", names[which], median(shown[which]), median(wall[which]),
                    median(rss[which]));
    std::printf("%-18s %14.2f %14.2f %14.2f\n", "ratio", median(shown[0]) / median(shown[1]),
                median(wall[0]) / median(wall[1]), median(rss[0]) / median(rss[1]));
    return 0;
}
