#pragma once

#include "platform/desktop_notifier.h"

#include <QStringList>

namespace narrix::testing {

// Records the notifications; `serverRuns` false makes every one fail as with no notification server.
class FakeDesktopNotifier final : public DesktopNotifier
{
public:
    bool serverRuns = true;
    QStringList summaries;
    QStringList bodies;

    bool notify(const QString& summary, const QString& body) override
    {
        if (!serverRuns)
            return false;
        summaries << summary;
        bodies << body;
        return true;
    }
};

} // namespace narrix::testing
