#include "channels/channels_plugin.h"

#include "net/transfer_shutdown.h"
#include "platform/desktop_notifier.h"
#include "plugin/plugin_context.h"
#include "schedule/channel_retriever.h"
#include "schedule/mail_reader.h"
#include "schedule/schedule_list_model.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QScopeGuard>
#include <QTreeView>

#include <algorithm>

namespace narrix {

ChannelsPlugin::ChannelsPlugin(const Clock& clock, DesktopNotifier& notifier, QObject* parent)
    : QObject(parent), clock_(clock), notifier_(notifier)
{
    tmrSch_.setObjectName(QStringLiteral("tmrSch"));
    tmrSch_.setInterval(Scheduler::kIntervalMs);
}

ChannelsPlugin::~ChannelsPlugin() = default;

void ChannelsPlugin::attach(PluginContext& context)
{
    context_ = &context;
    TransferFlags& flags = context.transfers();
    ChannelHost& channelHost = *this;
    SchedulerHost& schedulerHost = *this;
    mail_ = std::make_unique<MailReader>(channelHost, flags, pop3_);
    retriever_ = std::make_unique<ChannelRetriever>(channelHost, flags, http_, *mail_);
    scheduler_ = std::make_unique<Scheduler>(context.scheduleItems(), clock_, schedulerHost);

    const MainActions& a = context.actions();
    connect(a.actRun, &QAction::triggered, this, [this] { runNow(); });
    QTreeView* list = context.scheduleList();
    connect(list, &QAbstractItemView::doubleClicked, this, [this] { runNow(); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateRunNow(); });
    // Rows removed or replaced may take the selection with them; look once the view has caught up.
    for (const auto signal : {&QAbstractItemModel::rowsRemoved, &QAbstractItemModel::rowsInserted})
        connect(
            list->model(), signal, this, [this] { updateRunNow(); }, Qt::QueuedConnection);
    connect(
        list->model(), &QAbstractItemModel::modelReset, this, [this] { updateRunNow(); },
        Qt::QueuedConnection);
    updateRunNow();

    ScheduledSpeech1_ =
        new QAction(QCoreApplication::translate("MainActions", "&Scheduled Speech"), &context.window());
    ScheduledSpeech1_->setObjectName(QStringLiteral("ScheduledSpeech1"));
    ScheduledSpeech1_->setCheckable(true);
    ScheduledSpeech1_->setChecked(a.ScheduledSpeech3->isChecked());
    connect(ScheduledSpeech1_, &QAction::toggled, a.ScheduledSpeech3, &QAction::setChecked);
    connect(a.ScheduledSpeech3, &QAction::toggled, ScheduledSpeech1_, &QAction::setChecked);

    connect(&tmrSch_, &QTimer::timeout, this, [this] { scheduler_->tick(); });
    tmrSch_.start();
}

void ChannelsPlugin::shutDown()
{
    tmrSch_.stop();
}

void ChannelsPlugin::runNow()
{
    const QModelIndexList rows = context_->scheduleList()->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const auto first =
        std::min_element(rows.begin(), rows.end(),
                         [](const QModelIndex& x, const QModelIndex& y) { return x.row() < y.row(); });
    runNowActive_ = true;
    const auto done = qScopeGuard([this] { runNowActive_ = false; });
    scheduler_->RunScheduleItem(context_->scheduleItems().item(first->row()));
}

void ChannelsPlugin::updateRunNow()
{
    context_->actions().actRun->setEnabled(context_->scheduleList()->selectionModel()->hasSelection());
}

void ChannelsPlugin::retrieveChannel(const QString& address)
{
    if (context_->transfers().busy()) {
        beep();
        setStatusText(QCoreApplication::translate("StatusBar", ChannelRetriever::kBusyText.data()));
        return;
    }
    retriever_->retrieve(ChannelRequest::forAddress(address.toStdString()));
    closeIfNothingQueued();
}

// A command-line item that gave nothing to speak (a failure, after its box; an empty passage) ends
// the program too: as if its speech were done, once the event loop runs and the window is up.
void ChannelsPlugin::closeIfNothingQueued()
{
    const auto nothingQueued = [this] {
        const ReadingState& reading = context_->readingState();
        return reading.exitWhenDone && reading.currentSource == SpeechSource::None && !reading.speaking;
    };
    if (!nothingQueued())
        return;
    QTimer::singleShot(0, &context_->window(), [this, nothingQueued] {
        if (nothingQueued())
            context_->reading().onSpeakingDone();
    });
}

void ChannelsPlugin::abortHttpTransfer()
{
    // Also while the connection is still being made: Esc cancels at once.
    http_.AbortSocket();
}

void ChannelsPlugin::disconnectEmail()
{
    mail_->disconnect();
}

void ChannelsPlugin::setStatusText(const QString& text)
{
    context_->setStatusText(text);
}

void ChannelsPlugin::beep()
{
    QApplication::beep();
}

void ChannelsPlugin::setBusyPointer(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        context_->window().repaint();
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void ChannelsPlugin::reportFailure(const ChannelFailure& failure)
{
    if (!unattended_) {
        context_->modal().refuse(failure.text);
        return;
    }
    const QString summary =
        failure.title.empty() ? QStringLiteral("Narrix") : QString::fromStdString(failure.title);
    if (!notifier_.notify(summary, failure.notificationBody()))
        setStatusText(failure.statusText());
}

void ChannelsPlugin::speakScheduled(const std::string& title, const std::string& text)
{
    context_->speak(SpeechSource::Scheduled, QString::fromStdString(text), QString::fromStdString(title));
}

void ChannelsPlugin::beginScheduledPieces(const std::string& title, const std::string& first)
{
    context_->reading().speakGrowing(SpeechSource::Scheduled, first, title);
}

void ChannelsPlugin::continueScheduled(const std::string& title, const std::string& piece)
{
    Q_UNUSED(title); // the growing text keeps the title it began with
    context_->reading().growSpeech(SpeechSource::Scheduled, piece);
}

void ChannelsPlugin::endScheduled()
{
    context_->reading().endGrowingSpeech(SpeechSource::Scheduled);
}

void ChannelsPlugin::processEvents()
{
    pump_.pump();
}

ProxyTexts ChannelsPlugin::proxySettings() const
{
    return {context_->settings().proxy.toStdString(), context_->settings().port.toStdString()};
}

bool ChannelsPlugin::startingUp() const
{
    return context_->startingUp();
}

bool ChannelsPlugin::scheduleSwitchOn() const
{
    return context_->actions().ScheduledSpeech3->isChecked();
}

bool ChannelsPlugin::networkBusy() const
{
    return context_->transfers().busy();
}

bool ChannelsPlugin::windowClosing() const
{
    // The close shuts every transfer down first (TfMain::FormClose).
    return net::transfersShutDown();
}

void ChannelsPlugin::retrieve(const ChannelRequest& request)
{
    const bool wasUnattended = unattended_;
    unattended_ = scheduler_->running() && !runNowActive_;
    const auto restore = qScopeGuard([this, wasUnattended] { unattended_ = wasUnattended; });
    retriever_->retrieve(request);
}

} // namespace narrix
