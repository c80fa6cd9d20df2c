#pragma once

#include "speech/reading_host.h"

namespace narrix {

class TfMain;

// Reading control's view of the main window: status bar, animations, editor, quick start guide and
// the commands its choices run.
class MainReadingHost final : public ReadingHost
{
public:
    explicit MainReadingHost(TfMain& window) : window_(window) {}

    void setStatusText(const QString& text, bool repaintNow) override;
    void startSpeakingAnimation() override;
    void stopSpeakingAnimation() override;
    void setAnimationDelay(int milliseconds) override;
    void showStillPicture() override;
    bool editorHasSelection() const override;
    std::string editorSelectedText() const override;
    std::string editorText() const override;
    QuickStartChoice askQuickStart() override;
    bool openDocument() override;
    int scheduleRowCount() const override;
    void runScheduleRow(int row) override;
    void speakTime() override;
    void speakDate() override;
    void speakClipboard() override;
    void openHelp() override;
    bool mainWindowMinimized() const override;
    void hideMainWindow(WindowStartState state) override;
    void closeMainWindow() override;

private:
    TfMain& window_;
};

} // namespace narrix
