#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>

#include <optional>

namespace narrix {

class DesktopOpener;

// Opens addresses and mail messages for menu commands. An empty text counts as absent.
class TQMSurfTo
{
public:
    explicit TQMSurfTo(DesktopOpener& desktop) : desktop_(desktop) {}
    void SurfTo(const QString& address);
    void MailTo(const QString& address, const QString& cc, const QString& bcc, const QString& subject);

private:
    DesktopOpener& desktop_;
};

// A label that highlights while the mouse is over its text: it gives the application's hints
// `hintColor` and, with hot tracking, takes the hot-track font and colour; leaving restores both. Only
// the text reacts (the highlight, the link cursor, a click), however wide the layout makes the label;
// a label without text reacts in all of it.
class TQMLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TQMLabel(QWidget* parent = nullptr);

    bool hotTrack() const { return hotTrack_; }
    void setHotTrack(bool on) { hotTrack_ = on; }
    void setHotTrackFont(const QFont& font, const QColor& color);
    QFont hotTrackFont() const { return hotTrackFont_; }
    QColor hintColor() const { return hintColor_; }
    void setHintColor(const QColor& color) { hintColor_ = color; }
    // The colour of the text when not hot.
    void setTextColor(const QColor& color);
    bool inside() const { return inside_; }
    // The cursor shown while the mouse is over the text.
    void setLinkCursor(const QCursor& cursor);
    // The part of the label that reacts to the mouse: the columns its text takes, its whole height.
    QRect activeArea() const;

Q_SIGNALS:
    void mouseEntered();
    void mouseLeft();
    // A click with the mouse, or Enter or Space while the label has the focus.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Runs after clicked(): what the label does (open an address, start a mail).
    virtual void activate() {}

private:
    void click();
    void setInside(bool inside);

    bool hotTrack_ = false;
    QFont hotTrackFont_;
    QColor hotTrackColor_;
    QColor hintColor_;
    bool inside_ = false;
    QFont savedFont_;
    QPalette savedPalette_;
    QColor savedHintColor_;
    std::optional<QCursor> linkCursor_;
};

// A label that opens `url` in the browser: hand cursor, blue underlined hot-track font.
class TQMHotLink : public TQMLabel
{
    Q_OBJECT
public:
    TQMHotLink(DesktopOpener& desktop, QWidget* parent = nullptr);
    QString url() const { return url_; }
    void setUrl(const QString& url) { url_ = url; }

protected:
    void activate() override;

private:
    TQMSurfTo surf_;
    QString url_;
};

// A label that starts a mail message: hand cursor, blue text, red underlined hot-track font.
class TQMMailTo : public TQMLabel
{
    Q_OBJECT
public:
    TQMMailTo(DesktopOpener& desktop, QWidget* parent = nullptr);
    QString mailSubject;
    QString mailDestinator;
    QString mailCC;
    QString mailBcc;

protected:
    void activate() override;

private:
    TQMSurfTo surf_;
};

// The look of the links of the dialogs: hand cursor, blue underlined, red underlined while hot.
void styleAsLink(TQMLabel& label);

} // namespace narrix
