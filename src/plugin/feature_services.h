#pragma once

#include <QString>
#include <optional>

namespace narrix {

// The keyboard-hook library of real-time speech.
class RealtimeHookService
{
public:
    virtual ~RealtimeHookService() = default;
    // Forgets keys held down in the key map.
    virtual void resetKeyState() {}
    virtual void connectHook() {}
    virtual void disconnectHook() {}
};

// Internet transfers and e-mail.
class TransferService
{
public:
    virtual ~TransferService() = default;
    // Fetches a local file, web address or mailbox address and speaks it as a scheduled speech.
    virtual void retrieveChannel(const QString& /*address*/) {}
    // Aborts the HTTP client's socket when a connection is open (Esc, close).
    virtual void abortHttpTransfer() {}
    // Closes the POP3 connection when one is open (actDisEmail).
    virtual void disconnectEmail() {}
};

// The tip of the day and the offers of the first run.
class TipsUpdatesService
{
public:
    virtual ~TipsUpdatesService() = default;
    virtual void showTipOfTheDay() {}
    virtual void runChannelUpdate() {}
    // Opens the voices web page.
    virtual void openVoiceGuide() {}
};

// The document editor's part in start-up and close.
class DocumentService
{
public:
    virtual ~DocumentService() = default;
    // The save-changes prompt: false when the user cancels or saving fails.
    virtual bool confirmSaveChanges() { return true; }
    // Starts or stops accepting files dropped on the window.
    virtual void acceptDroppedFiles(bool /*accept*/) {}
    // The whole document's text, also while a long file is still filling the editor; none when the
    // editor's own text is all there is.
    virtual std::optional<QString> documentText() const { return std::nullopt; }
    // A PDF or EPUB is still being read: documentText() is its beginning, the rest follows.
    virtual bool documentGrowing() const { return false; }
};

} // namespace narrix
