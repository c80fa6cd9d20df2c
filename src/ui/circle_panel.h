#pragma once

#include "ui/circle_panel_shape.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

namespace narrix {

enum class PanelBevel { None, Lowered, Raised };

// A panel cut to rounded corners (or an ellipse) with bevels along the rounded outline, an optional
// gradient background, an optional picture and a caption. Colours left unset follow the palette, so
// the panel looks right on light and dark themes.
class TCirclePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TCirclePanel(QWidget* parent = nullptr);

    CornersType cornersType() const { return cornersType_; }
    void setCornersType(CornersType type);
    const PanelCorner& corner(Corner which) const { return corners_[static_cast<std::size_t>(which)]; }
    void setCorner(Corner which, const PanelCorner& value);

    const PanelGradient& gradient() const { return gradient_; }
    void setGradient(const PanelGradient& gradient);
    // The off-screen picture holding the painted gradient; null while the gradient is off.
    const QImage& backgroundPicture() const { return background_; }

    void setBorderColors(const QColor& top, const QColor& bottom);
    QColor borderTopColor() const;
    QColor borderBottomColor() const;
    void setBevels(PanelBevel outer, PanelBevel inner, int bevelWidth, int borderWidth);

    void setCaption(const QString& caption, Qt::Alignment alignment = Qt::AlignHCenter);
    QString caption() const { return caption_; }

    // The picture: `images[index]` drawn at `offset` after `position`; index -1 shows none.
    struct Picture
    {
        std::vector<QPixmap> images;
        int index = -1;
        QPoint offset{5, 4};
        ImagePosition position = ImagePosition::TopLeft;
        bool visible = true;
        bool enabled = true;
    };
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);
    // The picture's hit rectangle: empty when it cannot be hit (hidden, disabled, tiled or absent).
    QRect pictureHitRect() const;

Q_SIGNALS:
    void clicked();
    void imageClicked();
    void imageMousePressed(QPoint position);
    void imageMouseMoved(QPoint position);
    void imageMouseReleased(QPoint position);
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void reshape();
    void rebuildBackground();
    void paintPicture(QPainter& painter) const;
    void paintBevel(QPainter& painter, PanelBevel kind, int inset) const;
    void paintCornerBevel(QPainter& painter, int inset, const QColor& topLeft,
                          const QColor& bottomRight) const;
    void paintCaption(QPainter& painter) const;

    CornersType cornersType_ = CornersType::Corners;
    PanelCorners corners_{};
    PanelGradient gradient_;
    QImage background_;
    QColor borderTop_;
    QColor borderBottom_;
    PanelBevel bevelOuter_ = PanelBevel::Raised;
    PanelBevel bevelInner_ = PanelBevel::None;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    Picture picture_;
    bool pressOnPicture_ = false;
};

} // namespace narrix
