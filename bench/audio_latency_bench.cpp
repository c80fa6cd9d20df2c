// Audible latency of the sound device path: with the cores loaded (bench/audio_latency.sh starts the
// load and a private PulseAudio server), for each buffer size given, speaks a long text on the
// default device several times and reports
//  - Speak to the first audio handed to the stream (OnSpeakingStarted; medians),
//  - PulseAudio's "Buffer Latency" and "Sink Latency" of the stream (pactl list sink-inputs, sampled
//    every 300 ms while playing), and their sum with the first as the time until the first audio is
//    heard,
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
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace {

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

// Our stream's buffer and sink latency as PulseAudio reports them, in milliseconds; -1 when not playing.
std::pair<double, double> streamLatencyMs()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    pactl.waitForFinished(5000);
    const QString out = QString::fromUtf8(pactl.readAllStandardOutput());
    static const QRegularExpression buffer(QStringLiteral("Buffer Latency: (\\d+) usec"));
    static const QRegularExpression sink(QStringLiteral("Sink Latency: (\\d+) usec"));
    const QRegularExpressionMatch b = buffer.match(out);
    const QRegularExpressionMatch k = sink.match(out);
    return {b.hasMatch() ? b.captured(1).toDouble() / 1000.0 : -1,
            k.hasMatch() ? k.captured(1).toDouble() / 1000.0 : -1};
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
    std::vector<double> sinkLatencies;
    int underruns = 0;
};

Round playOnce(const QString& stream, const QString& pulseLog, const QString& text)
{
    Round round;
    narrix::AudioSinkOptions device;
    device.deviceStream = stream.startsWith(QStringLiteral("qt:"))
                              ? narrix::AudioSinkOptions::DeviceStream::QtSink
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
    engine.Speak(text);
    while (startedMs < 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    round.firstAudioMs = startedMs;
    // Several seconds of speech, the buffer's fill sampled meanwhile.
    for (int i = 0; i < 8; ++i) {
        pumpEvents(300);
        const auto [buffer, sink] = streamLatencyMs();
        if (buffer >= 0) {
            round.latencies.push_back(buffer);
            round.sinkLatencies.push_back(sink);
        }
    }
    round.underruns = countUnderruns(pulseLog) - underrunsBefore;
    engine.StopSpeaking();
    pumpEvents(200);
    return round;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: bench_audio_latency PULSE_LOG ROUNDS STREAM...  (STREAM: qt:MS or pulse:MS)\n");
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
    std::printf("%-10s  %-14s %-26s %-12s %-22s %s\n", "stream", "to the stream", "buffer latency (max)",
                "sink latency", "Speak to heard (est.)", "underruns while playing");
    for (const QString& stream : streams) {
        std::vector<double> firsts;
        std::vector<double> latencies;
        std::vector<double> sinkLatencies;
        int underruns = 0;
        for (const Round& round : results[stream]) {
            firsts.push_back(round.firstAudioMs);
            latencies.insert(latencies.end(), round.latencies.begin(), round.latencies.end());
            sinkLatencies.insert(sinkLatencies.end(), round.sinkLatencies.begin(), round.sinkLatencies.end());
            underruns += round.underruns;
        }
        const double maxLatency =
            latencies.empty() ? -1.0 : *std::max_element(latencies.begin(), latencies.end());
        std::printf("%-10s  %8.1f ms    %6.1f ms (%5.1f ms)         %6.1f ms    %8.1f ms             %d in "
                    "%d plays\n",
                    qPrintable(stream), median(firsts), median(latencies), maxLatency, median(sinkLatencies),
                    median(firsts) + median(latencies) + median(sinkLatencies), underruns, rounds);
    }
    return 0;
}
