// Qt's keys as the X server and the desktop portal name them, and the lock-key variants of a grab.
#include "platform/x11_key_chord.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

namespace mod = x11_modifier;

TEST(X11KeyChord, QtKeysBecomeKeysymsModifiersAndPortalTriggers)
{
    const struct
    {
        QKeyCombination keys;
        std::uint32_t keysym;
        std::uint16_t modifiers;
        const char* trigger;
    } cases[] = {
        {Qt::CTRL | Qt::ALT | Qt::Key_R, 'r', mod::kControl | mod::kAlt, "CTRL+ALT+r"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_F9, 0xffc6, mod::kControl | mod::kShift, "CTRL+SHIFT+F9"},
        {Qt::META | Qt::Key_Space, 0x20, mod::kLogo, "LOGO+space"},
        {Qt::ALT | Qt::Key_5, '5', mod::kAlt, "ALT+5"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Exclam, '!', mod::kControl | mod::kShift, "CTRL+SHIFT+exclam"},
        {Qt::CTRL | Qt::Key_Adiaeresis, 0xe4, mod::kControl, "CTRL+adiaeresis"},
        {Qt::ALT | Qt::Key_PageDown, 0xff56, mod::kAlt, "ALT+Next"},
        {QKeyCombination(Qt::Key_MediaTogglePlayPause), 0x1008ff14, 0, "XF86AudioPlay"},
        {QKeyCombination(Qt::Key_F35), 0xffe0, 0, "F35"},
        {Qt::CTRL | Qt::Key(0x20ac), 0x010020ac, mod::kControl, "CTRL+U20AC"}, // beyond Latin-1: Unicode
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trigger);
        const std::optional<X11KeyChord> chord = x11KeyChord(c.keys);
        ASSERT_TRUE(chord.has_value());
        EXPECT_EQ(chord->keysym, c.keysym);
        EXPECT_EQ(chord->modifiers, c.modifiers);
        EXPECT_EQ(portalTrigger(c.keys), QString::fromLatin1(c.trigger));
    }
    for (const QKeyCombination none : {Qt::CTRL | Qt::Key_Control, Qt::ALT | Qt::Key_unknown}) {
        EXPECT_FALSE(x11KeyChord(none).has_value());
        EXPECT_TRUE(portalTrigger(none).isEmpty());
    }
}

TEST(X11KeyChord, AGrabCoversEveryCapsLockAndNumLockState)
{
    constexpr std::uint16_t chord = mod::kControl | mod::kAlt;
    constexpr std::uint16_t numLock = 1 << 4; // Mod2, where most keyboards put it
    const struct
    {
        std::uint16_t numLockBit;
        std::vector<std::uint16_t> sets;
    } cases[] = {
        {numLock, {chord, chord | mod::kLock, chord | numLock, chord | numLock | mod::kLock}},
        {0, {chord, chord | mod::kLock}},          // no Num Lock on this keyboard
        {mod::kLock, {chord, chord | mod::kLock}}, // a map that puts both on one bit
    };
    for (const auto& c : cases)
        EXPECT_EQ(grabModifierSets(chord, c.numLockBit), c.sets) << c.numLockBit;
}

} // namespace
} // namespace narrix
