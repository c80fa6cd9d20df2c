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
};

} // namespace narrix
