#pragma once

#include "app/main_services.h"

#include <QObject>
#include <QPointer>

namespace narrix {

class ChromeTray;
class SettingsStore;
class TQMInstances;
enum class InstanceMessage : quint16;

// The single instance in the main window: a second start leaves its argument in PassFile and tells
// the running instance, which speaks it through the channels' entry (without minimising or closing)
// or comes to the front.
class InstanceHandOver final : public QObject, public SingleInstanceService, public MainPlugin
{
    Q_OBJECT
public:
    InstanceHandOver(TQMInstances& instances, SettingsStore& store, ChromeTray& tray,
                     QObject* parent = nullptr);

    void attach(TfMain& window) override;
    bool handOverToRunningInstance(const QStringList& arguments) override;

    // The running instance's side of the two messages.
    void received(InstanceMessage message);

private:
    void comeToFront();
    void speakHandedOver();

    TQMInstances& instances_;
    SettingsStore& store_;
    ChromeTray& tray_;
    QPointer<TfMain> window_;
};

} // namespace narrix
