#pragma once

#include "app/program_state.h"
#include "speech/reading_host.h"

#include <memory>

namespace narrix {

class TfMain;
class TfrmGuide;

// Reading control's view of the main window: status bar, animations, editor, quick start guide and
// the commands its choices run.
class MainReadingHost final : public ReadingHost
{
public:
    MainReadingHost(TfMain& window, ProgramState& state);
    ~MainReadingHost() override;

    void setStatusText(const QString& text, bool repaintNow) override;
    void startSpeakingAnimation() override;
    void stopSpeakingAnimation() override;
    void setAnimationDelay(int milliseconds) override;
    void showStillPicture() override;
    bool editorHasSelection() const override;
    std::string editorSelectedText() const override;
    std::string editorText() const override;
    bool editorTextGrowing() const override;
    qsizetype editorSelectionStart() const override;
    void runQuickStart(const std::function<void(QuickStartChoice)>& actOnChoice) override;
    bool openDocument() override;
    int scheduleRowCount() const override;
    void runScheduleRow(int row) override;
    void speakTime() override;
    void speakDate() override;
    void speakClipboard() override;
    void openHelp() override;
    bool closeWhenDone() override;

private:
    QuickStartChoice askQuickStart();

    TfMain& window_;
    ProgramState& state_;
    std::unique_ptr<TfrmGuide> guide_; // built when first shown
};

} // namespace narrix
