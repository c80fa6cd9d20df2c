#include "virtual_keys.h"
#include "key_report.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace narrix::hook {
namespace {

struct KeysymCode
{
    unsigned long keysym;
    std::uint32_t key;
};

// Keys outside the contiguous ranges handled in virtualKeyOfKeysym.
constexpr KeysymCode kNamedKeys[] = {
    {XK_BackSpace, 0x08},
    {XK_Tab, 0x09},
    {XK_ISO_Left_Tab, 0x09},
    {XK_Clear, 0x0C},
    {XK_KP_Begin, 0x0C},
    {XK_Return, 0x0D},
    {XK_KP_Enter, 0x0D},
    {XK_Shift_L, 0x10},
    {XK_Shift_R, 0x10},
    {XK_Control_L, 0x11},
    {XK_Control_R, 0x11},
    {XK_Alt_L, 0x12},
    {XK_Alt_R, 0x12},
    {XK_Meta_L, 0x12},
    {XK_Meta_R, 0x12},
    {XK_ISO_Level3_Shift, 0x12},
    {XK_Pause, 0x13},
    {XK_Caps_Lock, 0x14},
    {XK_Escape, 0x1B},
    {XK_space, 0x20},
    {XK_KP_Space, 0x20},
    {XK_Prior, 0x21},
    {XK_KP_Prior, 0x21},
    {XK_Next, 0x22},
    {XK_KP_Next, 0x22},
    {XK_End, 0x23},
    {XK_KP_End, 0x23},
    {XK_Home, 0x24},
    {XK_KP_Home, 0x24},
    {XK_Left, 0x25},
    {XK_KP_Left, 0x25},
    {XK_Up, 0x26},
    {XK_KP_Up, 0x26},
    {XK_Right, 0x27},
    {XK_KP_Right, 0x27},
    {XK_Down, 0x28},
    {XK_KP_Down, 0x28},
    {XK_Select, 0x29},
    {XK_Print, 0x2C},
    {XK_Execute, 0x2B},
    {XK_Insert, 0x2D},
    {XK_KP_Insert, 0x2D},
    {XK_Delete, 0x2E},
    {XK_KP_Delete, 0x2E},
    {XK_Help, 0x2F},
    {XK_Super_L, 0x5B},
    {XK_Super_R, 0x5C},
    {XK_Menu, 0x5D},
    {XK_KP_Multiply, 0x6A},
    {XK_KP_Add, 0x6B},
    {XK_KP_Separator, 0x6C},
    {XK_KP_Subtract, 0x6D},
    {XK_KP_Decimal, 0x6E},
    {XK_KP_Divide, 0x6F},
    {XK_Num_Lock, 0x90},
    {XK_Scroll_Lock, 0x91},
    {XK_semicolon, 0xBA},
    {XK_equal, 0xBB},
    {XK_comma, 0xBC},
    {XK_minus, 0xBD},
    {XK_period, 0xBE},
    {XK_slash, 0xBF},
    {XK_grave, 0xC0},
    {XK_bracketleft, 0xDB},
    {XK_backslash, 0xDC},
    {XK_bracketright, 0xDD},
    {XK_apostrophe, 0xDE},
    {XK_less, 0xE2},
    {XF86XK_AudioMute, 0xAD},
    {XF86XK_AudioLowerVolume, 0xAE},
    {XF86XK_AudioRaiseVolume, 0xAF},
    {XF86XK_AudioNext, 0xB0},
    {XF86XK_AudioPrev, 0xB1},
    {XF86XK_AudioStop, 0xB2},
    {XF86XK_AudioPlay, 0xB3},
};

std::uint32_t virtualKeyOfKeysym(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<std::uint32_t>(keysym - XK_a) + 0x41;
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<std::uint32_t>(keysym - XK_A) + 0x41;
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<std::uint32_t>(keysym - XK_0) + 0x30;
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<std::uint32_t>(keysym - XK_KP_0) + 0x60;
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return static_cast<std::uint32_t>(keysym - XK_F1) + 0x70;
    for (const KeysymCode& entry : kNamedKeys)
        if (entry.keysym == keysym)
            return entry.key;
    return kNoVirtualKey;
}

bool isKeypadDigitOrPoint(unsigned long keysym)
{
    return (keysym >= XK_KP_0 && keysym <= XK_KP_9) || keysym == XK_KP_Decimal || keysym == XK_KP_Separator;
}

// PC scan codes of the extended keys, by evdev code (X key code - 8). Other keys below 0x59 have their
// evdev code as scan code.
struct ExtendedScanCode
{
    unsigned evdev;
    std::uint32_t scanCode;
};
constexpr ExtendedScanCode kExtendedKeys[] = {
    {96, 0x1C},  {97, 0x1D},  {98, 0x35},  {99, 0x37},  {100, 0x38}, {102, 0x47},
    {103, 0x48}, {104, 0x49}, {105, 0x4B}, {106, 0x4D}, {107, 0x4F}, {108, 0x50},
    {109, 0x51}, {110, 0x52}, {111, 0x53}, {125, 0x5B}, {126, 0x5C}, {127, 0x5D},
};

} // namespace

std::uint32_t virtualKeyOf(unsigned long unshifted, unsigned long shifted, bool numLock)
{
    if (numLock && unshifted >= XK_KP_Space && unshifted <= XK_KP_Delete && isKeypadDigitOrPoint(shifted))
        return virtualKeyOfKeysym(shifted);
    return virtualKeyOfKeysym(unshifted);
}

std::uint32_t keystrokeFlags(unsigned keycode, bool released, bool wasDown)
{
    std::uint32_t flags = 1; // repeat count
    const unsigned evdev = keycode >= 8 ? keycode - 8 : 0;
    if (evdev < 0x59) {
        flags |= evdev << 16;
    } else {
        for (const ExtendedScanCode& entry : kExtendedKeys)
            if (entry.evdev == evdev)
                flags |= entry.scanCode << 16 | kExtendedKey;
    }
    if (released || wasDown)
        flags |= kKeyWasDown;
    if (released)
        flags |= kKeyReleased;
    return flags;
}

} // namespace narrix::hook
