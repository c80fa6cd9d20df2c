#include "sources/realtime_key_table.h"

namespace narrix {
namespace {

struct Punctuation
{
    std::uint32_t key;
    char unshifted;
    char shifted;
};

constexpr Punctuation kPunctuation[] = {
    {0x6A, '*', '*'}, {0x6B, '+', '+'},  {0x6D, '-', '-'}, {0x6E, '.', '.'},
    {0x6F, '/', '/'}, {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},
    {0xBD, '-', '_'}, {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},
    {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

constexpr RealtimeKeyAction append(char c)
{
    return {RealtimeKeyAction::Append, c};
}

} // namespace

RealtimeKeyAction realtimeKeyAction(std::uint32_t key, bool shift, bool capsLock)
{
    switch (key) {
    case 0x08:
        return {RealtimeKeyAction::Backspace, 0};
    case 0x09:
        return append(' ');
    case kVirtualKeyReturn:
    case kVirtualKeySpace:
        return {RealtimeKeyAction::Boundary, 0};
    case kVirtualKeyShift:
    case 0x14:
        return {RealtimeKeyAction::Nothing, 0};
    default:
        break;
    }
    if (key >= 0x30 && key <= 0x39)
        return append(shift ? kShiftedDigits[key - 0x30] : static_cast<char>(key));
    if (key >= 0x41 && key <= 0x5A)
        return append(static_cast<char>(capsLock != shift ? key : key + 0x20));
    if (key >= 0x60 && key <= 0x69)
        return append(static_cast<char>('0' + (key - 0x60)));
    for (const Punctuation& entry : kPunctuation)
        if (entry.key == key)
            return append(shift ? entry.shifted : entry.unshifted);
    return {RealtimeKeyAction::Clear, 0};
}

} // namespace narrix
