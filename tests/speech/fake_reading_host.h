#pragma once

#include "speech/reading_host.h"

#include <QStringList>
#include <functional>

namespace narrix::testing {

// Records what reading control asked of the main window.
class FakeReadingHost : public ReadingHost
{
public:
    QString status;
    QStringList statusHistory;
    bool lastRepaintNow = false;
    bool animating = false;
    int animationDelay = 500;
    int stillPictures = 0;
    bool hasSelection = false;
    std::string selectedText;
    qsizetype selectionStart = 0;
    std::string document;
    QuickStartChoice choice = QuickStartChoice::Cancel;
    int quickStarts = 0;
    std::function<bool()> onOpenDocument = [] { return false; };
    int rows = 0;
    std::vector<int> rowsRun;
    QStringList toolCalls;
    bool closeWaits = false; // as when a modal dialog is open
    int closes = 0;

    void setStatusText(const QString& text, bool repaintNow) override
    {
        status = text;
        statusHistory << text;
        lastRepaintNow = repaintNow;
    }
    void startSpeakingAnimation() override { animating = true; }
    void stopSpeakingAnimation() override { animating = false; }
    void setAnimationDelay(int ms) override { animationDelay = ms; }
    void showStillPicture() override { ++stillPictures; }
    bool editorHasSelection() const override { return hasSelection; }
    std::string editorSelectedText() const override { return selectedText; }
    std::string editorText() const override { return document; }
    qsizetype editorSelectionStart() const override { return selectionStart; }
    void runQuickStart(const std::function<void(QuickStartChoice)>& actOnChoice) override
    {
        ++quickStarts;
        actOnChoice(choice);
    }
    bool openDocument() override { return onOpenDocument(); }
    int scheduleRowCount() const override { return rows; }
    void runScheduleRow(int row) override { rowsRun.push_back(row); }
    void speakTime() override { toolCalls << QStringLiteral("time"); }
    void speakDate() override { toolCalls << QStringLiteral("date"); }
    void speakClipboard() override { toolCalls << QStringLiteral("clipboard"); }
    void openHelp() override { toolCalls << QStringLiteral("help"); }
    bool closeWhenDone() override
    {
        if (closeWaits)
            return false;
        ++closes;
        return true;
    }
};

} // namespace narrix::testing
