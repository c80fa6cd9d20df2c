#include "platform/portal_global_shortcuts.h"

#include "platform/x11_key_chord.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QPointer>

namespace narrix {

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

namespace {

const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// Where the portal puts the request object of a call with `token`: our unique name without its colon,
// dots as underscores. Listening there before the call cannot miss a quick Response.
QString requestPath(const QDBusConnection& bus, const QString& token)
{
    QString sender = bus.baseService();
    sender.remove(0, sender.startsWith(QLatin1Char(':')) ? 1 : 0);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return PortalGlobalShortcuts::kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QString objectPathText(const QVariant& value)
{
    if (value.canConvert<QDBusObjectPath>() && value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

// One outstanding request: receives its Response signal once, then goes.
class PortalRequest : public QObject
{
    Q_OBJECT
public:
    PortalRequest(QDBusConnection bus, const QString& path,
                  std::function<void(uint, const QVariantMap&)> done, QObject* parent)
        : QObject(parent), bus_(std::move(bus)), path_(path), done_(std::move(done))
    {
        bus_.connect(PortalGlobalShortcuts::kService, path_, kRequestInterface, QStringLiteral("Response"),
                     this, SLOT(response(uint, QVariantMap)));
    }
    ~PortalRequest() override
    {
        bus_.disconnect(PortalGlobalShortcuts::kService, path_, kRequestInterface, QStringLiteral("Response"),
                        this, SLOT(response(uint, QVariantMap)));
    }
    void fail(const QString& reason)
    {
        QVariantMap results;
        results.insert(QStringLiteral("error"), reason);
        finish(2, results);
    }

public Q_SLOTS:
    void response(uint code, const QVariantMap& results) { finish(code, results); }

private:
    void finish(uint code, const QVariantMap& results)
    {
        if (!done_)
            return;
        const auto done = std::move(done_);
        done_ = nullptr;
        deleteLater();
        done(code, results);
    }
    QDBusConnection bus_;
    QString path_;
    std::function<void(uint, const QVariantMap&)> done_;
};

PortalGlobalShortcuts::PortalGlobalShortcuts(const QDBusConnection& bus) : bus_(bus)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    closeSession();
}

void PortalGlobalShortcuts::probe(const QDBusConnection& bus, QObject* context,
                                  std::function<void(bool)> answer)
{
    if (!bus.isConnected()) {
        answer(false);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({kInterface, QStringLiteral("version")});
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(get), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [answer = std::move(answer)](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         answer(!call->isError());
                     });
}

QString PortalGlobalShortcuts::nextToken()
{
    return QStringLiteral("narrix%1_%2").arg(QCoreApplication::applicationPid()).arg(++tokens_);
}

void PortalGlobalShortcuts::request(const QString& method, QVariantList arguments, Response done)
{
    const QString token = nextToken();
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    QPointer<PortalRequest> pending =
        new PortalRequest(bus_, requestPath(bus_, token), std::move(done), this);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [pending](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        if (reply->isError() && pending)
            pending->fail(reply->error().message());
    });
}

void PortalGlobalShortcuts::bind(const QList<GlobalShortcut>& shortcuts)
{
    const int generation = ++generation_;
    closeSession();
    shortcuts_ = shortcuts;
    if (!shortcuts_.isEmpty())
        createSession(generation);
}

void PortalGlobalShortcuts::createSession(int generation)
{
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"), nextToken());
    request(QStringLiteral("CreateSession"), {options},
            [this, generation](uint code, const QVariantMap& results) {
                if (generation != generation_)
                    return;
                session_ = objectPathText(results.value(QStringLiteral("session_handle")));
                if (code != 0 || session_.isEmpty()) {
                    session_.clear();
                    failAll(
                        results.value(QStringLiteral("error"), tr("the desktop refused a shortcut session"))
                            .toString());
                    return;
                }
                bindInSession(generation);
            });
}

void PortalGlobalShortcuts::bindInSession(int generation)
{
    QList<PortalShortcut> wanted;
    for (const GlobalShortcut& shortcut : shortcuts_) {
        QVariantMap properties;
        properties.insert(QStringLiteral("description"), shortcut.description);
        properties.insert(QStringLiteral("preferred_trigger"), portalTrigger(shortcut.keys));
        wanted.append({shortcut.id, properties});
    }
    const QVariantList arguments = {QVariant::fromValue(QDBusObjectPath(session_)),
                                    QVariant::fromValue(wanted), QString(), QVariantMap()};
    request(QStringLiteral("BindShortcuts"), arguments,
            [this, generation](uint code, const QVariantMap& results) {
                if (generation != generation_)
                    return;
                if (code != 0)
                    failAll(
                        results.value(QStringLiteral("error"), tr("the desktop did not take the shortcuts"))
                            .toString());
            });
}

void PortalGlobalShortcuts::closeSession()
{
    if (session_.isEmpty())
        return;
    bus_.asyncCall(
        QDBusMessage::createMethodCall(kService, session_, kSessionInterface, QStringLiteral("Close")));
    session_.clear();
}

void PortalGlobalShortcuts::failAll(const QString& reason)
{
    for (const GlobalShortcut& shortcut : shortcuts_)
        Q_EMIT failed(shortcut.id, reason);
}

void PortalGlobalShortcuts::onActivated(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || session_.isEmpty())
        return;
    if (objectPathText(arguments.at(0)) == session_)
        Q_EMIT activated(arguments.at(1).toString());
}

} // namespace narrix

#include "portal_global_shortcuts.moc"
