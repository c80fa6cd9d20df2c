#pragma once

#include "ui/desktop_opener.h"

#include <QStringList>

namespace narrix::testing {

// Records every address handed to the desktop instead of starting a browser or mail program.
class FakeDesktopOpener : public DesktopOpener
{
public:
    QStringList opened;
    void open(const QString& address) override { opened << address; }
};

} // namespace narrix::testing
