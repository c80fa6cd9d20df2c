#pragma once

#include "sources/clipboard_text.h"

namespace narrix::testing {

// A clipboard holding a text, or something that is not text (nullopt).
class FakeClipboard final : public ClipboardText
{
public:
    std::optional<std::string> content;

    std::optional<std::string> text() const override { return content; }
};

} // namespace narrix::testing
