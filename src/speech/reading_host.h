#pragma once

#include "app/program_state.h"

#include <QString>
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
    // Where the selection begins, in the editor's positions (UTF-16 units).
    virtual qsizetype editorSelectionStart() const { return 0; }

    // The quick start guide, shown modally; reading control counts it as an open modal dialog.
    virtual QuickStartChoice askQuickStart() = 0;
    // What its choices run: File Open (true when a file was opened), a schedule row as Run Now runs
    // it, the Tools menu's time, date and clipboard commands, and Help Contents.
    virtual bool openDocument() = 0;
    virtual int scheduleRowCount() const = 0;
    virtual void runScheduleRow(int row) = 0;
    virtual void speakTime() = 0;
    virtual void speakDate() = 0;
    virtual void speakClipboard() = 0;
    virtual void openHelp() = 0;

    // The close after a command-line item was spoken.
    virtual bool mainWindowMinimized() const = 0;
    // Hides the main window and gives it `state` (so that the settings remember that one).
    virtual void hideMainWindow(WindowStartState state) = 0;
    // The normal close request (it may still ask to save the document).
    virtual void closeMainWindow() = 0;
};

} // namespace narrix
