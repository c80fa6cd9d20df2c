#include "dialogs/link_labels.h"

#include "base/maker_addresses.h"
#include "dialogs/mail_link.h"
#include "ui/desktop_opener.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
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
    setMouseTracking(true); // the mouse moving onto and off the text inside the label
}

void TQMLabel::setLinkCursor(const QCursor& cursor)
{
    linkCursor_ = cursor;
    setCursor(cursor);
}

QRect TQMLabel::activeArea() const
{
    if (text().isEmpty() || wordWrap())
        return rect();
    const QRect inner = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QRect textRect = style()->itemTextRect(fontMetrics(), inner, alignment(), isEnabled(), text());
    return QRect(textRect.left(), 0, textRect.width(), height());
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

void TQMLabel::setInside(bool inside)
{
    if (inside == inside_)
        return;
    if (inside) {
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
    } else {
        QPalette hints = QToolTip::palette();
        hints.setColor(QPalette::ToolTipBase, savedHintColor_);
        QToolTip::setPalette(hints);
        if (hotTrack_) {
            setFont(savedFont_);
            setPalette(savedPalette_);
        }
    }
    inside_ = inside;
    if (linkCursor_) {
        if (inside)
            setCursor(*linkCursor_);
        else
            unsetCursor();
    }
}

void TQMLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    setInside(activeArea().contains(event->position().toPoint()));
    Q_EMIT mouseEntered();
}

void TQMLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    setInside(false);
    Q_EMIT mouseLeft();
}

void TQMLabel::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    setInside(activeArea().contains(event->position().toPoint()));
}

void TQMLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && activeArea().contains(event->position().toPoint()))
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
    setLinkCursor(Qt::PointingHandCursor);
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
    setLinkCursor(Qt::PointingHandCursor);
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
    label.setLinkCursor(Qt::PointingHandCursor);
    label.setFont(underlined(label.font()));
    label.setTextColor(Qt::blue);
    label.setHotTrackFont(underlined(label.font()), Qt::red);
}

} // namespace narrix
