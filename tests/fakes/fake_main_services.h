#pragma once

#include "app/main_services.h"

#include <QStringList>

namespace narrix::testing {

// Every service of the main window in one recording fake: `calls` lists what the window asked, in
// order. `runningInstance` makes the hand-over succeed; `saveAnswer` is the save-changes prompt's.
class FakeMainServices : public TrayService,
                         public SingleInstanceService,
                         public RealtimeHookService,
                         public TransferService,
                         public TipsUpdatesService,
                         public DocumentService,
                         public MainPlugin
{
public:
    QStringList calls;
    bool runningInstance = false;
    bool saveAnswer = true;
    QStringList handedOver;
    QString retrieved;
    int animationDelay = -1;
    TfMain* attachedTo = nullptr;

    MainServices services()
    {
        MainServices s;
        s.tray = this;
        s.singleInstance = this;
        s.realtimeHook = this;
        s.transfers = this;
        s.tips = this;
        s.document = this;
        s.windowParts = {this};
        return s;
    }

    void createTrayIcon() override { calls << QStringLiteral("createTrayIcon"); }
    void applyTheme() override { calls << QStringLiteral("applyTheme"); }
    void loadLogoAnimation(QLabel&) override { calls << QStringLiteral("loadLogoAnimation"); }
    void installMinimizeRestoreHooks() override { calls << QStringLiteral("installMinimizeRestoreHooks"); }
    void startSpeakingAnimation() override { calls << QStringLiteral("startSpeakingAnimation"); }
    void stopSpeakingAnimation() override { calls << QStringLiteral("stopSpeakingAnimation"); }
    void setAnimationDelay(int milliseconds) override { animationDelay = milliseconds; }
    void showStillPicture() override { calls << QStringLiteral("showStillPicture"); }
    void freeTrayIcon() override { calls << QStringLiteral("freeTrayIcon"); }

    bool handOverToRunningInstance(const QStringList& arguments) override
    {
        calls << QStringLiteral("handOverToRunningInstance");
        handedOver = arguments;
        return runningInstance;
    }

    void resetKeyState() override { calls << QStringLiteral("resetKeyState"); }
    void connectHook() override { calls << QStringLiteral("connectHook"); }
    void disconnectHook() override { calls << QStringLiteral("disconnectHook"); }

    void retrieveChannel(const QString& address) override
    {
        calls << QStringLiteral("retrieveChannel");
        retrieved = address;
    }
    void abortHttpTransfer() override { calls << QStringLiteral("abortHttpTransfer"); }
    void disconnectEmail() override { calls << QStringLiteral("disconnectEmail"); }

    void showTipOfTheDay() override { calls << QStringLiteral("showTipOfTheDay"); }
    void runChannelUpdate() override { calls << QStringLiteral("runChannelUpdate"); }
    void openVoiceGuide() override { calls << QStringLiteral("openVoiceGuide"); }

    bool confirmSaveChanges() override
    {
        calls << QStringLiteral("confirmSaveChanges");
        return saveAnswer;
    }
    void acceptDroppedFiles(bool accept) override
    {
        calls << (accept ? QStringLiteral("acceptDroppedFiles") : QStringLiteral("refuseDroppedFiles"));
    }

    void attach(TfMain& window) override
    {
        calls << QStringLiteral("attach");
        attachedTo = &window;
    }
    void startUp() override { calls << QStringLiteral("startUp"); }
    void shutDown() override { calls << QStringLiteral("shutDown"); }
};

} // namespace narrix::testing
