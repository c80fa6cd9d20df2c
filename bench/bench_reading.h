#pragma once

#include "speech/reading_control.h"

#include <string>
#include <utility>

namespace narrix::bench {

// A main window that shows nothing and offers `text` as its document.
class DocumentOnlyHost final : public ReadingHost
{
public:
    void setStatusText(const QString&, bool) override {}
    void startSpeakingAnimation() override {}
    void stopSpeakingAnimation() override {}
    void setAnimationDelay(int) override {}
    void showStillPicture() override {}
    bool editorHasSelection() const override { return false; }
    std::string editorSelectedText() const override { return {}; }
    std::string editorText() const override { return text; }
    void runQuickStart(const std::function<void(QuickStartChoice)>&) override {}
    bool openDocument() override { return false; }
    int scheduleRowCount() const override { return 0; }
    void runScheduleRow(int) override {}
    void speakTime() override {}
    void speakDate() override {}
    void speakClipboard() override {}
    void openHelp() override {}
    bool closeWhenDone() override { return false; }
    std::string text;
};

// The reading control on a document of the benchmark's, as Play and Stop drive it in the window.
struct DocumentReading
{
    DocumentReading(SpeechEngine& engine, std::string text, bool englishLocale = false)
        : control(state, engine, host)
    {
        state.englishLocale = englishLocale;
        host.text = std::move(text);
    }

    ReadingState state;
    DocumentOnlyHost host;
    ReadingControl control;
};

} // namespace narrix::bench
