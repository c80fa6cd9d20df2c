#pragma once

#include "speech/audio_output.h"
#include "speech/shared_speed.h"
#include "speech/speech_engine.h"
#include "speech/voice_info.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace narrix {

class ServiceReading;
class SpeechStream;

// Where the engine's audio goes: the chosen device, nowhere, or a WAV file (NARRIX_AUDIO).
struct AudioSinkOptions
{
    enum class Kind { Device, Null, Wav };
    Kind kind = Kind::Device;
    QString wavPath;
    // Headless sinks only: 0 consumes audio as fast as it comes, 1 at real time, 2 twice as fast...
    double pace = 0;
    // Device only: the stream that plays, PulseAudio's own (fed from its thread, short buffer) or
    // Qt's sink; each falls back to the other when it cannot start. `deviceBufferMs` is the
    // stream's latency target (0: the stream's default). Benchmarks compare them.
    enum class DeviceStream { Pulse, QtSink };
    DeviceStream deviceStream = DeviceStream::Pulse;
    int deviceBufferMs = 0;

    // The sink named by NARRIX_AUDIO's value: empty for the device; "null"; "wav:PATH". Anything
    // else is reported and plays on the device.
    static AudioSinkOptions fromSetting(const QString& value);
};

// The program's speech engine over espeak-ng, flite and the speech service's voices (those are
// spoken by ServiceReading). Texts are queued and walked sentence by
// sentence on the synthesis thread, a few seconds ahead of playback; audio is pulled by the output
// on this object's thread, where all events are delivered (queued, in order).
class TTextToSpeech final : public SpeechEngine, private PcmSource
{
    Q_OBJECT
public:
    // Attribute codes of OnAttribChanged.
    static constexpr int kAttribSpeed = 1;
    static constexpr int kAttribTuning = 2;

    explicit TTextToSpeech(const AudioSinkOptions& sink, QObject* parent = nullptr);
    // An engine whose speed is `speed`, shared with the other engines of its owner.
    TTextToSpeech(const AudioSinkOptions& sink, std::shared_ptr<SharedSpeed> speed,
                  QObject* parent = nullptr);
    ~TTextToSpeech() override;

    int Speed() const override;
    void SetSpeed(int wordsPerMinute) override;
    int Device() const override { return device_; }
    void SetDevice(int device) override;
    short SuppressExceptions() const override { return suppress_; }
    void SetSuppressExceptions(short suppress) override { suppress_ = suppress; }
    int Busy() const override { return active_ && !paused_ ? 1 : 0; }
    int ModeCount() const override;

    void Speak(const QString& text) override;
    void BeginText(const QString& firstPart) override;
    void ContinueText(std::string wholeText, std::size_t firstPartBytes) override;
    void AppendText(quint64 text, std::string more, bool last) override;
    quint64 LastQueuedText() const override { return lastQueued_; }
    void StopSpeaking() override;
    void FastForward() override;
    void Pause() override;
    void Resume() override;
    void Rewind() override;
    void ShowSettingsDialog(QObject* owner) override;

    QString ModeName(int index) const override;
    QString Speaker(int index) const override;
    int Gender(int index) const override;
    int Age(int index) const override;
    int LanguageID(int index) const override;
    bool ReadsSymbols(int index) const override;
    void Select(int index) override;
    int CurrentMode() const override { return mode_; }

    // The current mode's backend and speed range, and its pitch, volume and the like.
    const VoiceInfo* CurrentVoice() const;
    VoiceTuning Tuning() const;
    // Applies to what is synthesised from now on and is kept in the settings for this mode.
    void SetTuning(const VoiceTuning& tuning);
    // True while a reading is queued or playing (also while paused).
    bool Active() const { return active_; }
    bool Paused() const { return paused_; }

    // The settings dialog lives in the GUI library, which gives it to the engine (see
    // SpeechEngineFactory::setSettingsDialog); without one ShowSettingsDialog fails.
    using SettingsDialogHook = std::function<void(QObject* owner, TTextToSpeech& engine)>;
    void setSettingsDialogHook(SettingsDialogHook hook) { settingsDialog_ = std::move(hook); }

private:
    std::size_t pullPcm(std::int16_t* out, std::size_t maxSamples) override;
    bool pcmFinished() const override;
    PcmSource& pcmSource() { return *this; }

    const VoiceInfo* voiceAt(int index) const;
    void fail(const QString& message) const;
    int clampSpeed(int wordsPerMinute) const;
    void applyProsody() const;
    const VoiceTuning& currentTuning() const;
    // The voices, waited for on first use (they are listed on the synthesis thread).
    const std::vector<VoiceInfo>& voices() const;
    void startOutput();
    std::unique_ptr<AudioOutput> makeOutput(bool* isDevice);
    std::unique_ptr<AudioOutput> makeDeviceOutput(const AudioOutputDevice& device,
                                                  AudioSinkOptions::DeviceStream kind);
    void useHeadlessFallback(const char* why);
    void replaceOutput(std::unique_ptr<AudioOutput> output);
    void onDrained();
    void onOutputFailed();
    void postDone();
    void queue(const QString& text, bool open);
    // Voices of the speech service are read by it (ServiceReading), not through the stream.
    static bool speaksThroughService(const VoiceInfo& voice);
    ServiceReading& service();

    AudioSinkOptions sinkOptions_;
    mutable const std::vector<VoiceInfo>* voices_ = nullptr;
    mutable bool voicesComplete_ = false; // false until the speech service's voices are in voices_
    std::shared_ptr<SpeechStream> stream_;
    std::shared_ptr<SharedSpeed> speed_;
    SettingsDialogHook settingsDialog_;
    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<ServiceReading> service_; // made when a service voice first reads
    int mode_ = 1;
    int device_ = -1;
    QString outputDevice_; // the description of the device the output plays on
    short suppress_ = 0;
    bool active_ = false;
    bool paused_ = false;
    std::uint64_t openText_ = 0; // the text begun with BeginText and not yet continued
    std::uint64_t lastQueued_ = 0;
    mutable VoiceTuning tuning_;       // set with the voices when they first arrive
    mutable bool tuningStale_ = false; // tuning_ is another mode's until currentTuning() reads it
};

} // namespace narrix
