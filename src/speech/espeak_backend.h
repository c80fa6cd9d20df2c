#pragma once

#include "speech/synth_backend.h"

#include <QString>
#include <string>

namespace narrix {

struct EspeakLibrary;
struct EspeakVoiceListing;

// espeak-ng in synchronous mode: its language voices, and its speaker variants over American English.
// The voices are listed from a cache file while espeak-ng and its voice files stay as they were.
class EspeakBackend final : public SynthBackend
{
public:
    // The voice list is cached in the user's cache folder.
    EspeakBackend();
    ~EspeakBackend() override;

    // Where the next listings keep the voice list; nowhere when empty.
    void setVoiceCachePath(const QString& path) { voiceCachePath_ = path; }

    std::vector<VoiceInfo> listVoices() override;
    void start() override;
    bool usable(const VoiceInfo& voice) override;
    bool synthesize(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                    const PcmSink& sink) override;

    static constexpr int kMinSpeed = 80;
    static constexpr int kMaxSpeed = 450;

private:
    bool openLibrary();
    bool ensureStarted();
    EspeakVoiceListing listFromEspeak();

    QString voiceCachePath_;
    const EspeakLibrary* espeak_ = nullptr;
    bool tried_ = false;
    bool started_ = false;
    int sampleRate_ = 22050;
    std::string currentVoice_;
};

} // namespace narrix
