#include "app/tq_instances.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace narrix {

namespace {

// A second start may come while the first is between taking the lock and listening.
constexpr int kConnectPatienceMs = 2000;
constexpr int kRetryMs = 20;

} // namespace

QString TQMInstances::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/narrix-%1").arg(::getuid());
    QDir().mkpath(own);
    QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return own;
}

TQMInstances::TQMInstances(const QString& key, QObject* parent)
    : QObject(parent), socketPath_(runtimeFolder() + QLatin1Char('/') + key),
      lock_(runtimeFolder() + QLatin1Char('/') + key + QStringLiteral(".lock"))
{
    // The running instance holds the lock for its whole life: it never goes stale by age.
    lock_.setStaleLockTime(0);
    first_ = lock_.tryLock(0);
    if (first_)
        listen();
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readMessage(socket);
        }
    });
}

TQMInstances::~TQMInstances() = default;

void TQMInstances::listen()
{
    // Whoever holds the lock owns the name: a socket file still there was left by a killed instance.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(socketPath_))
        qWarning("narrix: cannot listen on %s: %s", qPrintable(socketPath_),
                 qPrintable(server_.errorString()));
}

void TQMInstances::readMessage(QLocalSocket* socket)
{
    while (socket->bytesAvailable() >= 2) {
        QDataStream in(socket);
        quint16 number = 0;
        in >> number;
        if (number == static_cast<quint16>(InstanceMessage::ComeToFront) ||
            number == static_cast<quint16>(InstanceMessage::HandOver))
            Q_EMIT received(static_cast<InstanceMessage>(number));
    }
}

bool TQMInstances::send(InstanceMessage message) const
{
    const QDeadlineTimer deadline(kConnectPatienceMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(kRetryMs * 5))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryMs);
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<quint16>(message);
    socket.write(bytes);
    const bool written = socket.waitForBytesWritten(kConnectPatienceMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectPatienceMs);
    return written;
}

} // namespace narrix
