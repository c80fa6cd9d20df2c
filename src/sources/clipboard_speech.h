#pragma once

#include <string>

namespace narrix {

class ClipboardText;
class SourceSpeaker;

// Clipboard speech: a clipboard change only records the new text; the 500 ms tick speaks it as speech
// source 2 when nothing of a higher rank is speaking and it differs from the text last spoken. Content
// marked secret (a password copied from a password manager) is never recorded or spoken.
class ClipboardSpeech
{
public:
    // The clipboard changed. `speechOn` is the check mark of "&Clipboard Speech".
    void clipboardChanged(bool speechOn, const ClipboardText& clipboard);
    // The clipboard half of the 500 ms tick.
    void tick(SourceSpeaker& speaker);
    // "What's in the Clip&board?": the clipboard's text is spoken at the next tick, even if unchanged;
    // a secret counts as no text.
    void whatsInTheClipboard(const ClipboardText& clipboard, SourceSpeaker& speaker);

    const std::string& pending() const { return pending_; }
    const std::string& last() const { return last_; }

    static constexpr const char* kNoText = "There is no text in the Clipboard.";

private:
    std::string pending_;
    std::string last_;
};

} // namespace narrix
