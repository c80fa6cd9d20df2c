// Close benchmark: time from SIGTERM to the end of narrix while a scheduled fetch waits and ten more
// items are due behind it (the scenario of tests/support/close_during_fetch.h). Needs the loopback
// HTTP server of the tests (tests/net/servers.sh start) for the ten items.
// Usage: bench_close_during_fetch NARRIX [RUNS]
#include "support/close_during_fetch.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kHttpPort = 18481; // tests/net/test_servers.py

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t at =
        std::min(values.size() - 1, static_cast<size_t>(fraction * double(values.size() - 1) + 0.5));
    return values[at];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s NARRIX [RUNS]\n", argv[0]);
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::vector<double> exitMs;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        narrix::testing::CloseDuringFetch scenario(program, kHttpPort);
        if (!scenario.startAndWaitForFirstFetch()) {
            std::fprintf(stderr, "run %d: %s\n", run + 1, qPrintable(scenario.errors()));
            ++failures;
            continue;
        }
        QElapsedTimer clock;
        clock.start();
        scenario.terminate();
        const bool normal = scenario.exitsNormally(180000);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        const bool saved = scenario.savedList().contains(scenario.lastRunToday());
        std::printf("run %d: exit after %.1f ms%s%s\n", run + 1, ms, normal ? "" : " (not a normal exit)",
                    saved ? "" : " (LastRun not saved)");
        if (!normal || !saved)
            ++failures;
        exitMs.push_back(ms);
    }
    if (!exitMs.empty())
        std::printf("SIGTERM to exit, %zu runs: median %.1f ms, max %.1f ms (goal: under 1000 ms)\n",
                    exitMs.size(), percentile(exitMs, 0.5), *std::max_element(exitMs.begin(), exitMs.end()));
    return failures == 0 ? 0 : 1;
}
