// A stand-in desktop notification server for the tests: it owns org.freedesktop.Notifications on the
// session bus named by DBUS_SESSION_BUS_ADDRESS and prints every notification it receives as one line,
// "app|summary|body" (line breaks of the body as "\n"), after a first line "ready".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

namespace {

class NotificationService final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    using QObject::QObject;

public Q_SLOTS:
    uint Notify(const QString& app, uint /*replacesId*/, const QString& /*icon*/, const QString& summary,
                const QString& body, const QStringList& /*actions*/, const QVariantMap& /*hints*/,
                int /*timeout*/)
    {
        QString shown = body;
        shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        std::printf("%s|%s|%s\n", qPrintable(app), qPrintable(summary), qPrintable(shown));
        std::fflush(stdout);
        return ++count_;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }

private:
    uint count_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationService service;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "stand-in: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "notification_stand_in.moc"
