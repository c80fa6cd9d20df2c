#pragma once

#include "net/http_client.h"
#include "net/pop3_client.h"
#include "plugin/feature_services.h"
#include "plugin/plugin.h"
#include "schedule/channel_host.h"
#include "schedule/event_pump.h"
#include "schedule/scheduler.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QAction;

namespace narrix {

class ChannelRetriever;
class Clock;
class DesktopNotifier;
class MailReader;

// Scheduled speeches in the main window: the schedule timer, Run Now and the double-click, the
// "Scheduled Speech" switch and its tray twin, channel retrieval for the command line and the
// hand-over, and the transfers' part in Esc and the close. The logic lives in Scheduler,
// ChannelRetriever and MailReader; this joins them to the window. A retrieval the schedule timer
// started reports its failure as a desktop notification (else in the status bar) so that the walk
// goes on; Run Now, the command line and the hand-over show the failure box.
class ChannelsPlugin final : public QObject,
                             public Plugin,
                             public TransferService,
                             private ChannelHost,
                             private SchedulerHost
{
    Q_OBJECT
public:
    ChannelsPlugin(const Clock& clock, DesktopNotifier& notifier, QObject* parent = nullptr);
    ~ChannelsPlugin() override;

    // Plugin
    void attach(PluginContext& context) override;
    void shutDown() override;

    // TransferService: the start-up argument and a handed-over address. Refused while a transfer
    // runs; the cut settings are cleared and the address is the title.
    void retrieveChannel(const QString& address) override;
    void abortHttpTransfer() override;
    void disconnectEmail() override;

    Scheduler& scheduler() { return *scheduler_; }
    ChannelRetriever& retriever() { return *retriever_; }
    net::HttpClient& http() { return http_; }
    net::Pop3Client& pop3() { return pop3_; }
    QTimer& tmrSch() { return tmrSch_; }
    // The tray menu's "&Scheduled Speech", kept in step with the Tools menu's.
    QAction* ScheduledSpeech1() const { return ScheduledSpeech1_; }

private:
    // Run Now: the first selected row in list order.
    void runNow();
    void updateRunNow();
    void closeIfNothingQueued();

    // ChannelHost and SchedulerHost
    void setStatusText(const QString& text) override;
    void beep() override;
    void setBusyPointer(bool busy) override;
    void reportFailure(const ChannelFailure& failure) override;
    void speakScheduled(const std::string& title, const std::string& text) override;
    void beginScheduledPieces(const std::string& title, const std::string& first) override;
    void continueScheduled(const std::string& title, const std::string& piece) override;
    void endScheduled() override;
    void processEvents() override;
    ProxyTexts proxySettings() const override;
    bool startingUp() const override;
    bool scheduleSwitchOn() const override;
    bool networkBusy() const override;
    bool windowClosing() const override;
    void retrieve(const ChannelRequest& request) override;

    const Clock& clock_;
    DesktopNotifier& notifier_;
    PluginContext* context_ = nullptr;
    // True while the schedule timer's walk retrieves an item (not Run Now in between its rows).
    bool unattended_ = false;
    bool runNowActive_ = false;
    net::HttpClient http_;
    net::Pop3Client pop3_;
    std::unique_ptr<MailReader> mail_;
    std::unique_ptr<ChannelRetriever> retriever_;
    std::unique_ptr<Scheduler> scheduler_;
    QTimer tmrSch_;
    QAction* ScheduledSpeech1_ = nullptr;
    EventPump pump_;
};

} // namespace narrix
