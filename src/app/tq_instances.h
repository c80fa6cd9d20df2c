#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

namespace narrix {

// What a second start asks of the running instance.
enum class InstanceMessage : quint16 {
    ComeToFront = 0x2400, // started without an argument
    HandOver = 0x3400,    // an argument was left in PassFile: speak it
};

// One instance per user and key. Creation detects a running instance: the first one holds a lock file
// and listens on a local socket, both named after the key in the user's runtime folder, so isolated
// runs (tests, sandboxes, other users) never see each other. The lock of a killed instance is stale
// (its process is gone) and is taken over together with its socket.
class TQMInstances : public QObject
{
    Q_OBJECT
public:
    explicit TQMInstances(const QString& key = QStringLiteral("Narrix"), QObject* parent = nullptr);
    ~TQMInstances() override;

    bool FirstInstance() const { return first_; }
    // Tells the running instance; false when none answered in time.
    bool send(InstanceMessage message) const;

    // $XDG_RUNTIME_DIR, or a private folder of this user under the temporary folder when unset.
    static QString runtimeFolder();
    QString socketPath() const { return socketPath_; }

Q_SIGNALS:
    void received(narrix::InstanceMessage message);

private:
    void listen();
    void readMessage(QLocalSocket* socket);

    QString socketPath_;
    QLockFile lock_;
    QLocalServer server_;
    bool first_ = false;
};

} // namespace narrix
