#pragma once

#include <QIcon>
#include <QProxyStyle>

namespace narrix {

// The application's style with one difference: the tool bars' extension arrows, which every
// QToolBar asks for when it is made, are read straight from Qt's own PNG pictures. Qt's style reads
// them through a QImageReader that asks every image format plugin (SVG, GIF, ICO, JPEG) whether it
// reads PNG, which loads all of them; so the window's tool bars no longer load those plugins before
// the window is shown. Everything else is the base style's.
class ToolBarExtensionIconStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    // `baseStyleName`: the style to follow, as QStyleFactory names it (the application's current one).
    explicit ToolBarExtensionIconStyle(const QString& baseStyleName);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable QIcon horizontal_;
    mutable QIcon horizontalRightToLeft_;
    mutable QIcon vertical_;
};

// Makes the application's style a ToolBarExtensionIconStyle over the style it has.
void useToolBarExtensionIconStyle();

} // namespace narrix
