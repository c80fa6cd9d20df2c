// Downloads a large body over loopback with the HTTP client and with curl from the same server in
// the same run, and reports throughput and the client's peak memory.
// Usage: bench_net_download [MIB] [REPETITIONS]
#include "loopback_body_server.h"
#include "net/http_client.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QProcess>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

long peakRssKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A stream that only counts, so FetchToStream measures the transfer and not a disk.
class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override { return len; }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 60;
    const int reps = argc > 2 ? std::atoi(argv[2]) : 5;
    const size_t size = mib << 20;
    LoopbackBodyServer server(size, std::string(1 << 20, 'b'));
    const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/body";

    // curl into /dev/null (the transfer alone) and into a file in memory (tmpfs), which like
    // FetchText has to place every byte in fresh memory. The four kinds take turns so that a change
    // in the machine's load hits all of them alike.
    auto runCurl = [&](const QString& output) -> double {
        QProcess curlProcess;
        curlProcess.start(QStringLiteral("curl"),
                          {QStringLiteral("-s"), QStringLiteral("-o"), output, QStringLiteral("-w"),
                           QStringLiteral("%{speed_download}"), QString::fromStdString(url)});
        if (!curlProcess.waitForFinished(120000) || curlProcess.exitCode() != 0) {
            std::fprintf(stderr, "curl failed\n");
            std::exit(1);
        }
        QFile::remove(QStringLiteral("/dev/shm/narrix-bench-body"));
        return curlProcess.readAllStandardOutput().trimmed().toDouble() / (1 << 20);
    };
    auto mibPerSecond = [&](const QElapsedTimer& t) {
        return static_cast<double>(size) / (1 << 20) / (static_cast<double>(t.nsecsElapsed()) / 1e9);
    };
    const long rssBefore = peakRssKib();
    std::vector<double> text, stream, curl, curlMemory;
    for (int i = 0; i < reps; ++i) {
        {
            narrix::net::HttpClient client;
            QElapsedTimer t;
            t.start();
            auto body = client.FetchText(url);
            if (!body.ok() || body.value().size() != size) {
                std::fprintf(stderr, "FetchText failed: %s\n",
                             body.ok() ? "short body" : body.error().message.c_str());
                return 1;
            }
            text.push_back(mibPerSecond(t));
        }
        {
            narrix::net::HttpClient client;
            NullDevice sink;
            QElapsedTimer t;
            t.start();
            if (!client.FetchToStream(url, sink).ok())
                return 1;
            stream.push_back(mibPerSecond(t));
        }
        curl.push_back(runCurl(QStringLiteral("/dev/null")));
        curlMemory.push_back(runCurl(QStringLiteral("/dev/shm/narrix-bench-body")));
    }
    const long rssText = peakRssKib();
    std::printf("body %zu MiB, %d repetitions, medians\n", mib, reps);
    std::printf("FetchText      %8.0f MiB/s  (%.2fx curl)\n", median(text), median(text) / median(curl));
    std::printf("FetchToStream  %8.0f MiB/s  (%.2fx curl)\n", median(stream), median(stream) / median(curl));
    std::printf("curl -o /dev/null        %8.0f MiB/s\n", median(curl));
    std::printf("curl -o /dev/shm/FILE    %8.0f MiB/s  (FetchText is %.2fx of it)\n", median(curlMemory),
                median(text) / median(curlMemory));
    std::printf("peak memory: %ld MiB before, %ld MiB after the FetchText runs (body %zu MiB)\n",
                rssBefore / 1024, rssText / 1024, mib);
    return 0;
}
