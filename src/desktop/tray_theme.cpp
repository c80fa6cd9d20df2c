#include "desktop/tray_theme.h"

#include "settings/settings.h"

#include <array>

namespace narrix {

namespace {

constexpr int kFunnyTheme = 2;

constexpr std::array<const char*, kBuiltInThemeCount> kThemeFiles{"fear",  "fool", "funny", "happy", "love",
                                                                  "robot", "sad",  "wag",   "wink"};
constexpr std::array<const char*, 3> kPictureKinds{"still", "open", "close"};

TrayThemePictures builtInTheme(int theme)
{
    return {builtInTrayPicture(3 * theme), builtInTrayPicture(3 * theme + 2),
            builtInTrayPicture(3 * theme + 1)};
}

} // namespace

QString builtInTrayPicture(int index)
{
    const int theme = index / 3;
    const int kind = index % 3;
    return QStringLiteral(":/chrome/tray/%1-%2-%3.svg")
        .arg(index, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(kThemeFiles[static_cast<std::size_t>(theme)]),
             QLatin1String(kPictureKinds[static_cast<std::size_t>(kind)]));
}

TrayThemePictures trayThemePictures(const Settings& settings,
                                    const std::function<bool(const QString&)>& loads)
{
    if (settings.theme >= 0 && settings.theme < kBuiltInThemeCount)
        return builtInTheme(settings.theme);
    // A stored number outside the list takes the default theme rather than no icon at all.
    if (settings.theme != kUserDefinedTheme)
        return builtInTheme(kFunnyTheme);
    TrayThemePictures pictures = builtInTheme(kFunnyTheme);
    if (loads(settings.closeIcon) && loads(settings.openIcon)) {
        pictures.closeFrame = settings.closeIcon;
        pictures.openFrame = settings.openIcon;
    }
    if (loads(settings.normalIcon))
        pictures.normal = settings.normalIcon;
    return pictures;
}

} // namespace narrix
