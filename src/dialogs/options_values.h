#pragma once

#include <QKeyCombination>
#include <QString>
#include <QStringList>
#include <optional>

namespace narrix {

// What the options dialog edits, as stored (every value is text as the settings keep it).
struct OptionsValues
{
    QString realMode;   // "Word", "Sentence" or "Custom"
    QString realCustom; // keywords joined by single blanks; " " when there are none
    QString tellTime;   // "Hourly", "Halfhourly" or "Never"
    QString dateStyle;
    QString timeStyle;
    QString hourFormat; // "24" or "12"
    int theme = 2;      // 0 to 9; 9 is "User-Defined"
    QString normalIcon;
    QString openIcon;
    QString closeIcon;
    QString proxy;
    QString port;
    QString greetings; // "<nil>" for no greeting
    bool startMinimized = false;
    // Desktop-wide keys of Read Clipboard, Play/Pause and Stop ("Ctrl+Alt+C"); empty: none.
    QString shortcutReadClipboard;
    QString shortcutPlayPause;
    QString shortcutStop;
    // Not a setting: whether the session's autostart entry is there.
    bool startWithSession = false;
    // Not a setting: how the desktop-wide keys reach Narrix in this session, or why they cannot.
    QString shortcutsNote;

    bool operator==(const OptionsValues&) const = default;
};

inline constexpr int kUserDefinedTheme = 9;

// The stored keyword text as a list: blanks (and control characters) separate keywords, so runs of
// them never make an empty keyword.
QStringList splitKeywords(const QString& stored);
// The list as stored: joined by single blanks, a single blank when the list is empty.
QString joinKeywords(const QStringList& keywords);
// The word to append for an answer of the "Add New Word" box: every blank removed; nothing when that
// leaves nothing or when the list already holds exactly that word (letter case counts).
std::optional<QString> keywordToAdd(const QString& answer, const QStringList& keywords);
// The port box keeps decimal digits only.
QString digitsOnly(const QString& text);
// The greeting box shows "<nil>" as empty, and an empty box stores "<nil>".
QString greetingForBox(const QString& stored);
QString greetingFromBox(const QString& box);
// Whether a key may be a desktop-wide shortcut: it needs Ctrl, Alt or the logo key (Shift alone would
// take capitals from every program), except for the function and media keys; a modifier alone is none.
bool isDesktopWideKey(QKeyCombination keys);

} // namespace narrix
