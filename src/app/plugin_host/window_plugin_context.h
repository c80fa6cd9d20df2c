#pragma once

#include "plugin/plugin_context.h"

namespace narrix {

class TfMain;

// The main window as the plugins see it: each call goes to the window's own function.
class WindowPluginContext final : public PluginContext
{
    Q_OBJECT
public:
    explicit WindowPluginContext(TfMain& window);

    const MainActions& actions() const override;
    ModalDialogs& modal() override;
    void speak(SpeechSource source, const QString& text, const QString& title = QString()) override;
    void setStatusText(const QString& text) override;
    const Settings& settings() const override;
    void changeSettings(const Settings& settings) override;
    void applyTrayTheme() override;
    bool startingUp() const override;
    TransferFlags& transfers() override;
    ReadingControl& reading() override;
    const ReadingState& readingState() const override;
    EngineSpeedRange speedRange() override;
    SpeechEngine& tts() override;
    QMainWindow& window() override;
    QTextEdit* editor() const override;
    void setDocumentTitle(const QString& title) override;
    QTreeView* scheduleList() const override;
    ScheduleListModel& scheduleItems() override;
    bool saveScheduleList() override;
    QPlainTextEdit* realTimeMemo() const override;

private:
    TfMain& window_;
    TransferFlags transfers_;
};

} // namespace narrix
