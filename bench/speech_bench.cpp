// Speech benchmarks (plain timers): the SpeakBuffer clean-up, the time to first sound, and memory
// while speaking a long text. See bench/README.md.
//   bench_speech cleanup [MEGABYTES] [REPETITIONS]
//   bench_speech first-sound KILOBYTES [VOICE]
//   bench_speech memory MEGABYTES SECONDS
//   bench_speech make-text FILE BYTES
#include "bench_reading.h"
#include "speech/reading_control.h"
#include "speech/speech_stream.h"
#include "speech/speech_text_cleanup.h"
#include "speech/synthesis_worker.h"
#include "speech/text_to_speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// English prose with the characters the clean-up looks at.
std::string englishText(std::size_t bytes, bool withSpecials)
{
    static const char* const sentences[] = {
        "The committee met on Tuesday to discuss the new budget for the library. ",
        "Several members asked whether the roof could wait another year! ",
        "Nobody knew the answer... but everyone had an opinion. ",
        "The U.S. delegation arrived late, as usual, and apologised twice. ",
        "Is it really that hard to start a meeting on time? ",
        "Rain fell all afternoon, and the streets of the old town were quiet.\n\n",
        "She said that the report would be ready by Friday, or Monday at the latest. ",
        "Prices rose by three percent in the first quarter; wages did not. ",
    };
    static const char* const specials[] = {"========\n",
                                           "Wait.... ",
                                           "caf\xC3\xA9 ",
                                           "it\xE2\x80\x99s ",
                                           "a--b ",
                                           "---- ",
                                           "!. ",
                                           "M\xC3\xBCller ",
                                           "\xE2\x82\xAC"
                                           "9.99 ",
                                           "Stra\xC3\x9F"
                                           "e "};
    std::string text;
    text.reserve(bytes + 128);
    std::size_t i = 0;
    while (text.size() < bytes) {
        text += sentences[i % std::size(sentences)];
        if (withSpecials && i % 5 == 0)
            text += specials[(i / 5) % std::size(specials)];
        ++i;
    }
    text.resize(bytes);
    return text;
}

long procStatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    }
    return -1;
}

int cleanup(int argc, char** argv)
{
    const std::size_t megabytes = argc > 2 ? std::stoul(argv[2]) : 10;
    const int repetitions = argc > 3 ? std::stoi(argv[3]) : 9;
    const std::string text = englishText(megabytes << 20, true);
    const struct
    {
        narrix::AsciiFolding folding;
        const char* voice;
    } voices[] = {{narrix::AsciiFolding::LettersAndSymbols, "English espeak-ng"},
                  {narrix::AsciiFolding::Letters, "English flite"},
                  {narrix::AsciiFolding::None, "other language"}};
    for (const auto& [folding, voice] : voices) {
        std::vector<double> copyTimes;
        std::vector<double> inPlaceTimes;
        std::size_t length = 0;
        for (int r = 0; r < repetitions; ++r) {
            auto start = Clock::now();
            length = narrix::CleanSpeechText(text, folding).size();
            copyTimes.push_back(msSince(start));
            std::string buffer = text;
            start = Clock::now();
            narrix::CleanSpeechTextInPlace(buffer, folding);
            inPlaceTimes.push_back(msSince(start));
        }
        std::sort(copyTimes.begin(), copyTimes.end());
        std::sort(inPlaceTimes.begin(), inPlaceTimes.end());
        std::printf("clean-up, %zu MiB, %s voice: median %.1f ms (in place %.1f ms), %zu bytes out\n",
                    megabytes, voice, copyTimes[copyTimes.size() / 2], inPlaceTimes[inPlaceTimes.size() / 2],
                    length);
    }
    return 0;
}

int findVoice(const narrix::TTextToSpeech& engine, const QString& name)
{
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        if (engine.ModeName(i) == name)
            return i;
    }
    return 0;
}

// espeak-ng writing to stdout: time to its first audio and to its first second of audio.
void espeakAnchor(const QString& file)
{
    QProcess process;
    const auto start = Clock::now();
    process.start(QStringLiteral("espeak-ng"), {QStringLiteral("--stdout"), QStringLiteral("-v"),
                                                QStringLiteral("en-us"), QStringLiteral("-f"), file});
    qint64 received = 0;
    double firstAudio = -1;
    double firstSecond = -1;
    while (firstSecond < 0 && process.state() != QProcess::NotRunning) {
        if (!process.waitForReadyRead(30000))
            break;
        received += process.readAllStandardOutput().size();
        if (firstAudio < 0 && received > 44)
            firstAudio = msSince(start);
        if (received >= 44 + 22050 * 2)
            firstSecond = msSince(start);
    }
    process.kill();
    process.waitForFinished();
    std::printf("  anchor espeak-ng --stdout: first audio %.1f ms, first second of audio %.1f ms\n",
                firstAudio, firstSecond);
}

int firstSound(int argc, char** argv)
{
    const std::size_t kilobytes = argc > 2 ? std::stoul(argv[2]) : 1;
    const QString voiceName =
        argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("English (America) (espeak-ng)");
    const std::string utf8 = englishText(kilobytes << 10, false);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("text.txt"));
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(utf8.data(), static_cast<qint64>(utf8.size()));
    }
    const QString text = QString::fromStdString(utf8);
    std::printf("first sound, %zu KiB of text, voice %s\n", kilobytes, qPrintable(voiceName));

    narrix::AudioSinkOptions null;
    null.kind = narrix::AudioSinkOptions::Kind::Null;
    narrix::TTextToSpeech engine(null);
    const int mode = findVoice(engine, voiceName);
    if (mode == 0) {
        std::fprintf(stderr, "no voice %s\n", qPrintable(voiceName));
        return 1;
    }
    engine.Select(mode);
    engine.SetSpeed(175);
    std::vector<double> starts;
    for (int round = 0; round < 5; ++round) {
        bool started = false;
        QObject::connect(&engine, &narrix::SpeechEngine::OnSpeakingStarted, &engine, [&] { started = true; });
        const auto start = Clock::now();
        engine.Speak(text);
        while (!started)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        starts.push_back(msSince(start));
        engine.StopSpeaking();
        QObject::disconnect(&engine, &narrix::SpeechEngine::OnSpeakingStarted, nullptr, nullptr);
        QCoreApplication::processEvents();
    }
    std::sort(starts.begin(), starts.end());
    std::printf(
        "  engine: Speak to OnSpeakingStarted (first audio handed to the output), median of 5: %.2f ms\n",
        starts[2]);

    // The same pipeline without an output: time until one second of audio is ready.
    std::vector<double> seconds;
    for (int round = 0; round < 5; ++round) {
        auto stream = std::make_shared<narrix::SpeechStream>();
        const narrix::VoiceInfo* voice = engine.CurrentVoice();
        stream->setVoice(*voice);
        narrix::Prosody prosody;
        prosody.speed = 175;
        stream->setProsody(prosody);
        auto& worker = narrix::SynthesisWorker::instance();
        worker.attach(stream);
        std::vector<std::int16_t> buffer(4096);
        std::size_t got = 0;
        const auto start = Clock::now();
        stream->enqueue(text);
        worker.wake();
        while (got < 22050) {
            const std::size_t n = stream->read(buffer.data(), buffer.size(), nullptr);
            got += n;
            if (n == 0) {
                worker.wake();
                QThread::usleep(50);
            }
        }
        seconds.push_back(msSince(start));
        stream->clear();
        worker.detach(stream.get());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("  engine: first second of audio ready, median of 5: %.1f ms\n", seconds[2]);
    espeakAnchor(file);
    return 0;
}

int memory(int argc, char** argv)
{
    const std::size_t megabytes = argc > 2 ? std::stoul(argv[2]) : 50;
    const int seconds = argc > 3 ? std::stoi(argv[3]) : 20;
    narrix::AudioSinkOptions null;
    null.kind = narrix::AudioSinkOptions::Kind::Null;
    narrix::TTextToSpeech engine(null);
    for (int i = 1; i <= engine.ModeCount(); ++i) {
        if (engine.ModeName(i) == QStringLiteral("English (America) (espeak-ng)"))
            engine.Select(i);
    }
    QString text = QString::fromStdString(englishText(megabytes << 20, false));
    // Idle: the engine exists and the document is in memory. Peak counting starts here.
    std::ofstream("/proc/self/clear_refs") << "5";
    QCoreApplication::processEvents();
    const long idle = procStatusKb("VmRSS");
    const auto start = Clock::now();
    engine.Speak(text);
    long samples = 0;
    while (msSince(start) < seconds * 1000.0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (++samples % 500 == 0) {
            engine.FastForward();
            engine.Rewind();
        }
    }
    const long peak = procStatusKb("VmHWM");
    std::printf("memory while speaking %zu MiB for %d s (null sink, synthesis at full speed):\n", megabytes,
                seconds);
    std::printf("  idle (text loaded) %ld MiB, peak %ld MiB, peak above idle %.1f MiB\n", idle / 1024,
                peak / 1024, static_cast<double>(peak - idle) / 1024.0);
    engine.StopSpeaking();
    return 0;
}

// Play on a document of the given size: from the document's text (UTF-8) to the first audio.
int play(int argc, char** argv)
{
    const std::size_t megabytes = argc > 2 ? std::stoul(argv[2]) : 50;
    narrix::AudioSinkOptions null;
    null.kind = narrix::AudioSinkOptions::Kind::Null;
    narrix::TTextToSpeech engine(null);
    engine.Select(findVoice(engine, QStringLiteral("English (America) (espeak-ng)")));
    narrix::bench::DocumentReading reading(engine, englishText(megabytes << 20, true));
    narrix::ReadingControl& control = reading.control;
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        bool started = false;
        QObject::connect(&engine, &narrix::SpeechEngine::OnSpeakingStarted, &engine, [&] { started = true; });
        const auto start = Clock::now();
        control.play();
        while (!started)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        times.push_back(msSince(start));
        control.stop();
        QObject::disconnect(&engine, &narrix::SpeechEngine::OnSpeakingStarted, nullptr, nullptr);
        // Let the rest of the text be cleaned before the next round.
        const auto pause = Clock::now();
        while (msSince(pause) < 1500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    std::sort(times.begin(), times.end());
    // Memory: from idle (the document held by the editor) through Play and 10 s of speaking.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long idle = procStatusKb("VmRSS");
    control.play();
    const auto speaking = Clock::now();
    while (msSince(speaking) < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::printf("  memory: peak %.1f MiB above idle through Play and 10 s of speaking; %.1f MiB above idle "
                "while speaking\n",
                static_cast<double>(procStatusKb("VmHWM") - idle) / 1024.0,
                static_cast<double>(procStatusKb("VmRSS") - idle) / 1024.0);
    control.stop();
    const auto copyStart = Clock::now();
    const std::string copy = reading.host.editorText();
    std::printf("  (of which taking the document's text from the editor: %.1f ms)\n", msSince(copyStart));
    std::printf("Play on a %zu MiB document (clean-up, hand-over, first audio), median of 5: %.1f ms\n",
                megabytes, times[2]);
    return 0;
}

int makeText(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const std::string text = englishText(std::stoul(argv[3]), false);
    std::ofstream(argv[2], std::ios::binary) << text;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "cleanup")
        return cleanup(argc, argv);
    if (command == "first-sound")
        return firstSound(argc, argv);
    if (command == "memory")
        return memory(argc, argv);
    if (command == "play")
        return play(argc, argv);
    if (command == "make-text")
        return makeText(argc, argv);
    std::fprintf(stderr,
                 "usage: bench_speech cleanup [MB] [REPS] | first-sound KB [VOICE] | memory MB SECONDS | "
                 "make-text FILE BYTES\n");
    return 2;
}
