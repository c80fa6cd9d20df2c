#pragma once

#include <QObject>

namespace narrix::net {

// The program is closing: every transfer wait, on every thread, ends at once with Aborted, and no
// transfer starts any more. There is no way back; a closing window asks for it once.
void shutDownTransfers();
bool transfersShutDown() noexcept;

// Emits shutDown() when shutDownTransfers() is called, so that a waiting event loop leaves at once.
class TransferShutdownNotifier : public QObject
{
    Q_OBJECT

public:
    static TransferShutdownNotifier& instance();

Q_SIGNALS:
    void shutDown();

private:
    TransferShutdownNotifier() = default;
};

} // namespace narrix::net
