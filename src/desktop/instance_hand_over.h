#pragma once

#include "app/main_services.h"
#include "desktop/launch_request.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace narrix {

class ChromeTray;
class SettingsStore;
class TQMInstances;
enum class InstanceMessage : quint16;

// The single instance in the main window: a second start leaves its argument in PassFile and tells
// the running instance, which speaks it through the channels' entry (without minimising or closing)
// or comes to the front; `--open` and `--import` hand their file over with the message and the
// running instance opens it in the editor or imports it. Only an instance that answers ends a start:
// when the single instance cannot be had, the program says why and runs without it.
class InstanceHandOver final : public QObject, public SingleInstanceService, public MainPlugin
{
    Q_OBJECT
public:
    // What the window does with a file of --open or --import (the editor's open after the
    // save-changes prompt, the list commands' merge).
    struct FileHandlers
    {
        std::function<void(const QString&)> openInEditor;
        std::function<void(const QString&)> importList;
    };

    InstanceHandOver(TQMInstances& instances, SettingsStore& store, ChromeTray& tray,
                     QObject* parent = nullptr);

    // The command line's request; Open and Import are done at the end of this start-up or handed
    // over to the running instance.
    void setLaunchRequest(const LaunchRequest& request) { request_ = request; }
    void setFileHandlers(FileHandlers handlers) { handlers_ = std::move(handlers); }

    void attach(TfMain& window) override;
    void startUp() override;
    bool handOverToRunningInstance(const QStringList& arguments) override;

    // The running instance's side of the messages.
    void received(InstanceMessage message, const QString& path);

    // Why this instance runs without the single instance, empty when it has it.
    QString problem() const { return problem_; }

private:
    bool handOver(const QStringList& arguments);
    void comeToFront();
    void speakHandedOver();
    void doFileRequest(LaunchRequest::Kind kind, const QString& path);
    void reportProblem(const QString& why);

    TQMInstances& instances_;
    SettingsStore& store_;
    ChromeTray& tray_;
    QPointer<TfMain> window_;
    LaunchRequest request_;
    FileHandlers handlers_;
    QString problem_;
};

} // namespace narrix
