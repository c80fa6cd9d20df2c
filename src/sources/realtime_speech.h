#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>

namespace narrix {

class KeyboardState;
class SourceSpeaker;

// The settings real-time speech reads at each key, bound to the settings record so that a change made
// by the options dialog counts at once.
struct RealtimeSettings
{
    const QString& mode;     // RealMode
    const QString& keywords; // RealCustom
    const bool& speechOn;    // the check mark of "&Real-Time Speech"
};

// Turns the keyboard-hook library's key reports into the real-time buffer and speaks it at word,
// sentence or keyword boundaries as speech source 1. Keys typed into the program's own windows are
// neither kept nor spoken.
class RealtimeSpeech
{
public:
    using BufferView = std::function<void(const std::string& buffer)>;

    // `showBuffer` shows the buffer in the memo; it is called after every handled key press.
    RealtimeSpeech(KeyboardState& keyboard, SourceSpeaker& speaker, RealtimeSettings settings,
                   BufferView showBuffer);

    // Forgets the modifier keys held down and the last foreground window, and empties the buffer.
    void resetKeyState();
    // One key report: `key` the virtual-key code, `flags` the keystroke flags.
    void keyReport(std::uint32_t key, std::uint32_t flags);

    const std::string& buffer() const { return buffer_; }

    // The last foreground window before the first key press: no window has this handle.
    static constexpr std::uint32_t kNoWindow = 0xFFFFFFFF;

private:
    void keyPress(std::uint32_t key);
    void boundaryStep(bool enter);
    void speakBuffer();

    KeyboardState& keyboard_;
    SourceSpeaker& speaker_;
    RealtimeSettings settings_;
    BufferView showBuffer_;
    std::string buffer_;
    bool shift_ = false;
    bool control_ = false;
    bool alt_ = false;
    std::uint32_t lastForeground_ = kNoWindow;
};

} // namespace narrix
