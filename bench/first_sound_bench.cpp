// Play to the first sound heard on a real PulseAudio server: bench/first_sound.sh starts a private
// server with a null sink and loads a core; this program records the sink's monitor with `parec` on
// a thread of its own, presses Play (ReadingControl::play on a document) and times from the press
// to the first non-silent sample that reaches the monitor. Each run makes a fresh engine, so the
// first Play of a process (connecting to the server, opening the voice) is measured apart from the
// later ones.
//   bench_first_sound VOICE PLAYS [DOCUMENT_KIB] [qt]
#include "bench_reading.h"
#include "speech/reading_control.h"
#include "speech/text_to_speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRate = 22050;
// Samples quieter than this count as silence (speech peaks are thousands).
constexpr int kSilenceLevel = 200;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Records the null sink's monitor through `parec` with a short fragment, and notes when the first
// loud sample arrived after `arm()`: the time a chunk was read, less the samples behind the loud one.
class MonitorRecorder
{
public:
    MonitorRecorder()
    {
        int fds[2];
        if (pipe(fds) != 0)
            std::abort();
        child_ = fork();
        if (child_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execlp("parec", "parec", "--device=nullsink.monitor", "--raw", "--format=s16le", "--rate=22050",
                   "--channels=1", "--latency-msec=2", "--process-time-msec=1", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        fd_ = fds[0];
        thread_ = std::thread([this] { run(); });
    }
    ~MonitorRecorder()
    {
        kill(child_, SIGTERM);
        waitpid(child_, nullptr, 0);
        thread_.join();
        close(fd_);
    }

    // Forgets an earlier sound and watches for the next one.
    void arm()
    {
        std::lock_guard lock(mutex_);
        heard_ = false;
    }
    bool heard(Clock::time_point* when)
    {
        std::lock_guard lock(mutex_);
        if (heard_)
            *when = heardAt_;
        return heard_;
    }
    // Milliseconds of silence recorded up to now.
    double silenceMs()
    {
        std::lock_guard lock(mutex_);
        return double(quietSamples_) * 1000.0 / kRate;
    }

private:
    void run()
    {
        // The reader must not be the one that is late: it asks for real-time priority where allowed.
        sched_param parameter{};
        parameter.sched_priority = 10;
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameter);
        std::vector<std::int16_t> chunk(1024);
        for (;;) {
            const ssize_t got = read(fd_, chunk.data(), chunk.size() * 2);
            const Clock::time_point now = Clock::now();
            if (got <= 0)
                return;
            const auto count = static_cast<std::size_t>(got / 2);
            std::lock_guard lock(mutex_);
            for (std::size_t i = 0; i < count; ++i) {
                if (std::abs(int(chunk[i])) < kSilenceLevel) {
                    ++quietSamples_;
                    continue;
                }
                quietSamples_ = 0;
                if (!heard_) {
                    heard_ = true;
                    heardAt_ = now - std::chrono::microseconds((count - i) * 1000000 / kRate);
                }
            }
        }
    }

    pid_t child_ = -1;
    int fd_ = -1;
    std::mutex mutex_;
    bool heard_ = true; // nothing is watched before the first arm()
    Clock::time_point heardAt_;
    long quietSamples_ = 0;
    std::thread thread_;
};

std::string documentText(std::size_t bytes)
{
    const std::string sentence = "The committee met on Tuesday to discuss the new budget for the library. "
                                 "Several members asked whether the roof could wait another year. ";
    std::string text;
    while (text.size() < bytes)
        text += sentence;
    return text;
}

void pumpEvents(double ms)
{
    const Clock::time_point start = Clock::now();
    while (msBetween(start, Clock::now()) < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: bench_first_sound VOICE PLAYS [DOCUMENT_KIB] [qt]\n", stderr);
        return 2;
    }
    const QString voice = QString::fromLocal8Bit(argv[1]);
    const int plays = std::atoi(argv[2]);
    const std::size_t kib = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 64;
    narrix::AudioSinkOptions device;
    if (argc > 4 && std::string(argv[4]) == "qt")
        device.deviceStream = narrix::AudioSinkOptions::DeviceStream::QtSink;

    MonitorRecorder monitor;
    // The monitor is silent before anything plays; wait until it has shown so.
    while (monitor.silenceMs() < 200)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    narrix::TTextToSpeech engine(device);
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        if (engine.ModeName(i) == voice)
            engine.Select(i);
    }
    if (engine.ModeName(engine.CurrentMode()) != voice) {
        std::fprintf(stderr, "no voice named %s\n", argv[1]);
        return 2;
    }
    engine.SetSpeed(175);
    narrix::bench::DocumentReading reading(engine, documentText(kib << 10), true);
    narrix::ReadingControl& control = reading.control;
    Clock::time_point started;
    bool startedSeen = false;
    QObject::connect(&engine, &narrix::SpeechEngine::OnSpeakingStarted, &engine, [&] {
        started = Clock::now();
        startedSeen = true;
    });

    for (int play = 0; play < plays; ++play) {
        monitor.arm();
        startedSeen = false;
        const Clock::time_point pressed = Clock::now();
        control.play();
        Clock::time_point heard;
        while (!monitor.heard(&heard) && msBetween(pressed, Clock::now()) < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const bool ok = monitor.heard(&heard);
        // One line per Play: which Play of the process, Play to heard, Play to OnSpeakingStarted.
        std::printf("%s %d %.1f %.1f\n", play == 0 ? "first" : "later", play + 1,
                    ok ? msBetween(pressed, heard) : -1.0, startedSeen ? msBetween(pressed, started) : -1.0);
        std::fflush(stdout);
        pumpEvents(300);
        control.stop();
        // Silence on the monitor again before the next Play.
        while (monitor.silenceMs() < 150)
            pumpEvents(10);
    }
    return 0;
}
