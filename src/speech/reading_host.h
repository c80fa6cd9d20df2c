#pragma once

#include <QString>
#include <functional>
#include <string>

namespace narrix {

// What the quick start guide offers when Play finds an empty document.
enum class QuickStartChoice { Cancel, OpenDocument, RandomChannel, Time, Date, Clipboard, Help };

// What reading control needs from the main window. The window implements it; tests use a fake.
class ReadingHost
{
public:
    virtual ~ReadingHost() = default;

    // Status bar. `repaintNow` asks for the text to be shown before control returns.
    virtual void setStatusText(const QString& text, bool repaintNow) = 0;

    // Tray icon and logo animations.
    virtual void startSpeakingAnimation() = 0;
    virtual void stopSpeakingAnimation() = 0;
    virtual void setAnimationDelay(int milliseconds) = 0;
    virtual void showStillPicture() = 0;

    // The document editor (UTF-8).
    virtual bool editorHasSelection() const = 0;
    virtual std::string editorSelectedText() const = 0;
    virtual std::string editorText() const = 0;
    // The document is still being read: editorText() is its beginning and the rest follows.
    virtual bool editorTextGrowing() const { return false; }
    // Where the selection begins, in the editor's positions (UTF-16 units).
    virtual qsizetype editorSelectionStart() const { return 0; }

    // Shows the quick start guide modally and hands the choice to `actOnChoice`; the window counts
    // both as one open modal dialog. What the choices run: File Open (true when a file was opened), a
    // schedule row as Run Now runs it, the Tools menu's time, date and clipboard commands, and Help Contents.
    virtual void runQuickStart(const std::function<void(QuickStartChoice)>& actOnChoice) = 0;
    virtual bool openDocument() = 0;
    virtual int scheduleRowCount() const = 0;
    virtual void runScheduleRow(int row) = 0;
    virtual void speakTime() = 0;
    virtual void speakDate() = 0;
    virtual void speakClipboard() = 0;
    virtual void openHelp() = 0;

    // A command-line item was spoken: the window closes (the normal close request, which may still
    // ask to save the document) unless a modal dialog is open; a minimised window is first hidden and
    // given the state it had before start-minimised. False when it did not close.
    virtual bool closeWhenDone() = 0;
};

} // namespace narrix
