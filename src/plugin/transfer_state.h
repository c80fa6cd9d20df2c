#pragma once

namespace narrix {

// Whether a transfer runs and whether Esc (or the close) asked it to stop.
struct TransferState
{
    bool networkBusy = false;
    bool cancelRequested = false;
};

} // namespace narrix
