#pragma once

#include <QString>
#include <string>

namespace narrix {

// SpeechDispatcher: a voice of the desktop speech service, which plays the audio itself.
enum class SynthBackendKind { Espeak, Flite, SpeechDispatcher };

// One mode of the engine: a voice of one backend, as the program lists it.
struct VoiceInfo
{
    QString name;     // unique, readable; what the Voice setting stores
    QString speaker;  // the speaker's name
    int gender = 0;   // 1 female, 2 male, 0 neutral
    int age = 0;      // 0 when the backend does not say
    int language = 0; // Windows primary language identifier
    SynthBackendKind backend = SynthBackendKind::Espeak;
    std::string backendVoice; // espeak-ng voice name ("en-us+Alicia"), flite voice key ("slt") or
                              // speech-dispatcher module and voice ("espeak-ng/English+Alicia")
    int minSpeed = 80;        // words per minute
    int maxSpeed = 450;
};

// Whether the voice reads the symbols beyond ASCII of isSpokenSymbol ("€", "°", ...): espeak-ng's
// voices do; flite's pass over them in silence.
inline bool voiceReadsSymbols(const VoiceInfo& voice)
{
    return voice.backend == SynthBackendKind::Espeak;
}

// What a listener can adjust per mode, besides the speed. Stored in the settings per mode name.
struct VoiceTuning
{
    int pitch = 0;       // -50 (low) .. +50 (high), 0 the voice's own
    int volume = 100;    // percent, 0 .. 200
    int pitchRange = 50; // espeak-ng only: 0 monotone .. 100, 50 normal
    int wordGap = 0;     // espeak-ng only: extra pause between words, in 10 ms units (0 .. 50)
    bool operator==(const VoiceTuning&) const = default;
};

// Everything one synthesis call needs besides the text.
struct Prosody
{
    int speed = 175;
    VoiceTuning tuning;
};

} // namespace narrix
