#pragma once

#include <optional>
#include <string>

namespace narrix {

// The clipboard as clipboard speech reads it.
class ClipboardText
{
public:
    virtual ~ClipboardText() = default;
    // The clipboard's text (UTF-8), or nothing when the clipboard offers no text (an image, files, empty).
    virtual std::optional<std::string> text() const = 0;
    // True when the program that copied the content marked it secret, as password managers do (the
    // type x-kde-passwordManagerHint holding "secret"): it must not be spoken.
    virtual bool markedSecret() const = 0;
};

} // namespace narrix
