// vozozo: speaks text files into WAV files, from the command line or in a small window.
#include "base/speech_log.h"
#include "platform/data_folder.h"
#include "platform/environment.h"
#include "ui/prompter.h"
#include "vozozo/interrupt_cleanup.h"
#include "vozozo/vozozo_args.h"
#include "vozozo/vozozo_cli.h"
#include "vozozo/vozozo_wizard.h"
#include "vozozo/worker_process.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// What vozozo takes from the environment: the folders of the settings it reads and the speech history.
void applyEnvironment()
{
    const narrix::Environment environment = narrix::Environment::fromProcess();
    narrix::setGivenDataFolder(environment.dataFolder);
    narrix::setGivenRuntimeFolder(environment.runtimeFolder);
    narrix::setSpeechLogPath(QFile::encodeName(environment.speechLog).toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    narrix::installInterruptCleanup();
    applyEnvironment();
    if (argc > 1 && std::strcmp(argv[1], narrix::kWorkerOption) == 0) {
        QCoreApplication app(argc, argv);
        return narrix::runSynthesisWorkerProcess(QCoreApplication::arguments().mid(2));
    }
    if (argc <= 1) {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("vozozo"));
        narrix::WidgetPrompter prompter;
        narrix::VozozoWizard wizard(prompter);
        wizard.show();
        return QApplication::exec();
    }
    QCoreApplication app(argc, argv);
    QString error;
    const auto args = narrix::parseVozozoArgs(QCoreApplication::arguments().mid(1), &error);
    if (!args) {
        std::fprintf(stderr, "vozozo: %s\n%s", error.toUtf8().constData(),
                     narrix::vozozoUsage().toUtf8().constData());
        return 2;
    }
    return narrix::runVozozoCli(*args);
}
