#pragma once

#include "sources/clipboard_text.h"

namespace narrix::testing {

// A clipboard holding a text, or something that is not text (nullopt); `secret` is the password
// managers' mark.
class FakeClipboard final : public ClipboardText
{
public:
    std::optional<std::string> content;
    bool secret = false;

    std::optional<std::string> text() const override { return content; }
    bool markedSecret() const override { return secret; }
};

} // namespace narrix::testing
