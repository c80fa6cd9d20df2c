// Audible latency of the sound device path: with the cores loaded (bench/audio_latency.sh starts the
// load and a private PulseAudio server), for each buffer size given, speaks a long text on the
// default device several times and reports
//  - Speak to the first loud sample recorded from the null sink's monitor (5 ms fragments),
//  - PulseAudio's "Buffer Latency" of our stream (pactl list sink-inputs, sampled while playing),
//  - the server's underruns of our stream while it played (its debug log, "Implicit underrun of ..."),
// the streams taking turns round by round. A stream is "qt:MS" (Qt's sink asked for MS of buffer, as
// the program played before) or "pulse:MS" (our PulseAudio stream with a latency target of MS).
//   bench_audio_latency PULSE_LOG ROUNDS STREAM...
#include "speech/text_to_speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include <pulse/simple.h>
#include <pthread.h>
#include <sched.h>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int countUnderruns(const QString& pulseLog)
{
    QFile log(pulseLog);
    if (!log.open(QIODevice::ReadOnly))
        return -1;
    // The server reports a stream whose buffer ran dry in one of these forms.
    const QByteArray text = log.readAll();
    return int(text.count("Underrun on") + text.count("Implicit underrun of"));
}

// Our stream's buffer latency as PulseAudio reports it, in milliseconds; -1 when not playing.
double bufferLatencyMs()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    pactl.waitForFinished(5000);
    static const QRegularExpression line(QStringLiteral("Buffer Latency: (\\d+) usec"));
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(pactl.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1000.0 : -1;
}

void pumpEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct Round
{
    double firstAudioMs = -1;
    std::vector<double> latencies;
    int underruns = 0;
};

// Records the null sink's monitor in 5 ms fragments on a thread of its own and notes when the first
// loud sample arrives.
class MonitorRecorder
{
public:
    MonitorRecorder()
    {
        pa_sample_spec spec{};
        spec.format = PA_SAMPLE_S16LE;
        spec.rate = 22050;
        spec.channels = 1;
        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(5000, &spec));
        int error = 0;
        connection_ = pa_simple_new(nullptr, "latency bench", PA_STREAM_RECORD, "nullsink.monitor", "monitor",
                                    &spec, nullptr, &attributes, &error);
        if (connection_)
            thread_ = std::thread([this] { run(); });
    }
    ~MonitorRecorder()
    {
        quit_ = true;
        if (thread_.joinable())
            thread_.join();
        if (connection_)
            pa_simple_free(connection_);
    }
    void arm(Clock::time_point start)
    {
        start_ = start;
        firstLoudMs_ = -1;
        armed_ = true;
    }
    double firstLoudMs() const { return firstLoudMs_.load(); }

private:
    void run()
    {
        // The measuring thread must keep up under load (the benchmark runs as root).
        sched_param parameter{};
        parameter.sched_priority = 10;
        pthread_setschedparam(pthread_self(), SCHED_RR, &parameter);
        std::int16_t samples[110];
        while (!quit_) {
            int error = 0;
            if (pa_simple_read(connection_, samples, sizeof samples, &error) < 0)
                return;
            if (!armed_ || firstLoudMs_ >= 0)
                continue;
            for (std::int16_t sample : samples) {
                if (sample > 300 || sample < -300) {
                    firstLoudMs_ = std::chrono::duration<double, std::milli>(Clock::now() - start_.load()).count();
                    break;
                }
            }
        }
    }

    pa_simple* connection_ = nullptr;
    std::thread thread_;
    std::atomic<bool> quit_{false};
    std::atomic<bool> armed_{false};
    std::atomic<Clock::time_point> start_{};
    std::atomic<double> firstLoudMs_{-1};
};

Round playOnce(const QString& stream, const QString& pulseLog, const QString& text)
{
    Round round;
    MonitorRecorder recorder;
    pumpEvents(300); // the recording stream settles

    narrix::AudioSinkOptions device;
    device.deviceStream = stream.startsWith(QStringLiteral("qt:")) ? narrix::AudioSinkOptions::DeviceStream::QtSink
                                                                   : narrix::AudioSinkOptions::DeviceStream::Pulse;
    device.deviceBufferMs = stream.section(QLatin1Char(':'), 1).toInt();
    narrix::TTextToSpeech engine(device);
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        if (engine.ModeName(i) == QStringLiteral("English (America) (espeak-ng)"))
            engine.Select(i);
    }
    engine.SetSpeed(175);
    QElapsedTimer clock;
    const int underrunsBefore = countUnderruns(pulseLog);
    double startedMs = -1;
    QObject::connect(&engine, &narrix::SpeechEngine::OnSpeakingStarted, &engine,
                     [&] { startedMs = double(clock.nsecsElapsed()) / 1e6; });
    clock.start();
    recorder.arm(Clock::now());
    engine.Speak(text);
    while (recorder.firstLoudMs() < 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    round.firstAudioMs = recorder.firstLoudMs();
    // Several seconds of speech, the buffer's fill sampled meanwhile.
    for (int i = 0; i < 8; ++i) {
        pumpEvents(300);
        const double latency = bufferLatencyMs();
        if (latency >= 0)
            round.latencies.push_back(latency);
    }
    round.underruns = countUnderruns(pulseLog) - underrunsBefore;
    std::fprintf(stderr, "%s: started %.1f ms, heard %.1f ms\n", qPrintable(stream), startedMs, round.firstAudioMs);
    engine.StopSpeaking();
    pumpEvents(200);
    return round;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_audio_latency PULSE_LOG ROUNDS STREAM...  (STREAM: qt:MS or pulse:MS)\n");
        return 2;
    }
    const QString pulseLog = QString::fromLocal8Bit(argv[1]);
    const int rounds = std::atoi(argv[2]);
    QStringList streams;
    for (int i = 3; i < argc; ++i)
        streams << QString::fromLocal8Bit(argv[i]);
    QString text;
    while (text.size() < 4000)
        text += QStringLiteral("The committee met on Tuesday to discuss the new budget for the library. "
                               "Several members asked whether the roof could wait another year. ");
    std::map<QString, std::vector<Round>> results;
    for (int r = 0; r < rounds; ++r) {
        for (const QString& stream : streams)
            results[stream].push_back(playOnce(stream, pulseLog, text));
    }
    std::printf("%-10s %-22s %-30s %s\n", "stream", "Speak to first audio", "PulseAudio buffer latency",
                "underruns while playing");
    for (const QString& stream : streams) {
        std::vector<double> firsts;
        std::vector<double> latencies;
        int underruns = 0;
        for (const Round& round : results[stream]) {
            firsts.push_back(round.firstAudioMs);
            latencies.insert(latencies.end(), round.latencies.begin(), round.latencies.end());
            underruns += round.underruns;
        }
        std::sort(latencies.begin(), latencies.end());
        std::printf("%-10s median %6.1f ms (max %5.1f) median %5.1f ms (max %5.1f, %zu samples) %d in %d plays\n",
                    qPrintable(stream),
                    median(firsts), *std::max_element(firsts.begin(), firsts.end()), median(latencies),
                    latencies.empty() ? -1.0 : latencies.back(), latencies.size(), underruns, rounds);
    }
    return 0;
}
