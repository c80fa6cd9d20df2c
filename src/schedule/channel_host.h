#pragma once

#include "base/transfer_flags.h"
#include "schedule/channel_failure.h"

#include <QString>

#include <string>

namespace narrix {

// The Proxy and Port settings as stored.
struct ProxyTexts
{
    std::string proxy;
    std::string port;
};

// What channel retrieval and e-mail reading need from the window around them. The main window
// implements it; tests record what was shown and spoken.
class ChannelHost
{
public:
    virtual ~ChannelHost() = default;

    virtual void setStatusText(const QString& text) = 0;
    // The default system sound.
    virtual void beep() = 0;
    // The application-starting pointer while a transfer runs; turning it on repaints the window.
    virtual void setBusyPointer(bool busy) = 0;
    // A failed retrieval: a message box captioned "Narrix" with an exclamation icon and OK (counted as
    // an open modal dialog while it is shown), or, for a retrieval nobody asked for at the desk, a
    // notification that blocks nothing.
    virtual void reportFailure(const ChannelFailure& failure) = 0;
    // Speaks `text` as scheduled speech with `title` as the current title.
    virtual void speakScheduled(const std::string& title, const std::string& text) = 0;
    // A long document spoken while it is still being read: its first piece now, each further piece
    // through continueScheduled, and endScheduled when no more will come. A host that cannot wait
    // for the pieces speaks each as a text of its own.
    virtual void beginScheduledPieces(const std::string& title, const std::string& first)
    {
        speakScheduled(title, first);
    }
    virtual void continueScheduled(const std::string& title, const std::string& piece)
    {
        speakScheduled(title, piece);
    }
    virtual void endScheduled() {}
    // Lets the window's waiting events run once.
    virtual void processEvents() = 0;
    // Read before every web retrieval.
    virtual ProxyTexts proxySettings() const = 0;
};

} // namespace narrix
