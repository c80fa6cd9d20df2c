#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QMenu;
class QSystemTrayIcon;

namespace narrix {

// The icon in the notification area: hint, icon, animation frames and the mouse buttons. It appears
// as soon as a tray host runs, also when the host starts after the program.
class TQMTrayIcon : public QObject
{
    Q_OBJECT
public:
    explicit TQMTrayIcon(QObject* parent = nullptr);
    ~TQMTrayIcon() override;

    void setActive(bool active);
    bool active() const { return active_; }
    // True while the icon is registered with a tray host.
    bool shown() const;
    void setIcon(const QIcon& icon);
    // The tip is the hint's part before any "|", cut to 63 characters.
    void setHint(const QString& hint);
    QString toolTip() const;
    // The menu a D-Bus tray host shows by itself: Qt exports it as a DBusMenu there. The X11 tray is
    // not given it (Qt would pop it up at every right click); its owner pops it up on rightButtonDown.
    void setMenu(QMenu* menu);
    // True while the tray host is offered the menu over D-Bus.
    bool menuExported() const;
    void setFrames(const QList<QIcon>& frames);
    void setAnimated(bool animated);
    bool animated() const { return timer_.isActive(); }
    void setDelay(int milliseconds);
    int delay() const { return timer_.interval(); }
    int frameIndex() const { return frameIndex_; }
    // The icon shown now (a frame while animated).
    QIcon currentIcon() const { return current_; }
    // One animation step: the next frame becomes the icon.
    void nextFrame();

Q_SIGNALS:
    void leftButtonDown();
    void rightButtonDown();
    void doubleClicked();
    void middleClicked();
    // The tray host that showed the icon is gone.
    void trayHostLost();

private:
    void show(const QIcon& icon);
    void watchForTrayHost();
    void offerMenu();

    QSystemTrayIcon* icon_ = nullptr;
    QPointer<QMenu> menu_;
    QTimer timer_;
    QTimer hostWatch_;
    QIcon current_;
    QList<QIcon> frames_;
    QString hint_;
    int frameIndex_ = 0;
    bool active_ = false;
    bool hostSeen_ = false;
};

} // namespace narrix
