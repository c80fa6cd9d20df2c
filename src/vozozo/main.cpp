// vozozo: speaks text files into WAV files, from the command line or in a small window.
#include "ui/prompter.h"
#include "vozozo/interrupt_cleanup.h"
#include "vozozo/vozozo_args.h"
#include "vozozo/vozozo_cli.h"
#include "vozozo/vozozo_wizard.h"
#include "vozozo/worker_process.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    narrix::installInterruptCleanup();
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
