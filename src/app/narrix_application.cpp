#include "app/narrix_application.h"

#include "base/error_hook.h"

#include <exception>

namespace narrix {
namespace {

QString handlerName(const QObject* receiver)
{
    if (receiver == nullptr)
        return QStringLiteral("event handler");
    const QString name = receiver->objectName();
    return name.isEmpty() ? QString::fromLatin1(receiver->metaObject()->className()) : name;
}

} // namespace

NarrixApplication::NarrixApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // No display name: the X11 platform would append it to every window title.
    setApplicationName(QStringLiteral("Narrix"));
}

bool NarrixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportEscapedError(handlerName(receiver), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportEscapedError(handlerName(receiver), QStringLiteral("unknown error"));
    }
    return false;
}

} // namespace narrix
