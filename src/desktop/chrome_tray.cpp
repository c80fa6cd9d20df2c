#include "desktop/chrome_tray.h"

#include "app/tf_main.h"
#include "desktop/tray_theme.h"
#include "settings/settings.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QWindowStateChangeEvent>

// The pictures are compiled into this static library; the linker keeps them only when asked for.
static void initChromeResources()
{
    Q_INIT_RESOURCE(chrome);
}

namespace narrix {

namespace {

bool iconLoads(const QString& path)
{
    return !path.isEmpty() && QImageReader(path).canRead();
}

// One frame of the logo clip at the size its picture gives, drawn by the SVG renderer itself rather
// than through the image plugins (loading those would ask every one of them).
QPixmap logoPicture(int frame)
{
    QSvgRenderer renderer(QStringLiteral(":/chrome/logo/frame-%1.svg").arg(frame, 2, 10, QLatin1Char('0')));
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

ChromeTray::ChromeTray(QObject* parent) : QObject(parent)
{
    initChromeResources();
    connect(&icon_, &TQMTrayIcon::leftButtonDown, this, &ChromeTray::trayLeftButtonDown);
    connect(&icon_, &TQMTrayIcon::rightButtonDown, this, &ChromeTray::trayRightButtonDown);
    // A window hidden in a tray that went away comes back as an ordinary minimised window.
    connect(&icon_, &TQMTrayIcon::trayHostLost, this, [this] {
        if (window_ && window_->state().minimized && window_->isHidden())
            window_->showMinimized();
    });
    connect(&logoTimer_, &QTimer::timeout, this, [this] { showLogoFrame(logoFrame_ % kLogoFrameCount + 1); });
    logoTimer_.setInterval(500);
    icon_.setDelay(500);
}

ChromeTray::~ChromeTray()
{
    if (window_ && hooksInstalled_)
        window_->removeEventFilter(this);
    // The D-Bus tray lets go of the exported menu before the menu goes.
    icon_.setActive(false);
    delete menu_;
}

void ChromeTray::attach(TfMain& window)
{
    window_ = &window;
    buildTrayMenu();
}

void ChromeTray::buildTrayMenu()
{
    menu_ = new QMenu;
    menu_->setObjectName(QStringLiteral("TrayMenu"));
    auto* open = menu_->addAction(tr("&Open"));
    open->setObjectName(QStringLiteral("Open1"));
    connect(open, &QAction::triggered, this, &ChromeTray::restoreApplication);
    menu_->setDefaultAction(open);
    menu_->addSeparator();
    const MainActions& a = window_->actions();
    menu_->addAction(twinOf(a.RealtimeSpeech3, QStringLiteral("RealtimeSpeech1")));
    menu_->addAction(twinOf(a.Clip2, QStringLiteral("Clip1")));
    menu_->addAction(twinOf(a.ScheduledSpeech3, QStringLiteral("ScheduledSpeech1")));
    menu_->addSeparator();
    auto* stop = menu_->addAction(tr("&Stop Reading"));
    stop->setObjectName(QStringLiteral("StopReading1"));
    connect(stop, &QAction::triggered, this, [this] { window_->reading().stop(); });
    // Enabled exactly while Speech > Stop is.
    stop->setEnabled(a.actStop->isEnabled());
    connect(a.actStop, &QAction::enabledChanged, stop, &QAction::setEnabled);
    menu_->addSeparator();
    auto* exit = menu_->addAction(tr("E&xit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &ChromeTray::exitFromTray);
    // A twin greyed on this desktop says why in its tool tip.
    menu_->setToolTipsVisible(true);
    icon_.setMenu(menu_);
}

// The close request as File > Exit runs it. Closing a window hidden in the tray does not end the
// event loop by itself (only closing the last visible window does), so the program ends here once
// the close went ahead.
void ChromeTray::exitFromTray()
{
    if (window_ && window_->close())
        QCoreApplication::quit();
}

// The tray's twin of a Tools menu switch: the two stay ticked alike. A subsystem that made the twin
// already (it may keep its own reference) shares it.
QAction* ChromeTray::twinOf(QAction* original, const QString& name)
{
    if (auto* existing = window_->findChild<QAction*>(name))
        return existing;
    auto* twin = new QAction(original->text(), menu_);
    twin->setObjectName(name);
    twin->setCheckable(true);
    twin->setChecked(original->isChecked());
    connect(twin, &QAction::toggled, original, &QAction::setChecked);
    connect(original, &QAction::toggled, twin, &QAction::setChecked);
    // Greyed with its original, with the same hints (a switch whose source hears nothing here).
    const auto follow = [twin, original] {
        twin->setEnabled(original->isEnabled());
        twin->setStatusTip(original->statusTip());
        twin->setToolTip(original->statusTip().isEmpty() ? QString() : original->toolTip());
    };
    follow();
    connect(original, &QAction::changed, twin, follow);
    return twin;
}

void ChromeTray::createTrayIcon()
{
    icon_.setHint(QStringLiteral("Narrix"));
    icon_.setActive(true);
}

void ChromeTray::applyTheme()
{
    if (window_)
        applyThemeSettings(window_->settings());
}

void ChromeTray::applyThemeSettings(const Settings& settings)
{
    const TrayThemePictures pictures = trayThemePictures(settings, iconLoads);
    stillPicture_ = pictures.normal;
    normal_ = QIcon();
    closeFrame_ = pictures.closeFrame;
    openFrame_ = pictures.openFrame;
    framesLoaded_ = false;
    icon_.setFrames({});
    if (icon_.animated())
        loadTrayFrames();
    // Given to the tray on the next turn of the event loop: the first picture loads Qt's icon engine
    // and showing it asks the desktop for its tray, neither of which the window's first show needs.
    if (stillIconQueued_)
        return;
    stillIconQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        stillIconQueued_ = false;
        icon_.setIcon(stillIcon());
    });
}

const QIcon& ChromeTray::stillIcon()
{
    if (normal_.isNull())
        normal_ = QIcon(stillPicture_);
    return normal_;
}

void ChromeTray::loadLogoAnimation(QLabel& logo)
{
    logo_ = &logo;
    // The still picture now; the others are drawn when the clip first shows them.
    logoFrames_ = QList<QPixmap>(kLogoFrameCount);
    showLogoFrame(1);
}

void ChromeTray::showLogoFrame(int frame)
{
    logoFrame_ = frame;
    if (!logo_ || frame < 1 || frame > logoFrames_.size())
        return;
    QPixmap& picture = logoFrames_[frame - 1];
    if (picture.isNull())
        picture = logoPicture(frame);
    logo_->setPixmap(picture);
}

void ChromeTray::startSpeakingAnimation()
{
    loadTrayFrames();
    icon_.setAnimated(true);
    logoTimer_.start();
}

void ChromeTray::loadTrayFrames()
{
    if (framesLoaded_)
        return;
    icon_.setFrames({QIcon(closeFrame_), QIcon(openFrame_)});
    framesLoaded_ = true;
}

void ChromeTray::stopSpeakingAnimation()
{
    icon_.setAnimated(false);
    logoTimer_.stop();
}

void ChromeTray::setAnimationDelay(int milliseconds)
{
    icon_.setDelay(milliseconds);
    logoTimer_.setInterval(std::max(milliseconds, 1));
}

void ChromeTray::showStillPicture()
{
    icon_.setIcon(stillIcon());
    showLogoFrame(1);
}

void ChromeTray::freeTrayIcon()
{
    icon_.setAnimated(false);
    icon_.setActive(false);
}

void ChromeTray::installMinimizeRestoreHooks()
{
    if (hooksInstalled_ || !window_)
        return;
    window_->installEventFilter(this);
    hooksInstalled_ = true;
}

bool ChromeTray::eventFilter(QObject* watched, QEvent* event)
{
    // The event type first: while the window is being destroyed (its child events still pass
    // here) it is no longer a TfMain, and reading the pointer would cast it to one.
    if (event->type() == QEvent::WindowStateChange && watched == window_) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool was = change->oldState().testFlag(Qt::WindowMinimized);
        const bool now = window_->windowState().testFlag(Qt::WindowMinimized);
        if (!was && now)
            applicationMinimized();
        else if (was && !now)
            applicationRestored();
    }
    return QObject::eventFilter(watched, event);
}

bool ChromeTray::taskbarButton() const
{
    return window_->actions().askbarButton1->isChecked();
}

// Only the tray icon remains when the taskbar button is off and a tray host shows the icon; without
// a host the window stays an ordinary minimised window, so it can always be found again.
void ChromeTray::applicationMinimized()
{
    window_->setMinimizedFlag(true);
    if (!taskbarButton() && icon_.shown())
        QTimer::singleShot(0, window_, [this] {
            if (window_->isMinimized() && icon_.shown())
                window_->hide();
        });
    window_->setWindowStartState(window_->isMinimized() ? WindowStartState::Minimized
                                                        : WindowStartState::Normal);
}

void ChromeTray::applicationRestored()
{
    if (!taskbarButton())
        window_->show();
    if (window_->settings().windowStartState == WindowStartState::Minimized)
        window_->setWindowStartState(WindowStartState::Normal);
    window_->setMinimizedFlag(false);
}

void ChromeTray::restoreApplication()
{
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ChromeTray::minimizeApplication()
{
    window_->setWindowState(window_->windowState() | Qt::WindowMinimized);
}

void ChromeTray::trayLeftButtonDown()
{
    if (!window_ || window_->state().startingUp)
        return;
    // Decided by what the user sees: a window brought back by a second start may not have passed
    // through the restore handler, so the minimised flag alone can be stale.
    const bool showing = window_->isVisible() && !window_->isMinimized();
    if (!showing)
        restoreApplication();
    else if (window_->state().openModalDialogs == 0)
        minimizeApplication();
}

void ChromeTray::trayRightButtonDown()
{
    if (window_ && window_->state().minimized)
        menu_->popup(QCursor::pos());
}

} // namespace narrix
