// How long the program's start waits for the voice list: from the synthesis thread's start to the
// first voices() (flite's and espeak-ng's listings), and to the end of its first task (by then
// espeak-ng has started). One measurement per process; the voice cache is the one in Qt's cache
// folder (XDG_CACHE_HOME). See bench/README.md.
//   bench_voice_listing
#include "speech/synthesis_worker.h"

#include <chrono>
#include <cstdio>

int main()
{
    using Clock = std::chrono::steady_clock;
    const auto msSince = [](Clock::time_point start) {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    const Clock::time_point start = Clock::now();
    narrix::SynthesisWorker& worker = narrix::SynthesisWorker::instance();
    const std::size_t voices = worker.voices().size();
    const double listed = msSince(start);
    worker.runAndWait([] {});
    const double ready = msSince(start);
    std::printf("voices %.2f ms, first task %.2f ms, %zu voices\n", listed, ready, voices);
    return voices > 0 ? 0 : 1;
}
