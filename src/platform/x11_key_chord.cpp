#include "platform/x11_key_chord.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <iterator>

namespace narrix {
namespace {

struct KeyName
{
    Qt::Key key;
    std::uint32_t keysym;
};

// The keys outside Latin-1 and the function keys that a desktop-wide shortcut may use.
constexpr KeyName kSpecialKeys[] = {
    {Qt::Key_Escape, 0xff1b},
    {Qt::Key_Tab, 0xff09},
    {Qt::Key_Backtab, 0xfe20}, // ISO_Left_Tab
    {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Return, 0xff0d},
    {Qt::Key_Enter, 0xff8d}, // KP_Enter
    {Qt::Key_Insert, 0xff63},
    {Qt::Key_Delete, 0xffff},
    {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},
    {Qt::Key_SysReq, 0xff15},
    {Qt::Key_Home, 0xff50},
    {Qt::Key_End, 0xff57},
    {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},
    {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56},
    {Qt::Key_Menu, 0xff67},
    {Qt::Key_Help, 0xff6a},
    {Qt::Key_VolumeDown, 0x1008ff11},
    {Qt::Key_VolumeMute, 0x1008ff12},
    {Qt::Key_VolumeUp, 0x1008ff13},
    {Qt::Key_MediaPlay, 0x1008ff14},
    {Qt::Key_MediaTogglePlayPause, 0x1008ff14}, // the desktop's one Play/Pause key
    {Qt::Key_MediaStop, 0x1008ff15},
    {Qt::Key_MediaPrevious, 0x1008ff16},
    {Qt::Key_MediaNext, 0x1008ff17},
    {Qt::Key_MediaPause, 0x1008ff31},
};

constexpr std::uint32_t kFirstFunctionKeysym = 0xffbe; // F1
constexpr std::uint32_t kUnicodeKeysymBit = 0x01000000;
constexpr int kFirstQtSpecialKey = 0x01000000;

std::optional<std::uint32_t> keysymOf(Qt::Key key)
{
    const int code = int(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return kFirstFunctionKeysym + std::uint32_t(code - Qt::Key_F1);
    const auto* special = std::find_if(std::begin(kSpecialKeys), std::end(kSpecialKeys),
                                       [key](const KeyName& name) { return name.key == key; });
    if (special != std::end(kSpecialKeys))
        return special->keysym;
    if (key == Qt::Key_Space || (code > 0x20 && code < 0x7f)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return std::uint32_t(code - Qt::Key_A + 'a');
        return std::uint32_t(code);
    }
    if (code >= 0xa0 && code <= 0xff) {
        // Qt names Latin-1 letters by their capitals; the keyboard map by the small ones.
        if (code >= 0xc0 && code <= 0xde && code != 0xd7)
            return std::uint32_t(code + 0x20);
        return std::uint32_t(code);
    }
    if (code > 0xff && code < kFirstQtSpecialKey)
        return kUnicodeKeysymBit | std::uint32_t(code);
    return std::nullopt;
}

} // namespace

std::optional<X11KeyChord> x11KeyChord(QKeyCombination keys)
{
    const std::optional<std::uint32_t> keysym = keysymOf(keys.key());
    if (!keysym)
        return std::nullopt;
    X11KeyChord chord{*keysym, 0};
    const Qt::KeyboardModifiers modifiers = keys.keyboardModifiers();
    if (modifiers & Qt::ShiftModifier)
        chord.modifiers |= x11_modifier::kShift;
    if (modifiers & Qt::ControlModifier)
        chord.modifiers |= x11_modifier::kControl;
    if (modifiers & Qt::AltModifier)
        chord.modifiers |= x11_modifier::kAlt;
    if (modifiers & Qt::MetaModifier)
        chord.modifiers |= x11_modifier::kLogo;
    return chord;
}

std::vector<std::uint16_t> grabModifierSets(std::uint16_t modifiers, std::uint16_t numLockBit)
{
    std::vector<std::uint16_t> sets{modifiers, std::uint16_t(modifiers | x11_modifier::kLock)};
    if (numLockBit != 0 && numLockBit != x11_modifier::kLock) {
        sets.push_back(std::uint16_t(modifiers | numLockBit));
        sets.push_back(std::uint16_t(modifiers | numLockBit | x11_modifier::kLock));
    }
    return sets;
}

QString portalTrigger(QKeyCombination keys)
{
    const std::optional<X11KeyChord> chord = x11KeyChord(keys);
    if (!chord)
        return {};
    const char* name = XKeysymToString(KeySym(chord->keysym));
    if (name == nullptr)
        return {};
    QString trigger;
    const std::pair<std::uint16_t, const char*> prefixes[] = {{x11_modifier::kControl, "CTRL+"},
                                                              {x11_modifier::kAlt, "ALT+"},
                                                              {x11_modifier::kShift, "SHIFT+"},
                                                              {x11_modifier::kLogo, "LOGO+"}};
    for (const auto& [bit, prefix] : prefixes)
        if (chord->modifiers & bit)
            trigger += QLatin1String(prefix);
    return trigger + QString::fromLatin1(name);
}

} // namespace narrix
