#include "desktop/tray_icon.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace narrix {

namespace {

constexpr int kMaxTipLength = 63;
constexpr int kHostWatchInterval = 1000;

} // namespace

TQMTrayIcon::TQMTrayIcon(QObject* parent) : QObject(parent)
{
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &TQMTrayIcon::nextFrame);
    hostWatch_.setInterval(kHostWatchInterval);
    connect(&hostWatch_, &QTimer::timeout, this, &TQMTrayIcon::watchForTrayHost);
}

TQMTrayIcon::~TQMTrayIcon() = default;

void TQMTrayIcon::setActive(bool active)
{
    active_ = active;
    if (!active) {
        hostWatch_.stop();
        if (icon_)
            icon_->hide();
        return;
    }
    if (!icon_) {
        icon_ = new QSystemTrayIcon(this);
        connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
            case QSystemTrayIcon::Trigger:
                Q_EMIT leftButtonDown();
                break;
            case QSystemTrayIcon::Context:
                Q_EMIT rightButtonDown();
                break;
            case QSystemTrayIcon::DoubleClick:
                Q_EMIT doubleClicked();
                break;
            case QSystemTrayIcon::MiddleClick:
                Q_EMIT middleClicked();
                break;
            case QSystemTrayIcon::Unknown:
                break;
            }
        });
    }
    // Before the icon is shown: the item registers with its menu path already set.
    offerMenu();
    icon_->setIcon(current_);
    icon_->setToolTip(toolTip());
    watchForTrayHost();
}

void TQMTrayIcon::setMenu(QMenu* menu)
{
    menu_ = menu;
    offerMenu();
}

// Only a platform tray (the D-Bus one) turns the menu into a platform menu; without one Qt draws the
// tray itself and would show the menu at every right click, also while the window is shown.
void TQMTrayIcon::offerMenu()
{
    if (!icon_ || !menu_)
        return;
    icon_->setContextMenu(menu_);
    if (menu_->platformMenu() == nullptr)
        icon_->setContextMenu(nullptr);
}

bool TQMTrayIcon::menuExported() const
{
    return icon_ && menu_ && icon_->contextMenu() == menu_;
}

// Without a tray host the icon waits for one; the window minimises the ordinary way meanwhile. The
// watch goes on while the icon is shown, so that a host that goes away is noticed.
void TQMTrayIcon::watchForTrayHost()
{
    if (!active_ || !icon_ || current_.isNull())
        return;
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && !icon_->isVisible())
        icon_->show();
    if (!available && hostSeen_)
        Q_EMIT trayHostLost();
    hostSeen_ = available;
    if (!hostWatch_.isActive())
        hostWatch_.start();
}

bool TQMTrayIcon::shown() const
{
    return active_ && icon_ && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TQMTrayIcon::setIcon(const QIcon& icon)
{
    show(icon);
}

void TQMTrayIcon::show(const QIcon& icon)
{
    current_ = icon;
    if (!icon_)
        return;
    icon_->setIcon(icon);
    if (!icon_->isVisible())
        watchForTrayHost();
}

void TQMTrayIcon::setHint(const QString& hint)
{
    hint_ = hint;
    if (icon_)
        icon_->setToolTip(toolTip());
}

QString TQMTrayIcon::toolTip() const
{
    return hint_.section(QLatin1Char('|'), 0, 0).left(kMaxTipLength);
}

void TQMTrayIcon::setFrames(const QList<QIcon>& frames)
{
    frames_ = frames;
    frameIndex_ = 0;
}

void TQMTrayIcon::setAnimated(bool animated)
{
    if (animated)
        timer_.start();
    else
        timer_.stop();
}

void TQMTrayIcon::setDelay(int milliseconds)
{
    timer_.setInterval(std::max(milliseconds, 1));
}

void TQMTrayIcon::nextFrame()
{
    if (frames_.isEmpty() || !active_)
        return;
    frameIndex_ = (frameIndex_ + 1) % static_cast<int>(frames_.size());
    show(frames_[frameIndex_]);
}

} // namespace narrix
