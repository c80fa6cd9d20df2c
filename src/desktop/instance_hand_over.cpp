#include "desktop/instance_hand_over.h"

#include "app/tf_main.h"
#include "base/diagnostics.h"
#include "desktop/chrome_tray.h"
#include "desktop/single_instance.h"
#include "plugin/modal_dialogs.h"
#include "settings/settings_store.h"

#include <QTimer>

namespace narrix {

namespace {

const QString kPassFile = QStringLiteral("PassFile");
// How often a file handed over while a dialog is open looks again.
constexpr int kBusyRetryMs = 300;

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
    switch (instances_.lookup()) {
    case InstanceLookup::First:
        if (!instances_.errorString().isEmpty())
            reportProblem(instances_.errorString());
        return false;
    case InstanceLookup::Unavailable:
        reportProblem(instances_.errorString());
        return false;
    case InstanceLookup::AnotherRuns:
        break;
    }
    if (handOver(arguments))
        return true;
    if (problem_.isEmpty())
        reportProblem(QStringLiteral("another Narrix holds the single-instance lock but does not answer"));
    return false;
}

// True when the running instance took the message.
bool InstanceHandOver::handOver(const QStringList& arguments)
{
    switch (request_.kind) {
    case LaunchRequest::Kind::Open:
        return instances_.send(InstanceMessage::OpenInEditor, request_.path);
    case LaunchRequest::Kind::Import:
        return instances_.send(InstanceMessage::ImportList, request_.path);
    case LaunchRequest::Kind::None:
    case LaunchRequest::Kind::Speak:
        break;
    }
    if (arguments.isEmpty())
        return instances_.send(InstanceMessage::ComeToFront);
    store_.setValue(kPassFile, arguments.first());
    QString error;
    if (!store_.flush(&error)) {
        // The running instance could not read the argument: this start speaks it itself.
        reportProblem(QStringLiteral("the argument cannot be handed over: %1").arg(error));
        return false;
    }
    return instances_.send(InstanceMessage::HandOver);
}

void InstanceHandOver::reportProblem(const QString& why)
{
    problem_ = why;
    qCWarning(lcNarrix, "single instance: %s; running without it", qPrintable(why));
}

// The first instance does its own --open or --import once started, and shows why it runs without the
// single instance after the window is up.
void InstanceHandOver::startUp()
{
    if (request_.kind == LaunchRequest::Kind::Open || request_.kind == LaunchRequest::Kind::Import) {
        const LaunchRequest request = request_;
        QTimer::singleShot(0, this, [this, request] { doFileRequest(request.kind, request.path); });
    }
    if (!problem_.isEmpty() && window_)
        QTimer::singleShot(0, this, [this] {
            if (window_)
                window_->modal().refuse(
                    QStringLiteral("Narrix cannot make sure that only one copy of it runs:\r\n%1.\r\n\r\n"
                                   "It runs on, but a second start will not reach this one.")
                        .arg(problem_));
        });
}

void InstanceHandOver::received(InstanceMessage message, const QString& path)
{
    if (!window_)
        return;
    switch (message) {
    case InstanceMessage::ComeToFront:
        comeToFront();
        break;
    case InstanceMessage::HandOver:
        speakHandedOver();
        break;
    case InstanceMessage::OpenInEditor:
        doFileRequest(LaunchRequest::Kind::Open, path);
        break;
    case InstanceMessage::ImportList:
        doFileRequest(LaunchRequest::Kind::Import, path);
        break;
    }
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

// A file that arrives while a dialog of the program is open waits until it is closed; like every
// hand-over, one that arrives while the start-up has not finished is ignored.
void InstanceHandOver::doFileRequest(LaunchRequest::Kind kind, const QString& path)
{
    if (!window_ || path.isEmpty())
        return;
    if (window_->state().startingUp) {
        qCWarning(lcNarrix, "%s not taken: Narrix has not finished starting", qPrintable(path));
        return;
    }
    if (window_->state().openModalDialogs > 0) {
        QTimer::singleShot(kBusyRetryMs, this, [this, kind, path] { doFileRequest(kind, path); });
        return;
    }
    tray_.restoreApplication();
    const auto& handler = kind == LaunchRequest::Kind::Open ? handlers_.openInEditor : handlers_.importList;
    if (handler)
        handler(path);
}

} // namespace narrix
