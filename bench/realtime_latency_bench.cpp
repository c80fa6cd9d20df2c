// Real-time speech latency: from a key event in the X server to the word reaching the engine, while
// the engine is speaking; then the keyboard hook's wake-ups and CPU time while no key moves.
//   bench_realtime_latency [WORDS] [IDLE_SECONDS]
// Uses DISPLAY, or starts an Xvfb of its own when there is none. NARRIX_AUDIO defaults to null (the
// engine synthesises as fast as it can: the busiest the machine gets while speaking); set it empty for
// the sound device, where speaking goes at its real pace.
#include "platform/x11_keyboard_state.h"
#include "sources/reading_speaker.h"
#include "sources/realtime_hook_connection.h"
#include "sources/realtime_speech.h"
#include "speech/engine_factory.h"
#include "speech/fake_reading_host.h"
#include "speech/reading_control.h"
#include "speech/speech_engine.h"
#include "support/xvfb_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

// Last: Xlib's macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using Steady = std::chrono::steady_clock;

// Notes when a word has been handed to the engine.
class TimedSpeaker final : public narrix::SourceSpeaker
{
public:
    explicit TimedSpeaker(narrix::SourceSpeaker& inner) : inner_(inner) {}
    narrix::SpeechSource currentSource() const override { return inner_.currentSource(); }
    void speak(narrix::SpeechSource source, std::string text) override
    {
        handedAt = Steady::now();
        inner_.speak(source, std::move(text));
        spokenAt = Steady::now();
        ++words;
    }
    Steady::time_point handedAt;
    Steady::time_point spokenAt;
    int words = 0;

private:
    narrix::SourceSpeaker& inner_;
};

struct ThreadUse
{
    long long switches = 0; // voluntary and involuntary context switches: wake-ups
    long long ticks = 0;    // user and system CPU time in clock ticks
};

std::optional<ThreadUse> threadUse(const QString& task)
{
    ThreadUse use;
    QFile status(task + QStringLiteral("/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
            use.switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    QFile stat(task + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    use.ticks = fields.value(11).toLongLong() + fields.value(12).toLongLong(); // utime, stime
    return use;
}

QString taskNamed(const QByteArray& name)
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            return tasks.filePath(tid);
    }
    return {};
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("NARRIX_AUDIO"))
        qputenv("NARRIX_AUDIO", "null");
    QCoreApplication app(argc, argv);
    const int words = argc > 1 ? std::atoi(argv[1]) : 500;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;

    narrix::testing::XvfbServer xvfb;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        QString error;
        if (!xvfb.start(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        qputenv("DISPLAY", xvfb.display().toLatin1());
    }
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return 1;
    const KeyCode letter = XKeysymToKeycode(x, XK_a);
    const KeyCode space = XKeysymToKeycode(x, XK_space);
    // The keys go to a window that listens for them, as typing goes to some program's window. (The X
    // server passes recorded events on when it next writes to a client: a key nobody receives would
    // wait for some other client's traffic.)
    const Window typedInto = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 100, 100, 0, 0, 0);
    XSelectInput(x, typedInto, KeyPressMask | KeyReleaseMask);
    XMapWindow(x, typedInto);
    XSync(x, False);
    XSetInputFocus(x, typedInto, RevertToParent, CurrentTime);
    XSync(x, False);

    narrix::SpeechEngineFactory engines(
        narrix::AudioSinkOptions::fromSetting(qEnvironmentVariable("NARRIX_AUDIO")));
    auto engine = engines.create();
    narrix::ReadingState state;
    narrix::testing::FakeReadingHost host;
    narrix::ReadingControl reading(state, *engine, host);
    narrix::ReadingSpeaker readingSpeaker(state, reading);
    TimedSpeaker speaker(readingSpeaker);
    narrix::X11KeyboardState keyboard;
    const QString mode = QStringLiteral("Word");
    const QString keywords;
    const bool on = true;
    narrix::RealtimeSpeech realtime(keyboard, speaker, narrix::RealtimeSettings{mode, keywords, on},
                                    [](const std::string&) {});
    narrix::RealtimeHookConnection hook;
    QObject::connect(&hook, &narrix::RealtimeHookConnection::keyReport, &hook,
                     [&](quint32 key, quint32 flags) { realtime.keyReport(key, flags); });
    hook.connectHook(QStringLiteral(REALTIME_LIBRARY));
    hook.waitUntilHookedOn();

    // A long text keeps the engine busy; it is queued as real-time speech so that typed words may follow.
    std::string talk;
    while (talk.size() < 400000)
        talk +=
            "The committee met on Tuesday to discuss the new budget for the library, and talked for hours. ";
    const auto keepSpeaking = [&] {
        if (state.speaking)
            return;
        state.speechBuffer = talk;
        reading.SpeakBuffer(narrix::SpeechSource::RealTime);
        const QDeadlineTimer started(30000);
        while (!state.speaking && !started.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    };

    std::vector<double> latencies;
    std::vector<double> inEngine; // of which in SpeakBuffer and the engine's Speak
    int whileSpeaking = 0;
    const bool quiet = qEnvironmentVariableIsSet("BENCH_QUIET");
    for (int i = 0; i < words; ++i) {
        if (!quiet)
            keepSpeaking();
        XTestFakeKeyEvent(x, letter, True, 0);
        XTestFakeKeyEvent(x, letter, False, 0);
        XFlush(x);
        const int before = speaker.words;
        const Steady::time_point sent = Steady::now();
        XTestFakeKeyEvent(x, space, True, 0);
        XFlush(x);
        const QDeadlineTimer deadline(5000);
        while (speaker.words == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        XTestFakeKeyEvent(x, space, False, 0);
        XFlush(x);
        if (speaker.words == before) {
            std::fprintf(stderr, "word %d never reached the engine\n", i);
            return 1;
        }
        while (XPending(x) > 0) {
            XEvent event;
            XNextEvent(x, &event);
        }
        whileSpeaking += state.speaking ? 1 : 0;
        latencies.push_back(std::chrono::duration<double, std::milli>(speaker.spokenAt - sent).count());
        inEngine.push_back(
            std::chrono::duration<double, std::milli>(speaker.spokenAt - speaker.handedAt).count());
    }
    std::printf(
        "key event to engine, %zu words (%d while speaking): median %.3f ms, p99 %.3f ms, max %.3f ms\n",
        latencies.size(), whileSpeaking, percentile(latencies, 0.5), percentile(latencies, 0.99),
        *std::max_element(latencies.begin(), latencies.end()));
    std::printf("  of which SpeakBuffer and Speak: median %.3f ms, p99 %.3f ms\n", percentile(inEngine, 0.5),
                percentile(inEngine, 0.99));

    // Idle: the engine stopped, no key moves; the hook thread should not wake at all.
    reading.stop();
    const QDeadlineTimer settle(300);
    while (!settle.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const QString hookTask = taskNamed("realtime-hook");
    const QString mainTask = QStringLiteral("/proc/self/task/%1").arg(QCoreApplication::applicationPid());
    const std::optional<ThreadUse> hookBefore = threadUse(hookTask);
    const std::optional<ThreadUse> mainBefore = threadUse(mainTask);
    QTimer::singleShot(idleSeconds * 1000, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    const std::optional<ThreadUse> hookAfter = threadUse(hookTask);
    const std::optional<ThreadUse> mainAfter = threadUse(mainTask);
    if (hookBefore && hookAfter && mainBefore && mainAfter)
        std::printf("idle %d s: hook thread %lld wake-ups, %lld CPU ticks; UI thread %lld wake-ups\n",
                    idleSeconds, hookAfter->switches - hookBefore->switches,
                    hookAfter->ticks - hookBefore->ticks, mainAfter->switches - mainBefore->switches);
    else
        std::printf("idle: the hook thread was not found\n");
    hook.disconnectHook();
    XCloseDisplay(x);
    return 0;
}
