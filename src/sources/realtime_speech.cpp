#include "sources/realtime_speech.h"

#include "platform/keyboard_state.h"
#include "sources/hook/key_report.h"
#include "sources/realtime_boundary.h"
#include "sources/realtime_key_table.h"
#include "sources/source_speaker.h"

namespace narrix {

RealtimeSpeech::RealtimeSpeech(KeyboardState& keyboard, SourceSpeaker& speaker, RealtimeSettings settings,
                               BufferView showBuffer)
    : keyboard_(keyboard), speaker_(speaker), settings_(settings), showBuffer_(std::move(showBuffer))
{
}

void RealtimeSpeech::resetKeyState()
{
    shift_ = control_ = alt_ = false;
    lastForeground_ = kNoWindow;
    buffer_.clear();
}

void RealtimeSpeech::keyReport(std::uint32_t key, std::uint32_t flags)
{
    // The modifier flags follow the reports only, never the system's keyboard state.
    if (flags & hook::kKeyReleased) {
        if (key == kVirtualKeyShift)
            shift_ = false;
        else if (key == kVirtualKeyControl)
            control_ = false;
        else if (key == kVirtualKeyAlt)
            alt_ = false;
        return;
    }
    if (!(flags & hook::kKeyWasDown)) {
        if (key == kVirtualKeyShift)
            shift_ = true;
        else if (key == kVirtualKeyControl)
            control_ = true;
        else if (key == kVirtualKeyAlt)
            alt_ = true;
    }
    keyPress(key);
}

void RealtimeSpeech::keyPress(std::uint32_t key)
{
    const bool boundaryKey = key == kVirtualKeyReturn || key == kVirtualKeySpace;
    const std::uint32_t foreground = keyboard_.foregroundWindow();
    if (foreground != lastForeground_) {
        lastForeground_ = foreground;
        if (boundaryKey)
            boundaryStep(key == kVirtualKeyReturn);
        else
            buffer_.clear();
    }
    // What is typed into the program itself (its document, its dialogs) is not real-time speech.
    if (keyboard_.isOwnWindow(foreground)) {
        // Nothing to do.
    } else if (control_ || alt_) {
        buffer_.clear();
    } else {
        // Caps Lock is read only where it matters, for letters.
        const bool letter = key >= 0x41 && key <= 0x5A;
        const RealtimeKeyAction action = realtimeKeyAction(key, shift_, letter && keyboard_.capsLockOn());
        switch (action.kind) {
        case RealtimeKeyAction::Append:
            buffer_ += action.character;
            break;
        case RealtimeKeyAction::Backspace:
            if (!buffer_.empty())
                buffer_.pop_back();
            break;
        case RealtimeKeyAction::Boundary:
            boundaryStep(key == kVirtualKeyReturn);
            break;
        case RealtimeKeyAction::Nothing:
            break;
        case RealtimeKeyAction::Clear:
            buffer_.clear();
            break;
        }
    }
    showBuffer_(buffer_);
}

void RealtimeSpeech::boundaryStep(bool enter)
{
    switch (
        realtimeBoundary(buffer_, settings_.mode.toStdString(), settings_.keywords.toStdString(), enter)) {
    case RealtimeBoundary::Nothing:
        break;
    case RealtimeBoundary::Speak:
        speakBuffer();
        break;
    case RealtimeBoundary::AppendBlank:
        buffer_ += ' ';
        break;
    }
}

void RealtimeSpeech::speakBuffer()
{
    const SpeechSource current = speaker_.currentSource();
    if (settings_.speechOn && (current == SpeechSource::None || current == SpeechSource::RealTime))
        speaker_.speak(SpeechSource::RealTime, buffer_);
    buffer_.clear();
}

} // namespace narrix
