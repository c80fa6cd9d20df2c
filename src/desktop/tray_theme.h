#pragma once

#include <QString>

#include <functional>

namespace narrix {

struct Settings;

// The tray theme names in their order (Theme 0-9); 9 is the user's own pictures.
inline constexpr int kUserDefinedTheme = 9;
inline constexpr int kBuiltInThemeCount = 9;

// Picture `index` (3 x theme: still, + 1: "open" frame, + 2: "close" frame) of the built-in list.
QString builtInTrayPicture(int index);

// What the tray shows for a theme: the normal (still) icon and the two animation frames, in the
// order the animation runs through them (close, then open).
struct TrayThemePictures
{
    QString normal;
    QString closeFrame;
    QString openFrame;
};

// The pictures of the settings' theme. User-defined frames fall back to "Funny" together when either
// file does not load; the user's still picture falls back on its own. `loads` says whether a file
// holds a usable icon.
TrayThemePictures trayThemePictures(const Settings& settings,
                                    const std::function<bool(const QString&)>& loads);

} // namespace narrix
