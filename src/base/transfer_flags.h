#pragma once

namespace narrix {

// The one network transfer the program runs at a time (a channel's web page, a mailbox, the Text
// Picker's page) and the user's wish to stop it (Esc, closing the window). The plugin host owns one
// and hands it to everything that reads the network.
class TransferFlags
{
public:
    bool busy() const { return busy_; }
    bool cancelRequested() const { return cancelRequested_; }

    // A transfer starts: busy, and an earlier cancel no longer counts.
    void begin()
    {
        busy_ = true;
        cancelRequested_ = false;
    }
    void end() { busy_ = false; }
    void requestCancel() { cancelRequested_ = true; }

private:
    bool busy_ = false;
    bool cancelRequested_ = false;
};

} // namespace narrix
