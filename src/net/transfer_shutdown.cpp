#include "net/transfer_shutdown.h"

#include <atomic>

namespace narrix::net {
namespace {

std::atomic<bool> shutDown{false};

} // namespace

TransferShutdownNotifier& TransferShutdownNotifier::instance()
{
    static TransferShutdownNotifier notifier;
    return notifier;
}

void shutDownTransfers()
{
    if (shutDown.exchange(true))
        return;
    Q_EMIT TransferShutdownNotifier::instance().shutDown();
}

bool transfersShutDown() noexcept
{
    return shutDown.load();
}

} // namespace narrix::net
