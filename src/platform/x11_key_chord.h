#pragma once

#include <QKeyCombination>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace narrix {

// X11's modifier bits, as X.h numbers them (Alt is Mod1, the logo key Mod4).
namespace x11_modifier {
inline constexpr std::uint16_t kShift = 1 << 0;
inline constexpr std::uint16_t kLock = 1 << 1;
inline constexpr std::uint16_t kControl = 1 << 2;
inline constexpr std::uint16_t kAlt = 1 << 3;
inline constexpr std::uint16_t kLogo = 1 << 6;
} // namespace x11_modifier

// One key with its modifiers as the X server names them: a keysym and modifier bits.
struct X11KeyChord
{
    std::uint32_t keysym = 0;
    std::uint16_t modifiers = 0;

    bool operator==(const X11KeyChord&) const = default;
};

// The X11 key of a Qt key combination: a letter's keysym is its unshifted (lower-case) one, as the
// keyboard map lists it; none for a modifier alone or a key X11 has no symbol for.
std::optional<X11KeyChord> x11KeyChord(QKeyCombination keys);

// The modifier sets one grab needs so that it fires whatever Caps Lock and Num Lock say: the set
// alone, with Lock, with Num Lock's bit and with both (`numLockBit` 0: Num Lock has no modifier bit).
std::vector<std::uint16_t> grabModifierSets(std::uint16_t modifiers, std::uint16_t numLockBit);

// The key as the desktop portal's shortcuts write it: the modifiers CTRL, ALT, SHIFT and LOGO joined by
// '+' before the key's X11 name ("CTRL+ALT+c"); empty when x11KeyChord gives none.
QString portalTrigger(QKeyCombination keys);

} // namespace narrix
