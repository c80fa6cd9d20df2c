#pragma once

#include "app/main_services.h"
#include "desktop/tray_icon.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QAction;
class QMenu;

namespace narrix {

struct Settings;

// The tray icon of the main window with its theme, menu and speaking animation, the band bar's logo
// clip, and minimising to the tray: the window's TrayService.
class ChromeTray final : public QObject, public TrayService, public MainPlugin
{
    Q_OBJECT
public:
    static constexpr int kLogoFrameCount = 10;

    explicit ChromeTray(QObject* parent = nullptr);
    ~ChromeTray() override;

    // MainPlugin
    void attach(TfMain& window) override;

    // TrayService
    void createTrayIcon() override;
    void applyTheme() override;
    void loadLogoAnimation(QLabel& logo) override;
    void installMinimizeRestoreHooks() override;
    void startSpeakingAnimation() override;
    void stopSpeakingAnimation() override;
    void setAnimationDelay(int milliseconds) override;
    void showStillPicture() override;
    void freeTrayIcon() override;

    void applyThemeSettings(const Settings& settings) override;

    // The tray's left button: restores while minimised, else minimises (not while a dialog is open).
    void trayLeftButtonDown();
    // The tray's right button: the tray menu, only while minimised.
    void trayRightButtonDown();
    // Brings the window back from the tray or the taskbar in its old state ("&Open").
    void restoreApplication();
    void minimizeApplication();
    // The tray menu's "E&xit": ends the program as File > Exit does, also while hidden in the tray.
    void exitFromTray();

    TQMTrayIcon& icon() { return icon_; }
    QMenu* trayMenu() const { return menu_; }
    int logoFrame() const { return logoFrame_; }
    bool logoPlaying() const { return logoTimer_.isActive(); }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void buildTrayMenu();
    QAction* twinOf(QAction* original, const QString& name);
    void applicationMinimized();
    void applicationRestored();
    void showLogoFrame(int frame);
    void loadTrayFrames();
    const QIcon& stillIcon();
    bool taskbarButton() const;

    QPointer<TfMain> window_;
    TQMTrayIcon icon_;
    // The theme's still picture, made when the tray first shows it.
    QString stillPicture_;
    QIcon normal_;
    bool stillIconQueued_ = false;
    // The theme's animation frames, read when the animation first runs.
    QString closeFrame_;
    QString openFrame_;
    bool framesLoaded_ = false;
    QMenu* menu_ = nullptr;
    bool hooksInstalled_ = false;
    QPointer<QLabel> logo_;
    // Null until the frame is first shown.
    QList<QPixmap> logoFrames_;
    QTimer logoTimer_;
    int logoFrame_ = 0;
};

} // namespace narrix
