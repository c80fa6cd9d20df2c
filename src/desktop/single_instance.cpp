#include "desktop/single_instance.h"

#include "platform/data_folder.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstring>

namespace narrix {

namespace {

// A second start may come while the first is between taking the lock and listening.
constexpr int kConnectPatienceMs = 2000;
constexpr int kRetryMs = 20;

bool isKnown(quint16 number)
{
    switch (static_cast<InstanceMessage>(number)) {
    case InstanceMessage::ComeToFront:
    case InstanceMessage::HandOver:
    case InstanceMessage::OpenInEditor:
    case InstanceMessage::ImportList:
        return true;
    }
    return false;
}

} // namespace

bool carriesPath(InstanceMessage message)
{
    return message == InstanceMessage::OpenInEditor || message == InstanceMessage::ImportList;
}

QString TQMInstances::runtimeFolder(QString* error)
{
    return userRuntimeFolder(error);
}

TQMInstances::TQMInstances(const QString& key, QObject* parent) : QObject(parent)
{
    const QString folder = runtimeFolder(&error_);
    if (!folder.isEmpty()) {
        socketPath_ = folder + QLatin1Char('/') + key;
        takeLock(folder, key);
    }
    if (lookup_ == InstanceLookup::First)
        listen();
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readMessages(socket);
        }
    });
}

TQMInstances::~TQMInstances() = default;

// Only a lock held by another process means another instance; a folder that cannot be written or a
// lock file that cannot be stored (a full disk) leaves the program without the single instance.
void TQMInstances::takeLock(const QString& folder, const QString& key)
{
    const QString path = folder + QLatin1Char('/') + key + QStringLiteral(".lock");
    lock_ = std::make_unique<QLockFile>(path);
    // The running instance holds the lock for its whole life: it never goes stale by age.
    lock_->setStaleLockTime(0);
    errno = 0;
    if (lock_->tryLock(0)) {
        lookup_ = InstanceLookup::First;
        return;
    }
    const int savedErrno = errno;
    switch (lock_->error()) {
    case QLockFile::LockFailedError:
        lookup_ = InstanceLookup::AnotherRuns;
        return;
    case QLockFile::PermissionError:
        error_ = QStringLiteral("%1: the folder cannot be written").arg(path);
        break;
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        error_ = QStringLiteral("%1: %2").arg(
            path, savedErrno != 0 ? QString::fromLocal8Bit(std::strerror(savedErrno))
                                  : QStringLiteral("cannot be written (is the disk full?)"));
        break;
    }
    lookup_ = InstanceLookup::Unavailable;
}

void TQMInstances::listen()
{
    // Whoever holds the lock owns the name: a socket file still there was left by a killed instance.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(socketPath_)) {
        error_ = QStringLiteral("cannot listen on %1: %2").arg(socketPath_, server_.errorString());
        qWarning("narrix: %s", qPrintable(error_));
    }
}

// A message is its number, then the path for the messages that carry one; a message split over
// several reads waits for its rest.
void TQMInstances::readMessages(QLocalSocket* socket)
{
    QDataStream in(socket);
    for (;;) {
        in.startTransaction();
        quint16 number = 0;
        QString path;
        in >> number;
        if (isKnown(number) && carriesPath(static_cast<InstanceMessage>(number)))
            in >> path;
        if (!in.commitTransaction())
            return;
        if (isKnown(number))
            Q_EMIT received(static_cast<InstanceMessage>(number), path);
    }
}

bool TQMInstances::send(InstanceMessage message, const QString& path) const
{
    if (socketPath_.isEmpty())
        return false;
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
    if (carriesPath(message))
        out << path;
    socket.write(bytes);
    const bool written = socket.waitForBytesWritten(kConnectPatienceMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectPatienceMs);
    return written;
}

} // namespace narrix
