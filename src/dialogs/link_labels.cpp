#include "dialogs/link_labels.h"

#include "base/maker_addresses.h"
#include "dialogs/mail_link.h"
#include "ui/desktop_opener.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace narrix {
namespace {

QFont underlined(QFont font)
{
    font.setUnderline(true);
    return font;
}

} // namespace

void TQMSurfTo::SurfTo(const QString& address)
{
    if (!address.isEmpty())
        desktop_.open(address);
}

void TQMSurfTo::MailTo(const QString& address, const QString& cc, const QString& bcc, const QString& subject)
{
    desktop_.open(composeMailLink(address, cc, bcc, subject));
}

TQMLabel::TQMLabel(QWidget* parent)
    : QLabel(parent), hintColor_(QToolTip::palette().color(QPalette::ToolTipBase))
{
}

void TQMLabel::setHotTrackFont(const QFont& font, const QColor& color)
{
    hotTrackFont_ = font;
    hotTrackColor_ = color;
}

void TQMLabel::setTextColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void TQMLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (!inside_) {
        QPalette hints = QToolTip::palette();
        savedHintColor_ = hints.color(QPalette::ToolTipBase);
        hints.setColor(QPalette::ToolTipBase, hintColor_);
        QToolTip::setPalette(hints);
        if (hotTrack_) {
            savedFont_ = font();
            savedPalette_ = palette();
            setFont(hotTrackFont_);
            if (hotTrackColor_.isValid())
                setTextColor(hotTrackColor_);
        }
        inside_ = true;
    }
    Q_EMIT mouseEntered();
}

void TQMLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (inside_) {
        QPalette hints = QToolTip::palette();
        hints.setColor(QPalette::ToolTipBase, savedHintColor_);
        QToolTip::setPalette(hints);
        if (hotTrack_) {
            setFont(savedFont_);
            setPalette(savedPalette_);
        }
        inside_ = false;
    }
    Q_EMIT mouseLeft();
}

void TQMLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

void TQMLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TQMLabel::click()
{
    Q_EMIT clicked();
    activate();
}

TQMHotLink::TQMHotLink(DesktopOpener& desktop, QWidget* parent)
    : TQMLabel(parent), surf_(desktop), url_(QString::fromLatin1(maker::kHomePage))
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setHotTrack(true);
    setHotTrackFont(underlined(font()), Qt::blue);
}

void TQMHotLink::activate()
{
    surf_.SurfTo(url_);
}

TQMMailTo::TQMMailTo(DesktopOpener& desktop, QWidget* parent)
    : TQMLabel(parent), mailSubject(QStringLiteral("ZARuzu")),
      mailDestinator(QString::fromLatin1(maker::kSupportMail)), surf_(desktop)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextColor(Qt::blue);
    setHotTrack(true);
    setHotTrackFont(underlined(font()), Qt::red);
}

void TQMMailTo::activate()
{
    surf_.MailTo(mailDestinator, mailCC, mailBcc, mailSubject);
}

void styleAsLink(TQMLabel& label)
{
    label.setCursor(Qt::PointingHandCursor);
    label.setFont(underlined(label.font()));
    label.setTextColor(Qt::blue);
    label.setHotTrackFont(underlined(label.font()), Qt::red);
}

} // namespace narrix
