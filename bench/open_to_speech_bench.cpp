// From File > Open of a document to its first sentence handed to the engine (Play pressed at once)
// and to the engine's first audio (speaking-started), in the real main window with the real engine
// on a headless sink (NARRIX_AUDIO=null). Each run opens the file anew; medians of the runs.
//   bench_open_to_speech REPETITIONS FILE...
#include "app/tf_main.h"
#include "editor/document_editor_controller.h"
#include "editor/document_editor_plugin.h"
#include "fakes/fake_prompter.h"
#include "fakes/memory_settings_store.h"
#include "platform/locale_adapter.h"
#include "plugin/main_actions.h"
#include "speech/engine_factory.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msOf(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Runs the event loop until `done` holds (or a minute passed).
template <typename Predicate> void waitFor(Predicate done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("NARRIX_AUDIO"))
        qputenv("NARRIX_AUDIO", "null");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s REPETITIONS FILE...\n", argv[0]);
        return 2;
    }
    const int repetitions = std::max(1, std::atoi(argv[1]));

    narrix::SpeechEngineFactory engines(
        narrix::AudioSinkOptions::fromSetting(qEnvironmentVariable("NARRIX_AUDIO")));
    std::unique_ptr<narrix::TTextToSpeech> engine = engines.create();
    narrix::testing::MemorySettingsStore store;
    // Not a first run, no tips, greeting or time announcements: only the document speaks.
    store.values = {{QStringLiteral("FontCharset"), QStringLiteral("0")},
                    {QStringLiteral("ShowTips"), QStringLiteral("False")},
                    {QStringLiteral("TellTime"), QStringLiteral("Never")},
                    {QStringLiteral("Greetings"), QStringLiteral("<nil>")}};
    narrix::testing::FakePrompter prompter;
    narrix::FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    narrix::DocumentEditorPlugin editor;
    narrix::MainServices services;
    services.document = &editor;
    services.plugins.push_back(&editor);
    narrix::TfMain window(*engine, store, prompter, locale, services);
    prompter.state = &window.state();
    window.FormCreate({});
    window.show();

    bool started = false;
    bool done = true;
    QObject::connect(engine.get(), &narrix::SpeechEngine::OnSpeakingStarted, &window,
                     [&] { started = true; });
    QObject::connect(engine.get(), &narrix::SpeechEngine::OnSpeakingDone, &window, [&] { done = true; });
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        std::vector<double> opened, handed, heard;
        for (int run = 0; run < repetitions; ++run) {
            waitFor([&] { return done; });
            started = false;
            done = false;
            prompter.fileNames = {path};
            QElapsedTimer timer;
            timer.start();
            window.actions().actOpen->trigger();
            opened.push_back(msOf(timer));
            window.actions().actPlay->trigger(); // the first sentence is handed over before it returns
            handed.push_back(msOf(timer));
            waitFor([&] { return started; });
            heard.push_back(msOf(timer));
            window.actions().actStop->trigger();
            window.actions().actNew->trigger();
        }
        std::printf(
            "%s: Open %.1f ms, first text to the engine %.1f ms, first audio %.1f ms (medians of %d)\n",
            argv[i], median(opened), median(handed), median(heard), repetitions);
    }
    window.editor()->document()->setModified(false);
    return 0;
}
