// Opening the speech properties dialog: the first time (its engine, the scan of every installed voice,
// the database written, the dialog built and shown) and the times after (the database read, the voice
// shown). Runs offscreen with the engine's audio going nowhere; with the argument "service" the
// engines play on the sound device instead and so offer the speech service's voices too (waited for).
#include "speech/engine_factory.h"
#include "speech/engine_modes.h"
#include "speech/reading_state.h"
#include "speech/speech_properties.h"
#include "speech/voice_properties_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const bool withService = argc > 1 && qstrcmp(argv[1], "service") == 0;
    narrix::AudioSinkOptions sink;
    if (!withService)
        sink.kind = narrix::AudioSinkOptions::Kind::Null;
    narrix::SpeechEngineFactory factory(sink);
    auto mainEngine = factory.create(); // the main window's, already running
    narrix::waitForServiceVoices();
    std::printf("%d voices\n", mainEngine->ModeCount());
    narrix::ReadingState state;
    state.minSpeed = 80;
    state.maxSpeed = 450;
    const narrix::SpeechPropertiesValues values{mainEngine->ModeName(1), 175, -1};

    std::unique_ptr<narrix::TTextToSpeech> engine;
    std::unique_ptr<narrix::SpeechProperties> logic;
    std::unique_ptr<narrix::TfrmProp> dialog;
    double logicMs = 0; // of which the database read and the voice display
    const auto openOnce = [&] {
        QElapsedTimer clock;
        clock.start();
        if (!dialog) {
            engine = factory.create();
            logic = std::make_unique<narrix::SpeechProperties>(
                *engine, narrix::EngineSpeedRange(state),
                narrix::VoiceDatabase(dir.filePath(QStringLiteral("nxvoice.ini"))),
                narrix::SpeechProperties::Hooks{});
            dialog = std::make_unique<narrix::TfrmProp>(*logic, nullptr);
        }
        logic->open(values);
        logicMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        dialog->refresh();
        dialog->show();
        QCoreApplication::processEvents();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        dialog->hide();
        return ms;
    };
    const double first = openOnce();
    std::printf("first opening (scan of %lld voices): %.1f ms\n",
                static_cast<long long>(logic->voices().size()), first);
    std::printf("  of which reading the list and showing the voice: %.1f ms\n", logicMs);
    logicMs = 0;
    double total = 0;
    double worst = 0;
    constexpr int kRuns = 20;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = openOnce();
        total += ms;
        worst = std::max(worst, ms);
    }
    std::printf("later openings: mean %.1f ms, worst %.1f ms over %d (scans: %d)\n", total / kRuns, worst,
                kRuns, logic->scans());
    std::printf("  of which reading the list and showing the voice: mean %.1f ms\n", logicMs / kRuns);
    return 0;
}
