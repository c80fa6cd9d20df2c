#pragma once

#include "settings/window_start_state.h"

#include <QString>
#include <cstdint>

namespace narrix {

// The document font as stored: a Windows-style description that survives a round trip through the
// settings file unchanged. Colours are COLORREF values (0x00BBGGRR); negative values are system colours.
struct DocumentFont
{
    int charset = 1; // DEFAULT_CHARSET: the system decides
    QString name;
    int size = 9; // points
    int color = kSystemWindowTextColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // The system's window text colour (COLOR_WINDOWTEXT as a system colour value).
    static constexpr int kSystemWindowTextColor = -16777208;

    bool operator==(const DocumentFont&) const = default;
};

// The in-memory copy of every stored setting: read at start-up, changed by dialogs, written at shutdown.
struct Settings
{
    DocumentFont documentFont;
    WindowStartState windowStartState = WindowStartState::Normal;
    double split1 = 0.54;
    double split2 = 0.66;
    int windowLeft = 0;
    int windowTop = 0;
    int windowWidth = 470;
    int windowHeight = 384;
    bool showTips = true;
    bool viewToolbar = true;
    bool viewStatusbar = true;
    bool viewLogo = true;
    bool followAlong = true; // follow-along reading highlights the sentence being heard
    bool enableRealtime = true;
    bool enableClipboard = true;
    bool enableSchedule = true;
    QString voice;
    int speed = 150;
    QString realMode;
    QString realCustom;
    QString tellTime;
    QString dateStyle;
    QString timeStyle;
    QString hourFormat;
    int theme = 2;
    QString normalIcon;
    QString openIcon;
    QString closeIcon;
    QString proxy;
    QString port;
    QString greetings;
    bool startMinimized = false;
    bool taskbarButton = false;
    std::int32_t device = -1; // -1: no device chosen (the default output)
    // Desktop-wide keys of three reading commands, in Qt's portable key text ("Ctrl+Alt+C"); empty: none.
    QString shortcutReadClipboard;
    QString shortcutPlayPause;
    QString shortcutStop;

    bool operator==(const Settings&) const = default;
};

// What the defaults depend on: the system menu font and the screen size.
struct SettingsEnvironment
{
    DocumentFont menuFont;
    int screenWidth = 1024;
    int screenHeight = 768;
};

inline const QString kDefaultVoice = QStringLiteral("Adult Male #1, American English (TruVoice)");
inline const QString kDefaultGreeting = QStringLiteral("Welcome to Narrix!");
inline const QString kNoGreeting = QStringLiteral("<nil>");
constexpr int kDefaultWindowWidth = 470;
constexpr int kDefaultWindowHeight = 384;

} // namespace narrix
