#pragma once

#include <QString>

namespace narrix {

// Hands a web address, a mail link or a local file to the desktop (the browser, the mail program, the
// file's viewer). What the desktop then does is never examined: nothing is reported when no program
// takes it. Tests use a recording fake, so no browser starts.
class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    virtual void open(const QString& address) = 0;
};

// The real one: QDesktopServices. A local path is opened as a file address.
class QtDesktopOpener final : public DesktopOpener
{
public:
    void open(const QString& address) override;
};

} // namespace narrix
