#include "sources/clipboard_speech.h"

#include "base/text_trim.h"
#include "sources/clipboard_text.h"
#include "sources/source_speaker.h"

namespace narrix {

void ClipboardSpeech::clipboardChanged(bool speechOn, const ClipboardText& clipboard)
{
    if (!speechOn || clipboard.markedSecret())
        return;
    if (std::optional<std::string> text = clipboard.text())
        pending_ = std::move(*text);
}

void ClipboardSpeech::tick(SourceSpeaker& speaker)
{
    if (speaker.currentSource() > SpeechSource::Clipboard || isBlank(pending_) || pending_ == last_)
        return;
    last_ = pending_;
    speaker.speak(SpeechSource::Clipboard, std::move(pending_));
    pending_.clear();
}

void ClipboardSpeech::whatsInTheClipboard(const ClipboardText& clipboard, SourceSpeaker& speaker)
{
    std::optional<std::string> text = clipboard.markedSecret() ? std::nullopt : clipboard.text();
    if (text && !isBlank(*text)) {
        last_.clear();
        pending_ = std::move(*text);
    } else if (speaker.currentSource() <= SpeechSource::Clipboard) {
        speaker.speak(SpeechSource::Clipboard, kNoText);
    }
}

} // namespace narrix
