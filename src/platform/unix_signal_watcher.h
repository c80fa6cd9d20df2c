#pragma once

#include <QObject>
#include <initializer_list>

class QSocketNotifier;

namespace narrix {

// Turns POSIX signals into a Qt signal on the thread that owns the watcher. The C handler only writes
// the signal number into a pipe (async-signal-safe); a QSocketNotifier reads it in the event loop.
// One watcher per process.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit UnixSignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

    UnixSignalWatcher(const UnixSignalWatcher&) = delete;
    UnixSignalWatcher& operator=(const UnixSignalWatcher&) = delete;

    // False when the pipe or a handler could not be set up (the signals keep their default action).
    bool isActive() const { return active_; }

    // While set, a watched signal ends the process at once by its default action instead of waiting
    // for the event loop: for the start-up, which may not reach the loop for a while and has nothing
    // to save yet.
    static void setEndsProcessAtOnce(bool atOnce);

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool active_ = false;
};

} // namespace narrix
