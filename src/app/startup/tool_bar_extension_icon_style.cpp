#include "app/startup/tool_bar_extension_icon_style.h"

#include <QApplication>
#include <QImageReader>
#include <QStyleFactory>
#include <QStyleOption>

namespace narrix {
namespace {

// The pictures Qt's common style takes for the arrows, in every size it ships.
QIcon iconFromQtPictures(const QString& stem, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes) {
        QImageReader reader(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(stem).arg(size),
            QByteArrayLiteral("png"));
        // The format is given: no plugin is asked.
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

ToolBarExtensionIconStyle::ToolBarExtensionIconStyle(const QString& baseStyleName)
    : QProxyStyle(QStyleFactory::create(baseStyleName))
{
}

QIcon ToolBarExtensionIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                              const QWidget* widget) const
{
    const auto cached = [](QIcon& icon, const QString& stem, std::initializer_list<int> sizes) {
        if (icon.isNull())
            icon = iconFromQtPictures(stem, sizes);
        return icon;
    };
    const bool rightToLeft =
        option != nullptr ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    QIcon icon;
    if (standardIcon == SP_ToolBarHorizontalExtensionButton)
        icon = rightToLeft ? cached(horizontalRightToLeft_, QStringLiteral("toolbar-ext-h-rtl"), {8, 16, 32})
                           : cached(horizontal_, QStringLiteral("toolbar-ext-h"), {8, 16, 32});
    else if (standardIcon == SP_ToolBarVerticalExtensionButton)
        icon = cached(vertical_, QStringLiteral("toolbar-ext-v"), {5, 10, 20});
    // Pictures Qt no longer ships under these names: the base style's own.
    return icon.isNull() ? QProxyStyle::standardIcon(standardIcon, option, widget) : icon;
}

void useToolBarExtensionIconStyle()
{
    QApplication::setStyle(new ToolBarExtensionIconStyle(QApplication::style()->name()));
}

} // namespace narrix
