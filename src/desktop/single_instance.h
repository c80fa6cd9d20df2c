#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

namespace narrix {

// What a second start asks of the running instance.
enum class InstanceMessage : quint16 {
    ComeToFront = 0x2400,  // started without an argument
    HandOver = 0x3400,     // an argument was left in PassFile: speak it
    OpenInEditor = 0x3401, // --open: the path follows the number
    ImportList = 0x3402,   // --import: the path follows the number
};

// What creation found.
enum class InstanceLookup {
    First,       // this is the one instance: it holds the lock and listens
    AnotherRuns, // the lock is held by another process
    Unavailable, // neither: the runtime folder or the lock could not be had (errorString says why)
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

    bool FirstInstance() const { return lookup_ == InstanceLookup::First; }
    InstanceLookup lookup() const { return lookup_; }
    // Why the single instance cannot be had (Unavailable), or why this instance does not listen.
    QString errorString() const { return error_; }
    // Tells the running instance (with a path for the two messages that carry one); false when none
    // answered in time.
    bool send(InstanceMessage message, const QString& path = QString()) const;

    // The checked runtime folder of this user (see userRuntimeFolder), empty when there is none.
    static QString runtimeFolder(QString* error = nullptr);
    QString socketPath() const { return socketPath_; }

Q_SIGNALS:
    void received(narrix::InstanceMessage message, const QString& path);

private:
    void takeLock(const QString& folder, const QString& key);
    void listen();
    void readMessages(QLocalSocket* socket);

    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    InstanceLookup lookup_ = InstanceLookup::Unavailable;
    QString error_;
};

// Whether the message carries a path after its number.
bool carriesPath(InstanceMessage message);

} // namespace narrix
