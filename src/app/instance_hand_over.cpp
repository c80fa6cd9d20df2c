#include "app/instance_hand_over.h"

#include "app/chrome_tray.h"
#include "app/settings_store.h"
#include "app/tf_main.h"
#include "app/tq_instances.h"

namespace narrix {

namespace {

const QString kPassFile = QStringLiteral("PassFile");

} // namespace

InstanceHandOver::InstanceHandOver(TQMInstances& instances, SettingsStore& store, ChromeTray& tray,
                                   QObject* parent)
    : QObject(parent), instances_(instances), store_(store), tray_(tray)
{
    connect(&instances_, &TQMInstances::received, this, &InstanceHandOver::received);
}

void InstanceHandOver::attach(TfMain& window)
{
    window_ = &window;
}

bool InstanceHandOver::handOverToRunningInstance(const QStringList& arguments)
{
    if (instances_.FirstInstance())
        return false;
    if (arguments.isEmpty()) {
        instances_.send(InstanceMessage::ComeToFront);
        return true;
    }
    store_.setValue(kPassFile, arguments.first());
    QString error;
    if (!store_.flush(&error)) {
        qWarning("narrix: %s", qPrintable(error));
        return true;
    }
    instances_.send(InstanceMessage::HandOver);
    return true;
}

void InstanceHandOver::received(InstanceMessage message)
{
    if (!window_)
        return;
    if (message == InstanceMessage::ComeToFront)
        comeToFront();
    else
        speakHandedOver();
}

void InstanceHandOver::comeToFront()
{
    if (window_->state().openModalDialogs > 0)
        return;
    tray_.restoreApplication();
}

void InstanceHandOver::speakHandedOver()
{
    if (window_->state().startingUp)
        return;
    // Picks up what the other process wrote.
    store_.flush(nullptr);
    const QString address = store_.value(kPassFile);
    if (!address.isEmpty())
        window_->transferService().retrieveChannel(address);
}

} // namespace narrix
