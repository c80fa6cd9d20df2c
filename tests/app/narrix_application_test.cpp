// The application-wide error hook: an exception thrown by an event handler ends that handler only; the
// program goes on and the error is reported. Needs its own main: it creates the application object.
#include "app/narrix_application.h"
#include "base/error_hook.h"

#include <QTimer>
#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    narrix::NarrixApplication app(argc, argv);
    QStringList reported;
    narrix::setErrorSinkForTesting([&](const QString& where, const QString& message) {
        reported << where + QStringLiteral(": ") + message;
    });

    QObject handler;
    handler.setObjectName(QStringLiteral("tmrClip"));
    bool afterThrow = false;
    int laterHandlers = 0;
    QTimer::singleShot(0, &handler, [&] {
        throw std::runtime_error("clipboard gone");
        afterThrow = true;
    });
    QTimer::singleShot(10, &handler, [&] { ++laterHandlers; });
    QTimer::singleShot(20, &app, [&] { QCoreApplication::quit(); });
    const int code = QApplication::exec();

    int failed = 0;
    const auto check = [&](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "FAILED: %s\n", what);
            ++failed;
        }
    };
    check(code == 0, "the loop ends normally");
    check(!afterThrow, "the throwing handler ends at the throw");
    check(laterHandlers == 1, "later handlers still run");
    check(reported.size() == 1, "one error reported");
    check(!reported.isEmpty() && reported[0].endsWith(QStringLiteral(": clipboard gone")),
          "the message is reported");
    check(app.applicationName() == QStringLiteral("Narrix"), "the application title is Narrix");
    // No display name of its own: with one, the X11 platform appends " — Narrix" to every window
    // title ("Narrix Update — Narrix"). Unset, it follows the application name.
    QCoreApplication::setApplicationName(QStringLiteral("Probe"));
    check(QGuiApplication::applicationDisplayName() == QStringLiteral("Probe"),
          "no display name is set, so window titles read as given");
    QCoreApplication::setApplicationName(QStringLiteral("Narrix"));
    std::printf("%d passed, %d failed\n", 7 - failed, failed);
    return failed == 0 ? 0 : 1;
}
