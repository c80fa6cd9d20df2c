#include "app/plugin_host/window_plugin_context.h"

#include "app/tf_main.h"

namespace narrix {

WindowPluginContext::WindowPluginContext(TfMain& window) : PluginContext(&window), window_(window) {}

const MainActions& WindowPluginContext::actions() const
{
    return window_.actions();
}

ModalDialogs& WindowPluginContext::modal()
{
    return window_.modal();
}

void WindowPluginContext::speak(SpeechSource source, const QString& text, const QString& title)
{
    window_.speakText(source, text.toStdString(),
                      title.isNull() ? std::nullopt : std::optional(title.toStdString()));
}

void WindowPluginContext::setStatusText(const QString& text)
{
    window_.setStatusText(text);
}

const Settings& WindowPluginContext::settings() const
{
    return window_.settings();
}

void WindowPluginContext::changeSettings(const Settings& settings)
{
    window_.applySettings(settings);
    Q_EMIT settingsChanged(window_.settings());
}

void WindowPluginContext::applyTrayTheme()
{
    window_.tray().applyTheme();
}

bool WindowPluginContext::startingUp() const
{
    return window_.state().startingUp;
}

TransferFlags& WindowPluginContext::transfers()
{
    return transfers_;
}

ReadingControl& WindowPluginContext::reading()
{
    return window_.reading();
}

const ReadingState& WindowPluginContext::readingState() const
{
    return window_.readingState();
}

EngineSpeedRange WindowPluginContext::speedRange()
{
    return EngineSpeedRange(window_.readingState());
}

SpeechEngine& WindowPluginContext::tts()
{
    return window_.tts();
}

QMainWindow& WindowPluginContext::window()
{
    return window_;
}

QTextEdit* WindowPluginContext::editor() const
{
    return window_.editor();
}

void WindowPluginContext::setDocumentTitle(const QString& title)
{
    window_.setDocumentTitle(title);
}

QTreeView* WindowPluginContext::scheduleList() const
{
    return window_.scheduleList();
}

ScheduleListModel& WindowPluginContext::scheduleItems()
{
    return window_.scheduleItems();
}

bool WindowPluginContext::saveScheduleList()
{
    return window_.SaveScheduleList();
}

QPlainTextEdit* WindowPluginContext::realTimeMemo() const
{
    return window_.realTimeMemo();
}

} // namespace narrix
