#include "speech/text_to_speech.h"

#include "base/diagnostics.h"
#include "speech/engine_modes.h"
#include "speech/pulse_audio_output.h"
#include "speech/pulse_library.h"
#include "speech/qt_audio.h"
#include "speech/service_reading.h"
#include "speech/speech_stream.h"
#include "speech/synthesis_worker.h"
#include "speech/voice_tuning_store.h"
#include "speech/wav_writer.h"

#include <QMetaObject>
#include <algorithm>
#include <stdexcept>

namespace narrix {

AudioSinkOptions AudioSinkOptions::fromSetting(const QString& setting)
{
    AudioSinkOptions options;
    const QString value = setting.trimmed();
    if (value.isEmpty())
        return options;
    if (value == QLatin1String("null")) {
        options.kind = Kind::Null;
    } else if (value.startsWith(QLatin1String("wav:")) && value.size() > 4) {
        options.kind = Kind::Wav;
        options.wavPath = value.mid(4);
    } else {
        qCWarning(lcAudio,
                  "NARRIX_AUDIO=%s is not understood (use null or wav:PATH); playing on the sound device",
                  qUtf8Printable(value));
    }
    return options;
}

TTextToSpeech::TTextToSpeech(const AudioSinkOptions& sink, QObject* parent)
    : TTextToSpeech(sink, std::make_shared<SharedSpeed>(), parent)
{
}

TTextToSpeech::TTextToSpeech(const AudioSinkOptions& sink, std::shared_ptr<SharedSpeed> speed,
                             QObject* parent)
    : SpeechEngine(parent), sinkOptions_(sink), stream_(std::make_shared<SpeechStream>()),
      speed_(std::move(speed))
{
    speed_->engines.push_back(this);
    // The voices are listed on the synthesis thread meanwhile; the first call that needs them waits.
    SynthesisWorker::instance().attach(stream_);
    // The speech service plays on the sound card itself: its voices are offered only with the device.
    if (sinkOptions_.kind == AudioSinkOptions::Kind::Device) {
        beginListingServiceVoices();
        // Loaded beside the start, so that the first audio finds its stream's library ready.
        if (sinkOptions_.deviceStream == AudioSinkOptions::DeviceStream::Pulse)
            PulseLibrary::preload();
        else
            preloadQtAudio();
    }
}

const std::vector<VoiceInfo>& TTextToSpeech::voices() const
{
    if (voices_ != nullptr && !voicesComplete_) // the service's voices may have come meanwhile
        voices_ = &engineModes(sinkOptions_.kind == AudioSinkOptions::Kind::Device, &voicesComplete_);
    if (voices_ == nullptr) {
        voices_ = &engineModes(sinkOptions_.kind == AudioSinkOptions::Kind::Device, &voicesComplete_);
        // What the engine does on creation once it knows its voices: the first mode's tuning, and the
        // stream's voice and prosody.
        if (!voices_->empty())
            tuning_ = loadVoiceTuning(voices_->front().name);
        applyProsody();
    }
    return *voices_;
}

int TTextToSpeech::ModeCount() const
{
    return static_cast<int>(voices().size());
}

VoiceTuning TTextToSpeech::Tuning() const
{
    voices();
    return currentTuning();
}

TTextToSpeech::~TTextToSpeech()
{
    std::erase(speed_->engines, this);
    stream_->clear();
    SynthesisWorker::instance().detach(stream_.get());
    output_.reset();
}

void TTextToSpeech::fail(const QString& message) const
{
    if (suppress_) {
        qCWarning(lcSpeech, "speech engine: %s", qUtf8Printable(message));
        return;
    }
    throw std::runtime_error(message.toStdString());
}

const VoiceInfo* TTextToSpeech::voiceAt(int index) const
{
    if (index < 1 || index > ModeCount()) {
        fail(QStringLiteral("there is no voice number %1").arg(index));
        return nullptr;
    }
    return &voices()[static_cast<std::size_t>(index - 1)];
}

const VoiceInfo* TTextToSpeech::CurrentVoice() const
{
    if (mode_ < 1 || mode_ > ModeCount())
        return nullptr;
    return &voices()[static_cast<std::size_t>(mode_ - 1)];
}

int TTextToSpeech::clampSpeed(int wordsPerMinute) const
{
    const VoiceInfo* voice = CurrentVoice();
    const int low = voice ? voice->minSpeed : 80;
    const int high = voice ? voice->maxSpeed : 450;
    // 0 asks for the slowest speed; -1 (and every other negative, a huge number unsigned) the fastest.
    if (wordsPerMinute == 0)
        return low;
    if (wordsPerMinute < 0)
        return high;
    return std::clamp(wordsPerMinute, low, high);
}

int TTextToSpeech::Speed() const
{
    return clampSpeed(std::max(1, speed_->wordsPerMinute));
}

void TTextToSpeech::SetSpeed(int wordsPerMinute)
{
    SharedSpeed& shared = *speed_;
    shared.wordsPerMinute = clampSpeed(wordsPerMinute);
    const std::vector<TTextToSpeech*> engines = shared.engines;
    for (TTextToSpeech* engine : engines)
        engine->applyProsody();
    // Directly, not queued: the properties dialog tells the main window to ignore these while it
    // measures the speed range.
    for (TTextToSpeech* engine : engines)
        Q_EMIT engine->OnAttribChanged(kAttribSpeed);
}

const VoiceTuning& TTextToSpeech::currentTuning() const
{
    if (tuningStale_) {
        tuningStale_ = false;
        if (const VoiceInfo* voice = CurrentVoice())
            tuning_ = loadVoiceTuning(voice->name);
    }
    return tuning_;
}

void TTextToSpeech::applyProsody() const
{
    Prosody prosody;
    prosody.speed = Speed();
    prosody.tuning = currentTuning();
    stream_->setProsody(prosody);
    if (const VoiceInfo* voice = CurrentVoice())
        stream_->setVoice(*voice);
}

void TTextToSpeech::SetTuning(const VoiceTuning& tuning)
{
    voices(); // so that the first mode's stored tuning cannot overwrite this one later
    tuning_ = tuning;
    tuningStale_ = false;
    if (const VoiceInfo* voice = CurrentVoice())
        saveVoiceTuning(voice->name, tuning_);
    applyProsody();
    Q_EMIT OnAttribChanged(kAttribTuning);
}

void TTextToSpeech::SetDevice(int device)
{
    if (device_ == device)
        return;
    device_ = device;
    // A chosen device is found in Qt's list: its module is loaded meanwhile, off this thread.
    if (device_ >= 0 && sinkOptions_.kind == AudioSinkOptions::Kind::Device)
        preloadQtAudio();
    // The next reading opens the new device; a reading in progress finishes where it is.
    if (!active_ && output_)
        replaceOutput(nullptr);
}

QString TTextToSpeech::ModeName(int index) const
{
    const VoiceInfo* voice = voiceAt(index);
    return voice ? voice->name : QString();
}

QString TTextToSpeech::Speaker(int index) const
{
    const VoiceInfo* voice = voiceAt(index);
    return voice ? voice->speaker : QString();
}

int TTextToSpeech::Gender(int index) const
{
    const VoiceInfo* voice = voiceAt(index);
    return voice ? voice->gender : 0;
}

int TTextToSpeech::Age(int index) const
{
    const VoiceInfo* voice = voiceAt(index);
    return voice ? voice->age : 0;
}

int TTextToSpeech::LanguageID(int index) const
{
    const VoiceInfo* voice = voiceAt(index);
    return voice ? voice->language : 0;
}

bool TTextToSpeech::ReadsSymbols(int index) const
{
    const VoiceInfo* voice = voiceAt(index);
    return voice && voiceReadsSymbols(*voice);
}

void TTextToSpeech::Select(int index)
{
    const VoiceInfo* voice = voiceAt(index);
    if (!voice)
        return;
    if (!speaksThroughService(*voice) && !SynthesisWorker::instance().usable(*voice)) {
        fail(QStringLiteral("the voice %1 cannot be used").arg(voice->name));
        return;
    }
    // The mode's tuning is read from the settings when it is first needed: a scan of the voices selects
    // every one of the service's thousands in turn.
    mode_ = index;
    tuningStale_ = true;
    if (active_) // the rest of the reading speaks with it
        applyProsody();
}

void TTextToSpeech::ShowSettingsDialog(QObject* owner)
{
    if (!settingsDialog_) {
        fail(QStringLiteral("this program has no settings dialog for the engine"));
        return;
    }
    settingsDialog_(owner, *this);
}

void TTextToSpeech::Speak(const QString& text)
{
    queue(text, false);
}

void TTextToSpeech::BeginText(const QString& firstPart)
{
    queue(firstPart, true);
}

void TTextToSpeech::ContinueText(std::string wholeText, std::size_t firstPartBytes)
{
    Q_UNUSED(firstPartBytes);
    if (openText_ == 0)
        return;
    if (service_ && service_->active()) {
        service_->extend(openText_, QString::fromStdString(wholeText));
        openText_ = 0;
        return;
    }
    stream_->extend(openText_, std::move(wholeText));
    openText_ = 0;
    SynthesisWorker::instance().wake();
}

void TTextToSpeech::AppendText(quint64 text, std::string more, bool last)
{
    if (last && openText_ == text)
        openText_ = 0;
    if (service_ && service_->active()) {
        service_->append(text, QString::fromStdString(more), last);
        return;
    }
    stream_->append(text, std::move(more), last);
    SynthesisWorker::instance().wake();
}

void TTextToSpeech::queue(const QString& text, bool open)
{
    voices(); // the stream speaks with the current voice and prosody
    if (tuningStale_)
        applyProsody();
    const VoiceInfo* voice = CurrentVoice();
    const bool throughService = voice && speaksThroughService(*voice);
    // A text for the service takes the stream's next number as an empty text, which it passes over.
    const std::uint64_t serial = stream_->enqueue(throughService ? QString() : text, open && !throughService);
    lastQueued_ = serial;
    if (open)
        openText_ = serial;
    if (throughService) {
        Prosody prosody;
        prosody.speed = Speed();
        prosody.tuning = currentTuning();
        service().enqueue(serial, text, open, *voice, prosody);
    } else {
        SynthesisWorker::instance().wake();
    }
    // The engine has taken the text (its audio starts later, with OnSpeakingStarted).
    QMetaObject::invokeMethod(
        this, [this, preview = text.left(200)] { Q_EMIT OnSpeak(preview, QStringLiteral("Narrix"), 0); },
        Qt::QueuedConnection);
    active_ = true;
    if (!paused_ && !throughService)
        startOutput();
}

bool TTextToSpeech::speaksThroughService(const VoiceInfo& voice)
{
    return voice.backend == SynthBackendKind::SpeechDispatcher;
}

ServiceReading& TTextToSpeech::service()
{
    if (!service_) {
        service_ = std::make_unique<ServiceReading>();
        connect(service_.get(), &ServiceReading::textStarted, this, &TTextToSpeech::OnSpeakingStarted);
        connect(service_.get(), &ServiceReading::sentenceStarted, this, &TTextToSpeech::OnSentence);
        connect(service_.get(), &ServiceReading::finished, this, [this] {
            if (!active_)
                return;
            active_ = false;
            paused_ = false;
            Q_EMIT OnSpeakingDone();
        });
    }
    return *service_;
}

void TTextToSpeech::StopSpeaking()
{
    stream_->clear();
    openText_ = 0;
    if (output_)
        output_->stop();
    if (service_)
        service_->stop();
    paused_ = false;
    if (active_) {
        active_ = false;
        postDone();
    }
}

void TTextToSpeech::FastForward()
{
    if (!active_)
        return;
    if (service_ && service_->active()) {
        service_->fastForward();
        return;
    }
    stream_->fastForward();
    SynthesisWorker::instance().wake();
}

void TTextToSpeech::Rewind()
{
    if (!active_)
        return;
    if (service_ && service_->active()) {
        service_->rewind();
        return;
    }
    stream_->rewind();
    SynthesisWorker::instance().wake();
}

void TTextToSpeech::Pause()
{
    if (!active_ || paused_)
        return;
    paused_ = true;
    if (service_)
        service_->pause();
    if (output_)
        output_->suspend();
}

void TTextToSpeech::Resume()
{
    if (!paused_)
        return;
    paused_ = false;
    if (service_ && service_->active()) {
        service_->resume();
        return;
    }
    if (output_)
        output_->resume();
    startOutput();
}

std::size_t TTextToSpeech::pullPcm(std::int16_t* out, std::size_t maxSamples)
{
    SpeechStream::ReadEvents events;
    const std::size_t got = stream_->read(out, maxSamples, &events);
    if (stream_->wantsWork())
        SynthesisWorker::instance().wake();
    for (int i = 0; i < events.textsStarted; ++i) {
        // Queued: the output calls this from inside the audio system, and handlers may stop or
        // speak again.
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT OnSpeakingStarted(); }, Qt::QueuedConnection);
    }
    if (events.sentenceText != 0) {
        QMetaObject::invokeMethod(
            this,
            [this, text = events.sentenceText, start = events.sentenceStart, end = events.sentenceEnd] {
                Q_EMIT OnSentence(text, start, end);
            },
            Qt::QueuedConnection);
    }
    return got;
}

bool TTextToSpeech::pcmFinished() const
{
    return stream_->exhausted();
}

void TTextToSpeech::postDone()
{
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT OnSpeakingDone(); }, Qt::QueuedConnection);
}

void TTextToSpeech::replaceOutput(std::unique_ptr<AudioOutput> output)
{
    if (output_) {
        output_->stop();
        output_->disconnect(this);
        // It may be the sender of the signal being handled.
        output_.release()->deleteLater();
    }
    output_ = std::move(output);
    if (output_) {
        connect(output_.get(), &AudioOutput::drained, this, &TTextToSpeech::onDrained);
        connect(output_.get(), &AudioOutput::failed, this, &TTextToSpeech::onOutputFailed);
    }
}

std::unique_ptr<AudioOutput> TTextToSpeech::makeOutput(bool* isDevice)
{
    *isDevice = false;
    switch (sinkOptions_.kind) {
    case AudioSinkOptions::Kind::Null:
        return std::make_unique<HeadlessAudioOutput>(pcmSource(), nullptr, sinkOptions_.pace);
    case AudioSinkOptions::Kind::Wav: {
        auto wav = WavWriter::shared(sinkOptions_.wavPath, SpeechStream::kSampleRate);
        if (!wav->isOpen())
            qCWarning(lcAudio, "cannot write %s (%s); speech is not recorded",
                      qUtf8Printable(sinkOptions_.wavPath), qUtf8Printable(wav->errorString()));
        return std::make_unique<HeadlessAudioOutput>(pcmSource(), wav->isOpen() ? wav : nullptr,
                                                     sinkOptions_.pace);
    }
    case AudioSinkOptions::Kind::Device:
        break;
    }
    *isDevice = true;
    if (device_ < 0 && sinkOptions_.deviceStream == AudioSinkOptions::DeviceStream::Pulse) {
        // The server's default sink, without listing the devices first: Qt Multimedia's device list
        // connects to the server once more, on the first Play.
        outputDevice_.clear();
        return std::make_unique<PulseAudioOutput>(pcmSource(), QByteArray(), sinkOptions_.deviceBufferMs);
    }
    // The chosen device is found in Qt's list, which the Qt audio module gives on first use.
    const QtAudio* audio = qtAudio();
    if (audio == nullptr) {
        // Without the module the server's default sink stands in (its absence is logged).
        outputDevice_.clear();
        return std::make_unique<PulseAudioOutput>(pcmSource(), QByteArray(), sinkOptions_.deviceBufferMs);
    }
    const QList<AudioOutputDevice> devices = audio->outputs();
    if (devices.isEmpty()) {
        *isDevice = false;
        return nullptr;
    }
    const bool chosen = device_ >= 0 && device_ < devices.size();
    const AudioOutputDevice device = chosen ? devices[device_] : audio->defaultOutput();
    outputDevice_ = device.description;
    return makeDeviceOutput(device, sinkOptions_.deviceStream);
}

std::unique_ptr<AudioOutput> TTextToSpeech::makeDeviceOutput(const AudioOutputDevice& device,
                                                             AudioSinkOptions::DeviceStream kind)
{
    if (kind == AudioSinkOptions::DeviceStream::QtSink) {
        if (const QtAudio* audio = qtAudio())
            return std::make_unique<DeviceAudioOutput>(pcmSource(), *audio, device,
                                                       sinkOptions_.deviceBufferMs);
    }
    // Qt's devices are PulseAudio's sinks, named by their id. PulseAudio's stream also stands in for
    // Qt's sink when the Qt audio module is missing.
    return std::make_unique<PulseAudioOutput>(pcmSource(), device.id, sinkOptions_.deviceBufferMs);
}

void TTextToSpeech::useHeadlessFallback(const char* why)
{
    qCWarning(lcAudio, "%s; the speech runs on without sound", why);
    replaceOutput(std::make_unique<HeadlessAudioOutput>(pcmSource(), nullptr, 0));
    output_->start();
}

void TTextToSpeech::startOutput()
{
    if (!output_) {
        bool isDevice = false;
        auto output = makeOutput(&isDevice);
        if (!output) {
            useHeadlessFallback("there is no audio output device");
            return;
        }
        replaceOutput(std::move(output));
    }
    if (output_->start())
        return;
    // The chosen device cannot be opened: try the default one, then the other kind of stream on it,
    // then go on without sound.
    const QtAudio* audio = qtAudio();
    const QList<AudioOutputDevice> devices = audio ? audio->outputs() : QList<AudioOutputDevice>();
    if (devices.isEmpty()) {
        useHeadlessFallback("the audio device cannot be opened");
        return;
    }
    if (device_ >= 0 && device_ < devices.size()) {
        qCWarning(lcAudio, "the audio device %s cannot be opened; using the default device",
                  qUtf8Printable(devices[device_].description));
        replaceOutput(makeDeviceOutput(audio->defaultOutput(), sinkOptions_.deviceStream));
        if (output_->start())
            return;
    }
    const auto other = sinkOptions_.deviceStream == AudioSinkOptions::DeviceStream::Pulse
                           ? AudioSinkOptions::DeviceStream::QtSink
                           : AudioSinkOptions::DeviceStream::Pulse;
    replaceOutput(makeDeviceOutput(audio->defaultOutput(), other));
    if (output_->start())
        return;
    useHeadlessFallback("the audio device cannot be opened");
}

void TTextToSpeech::onDrained()
{
    if (!stream_->exhausted()) {
        // More was queued while the last audio played out.
        if (!paused_)
            startOutput();
        return;
    }
    if (!active_)
        return;
    active_ = false;
    paused_ = false;
    postDone();
}

void TTextToSpeech::onOutputFailed()
{
    // A device that went away (unplugged): the speech goes on on the default output, and says so.
    const QtAudio* audio = sinkOptions_.kind == AudioSinkOptions::Kind::Device ? qtAudio() : nullptr;
    if (audio != nullptr && !audio->outputs().isEmpty()) {
        const AudioOutputDevice fallback = audio->defaultOutput();
        const QString lost = outputDevice_.isEmpty() ? fallback.description : outputDevice_;
        qCWarning(lcAudio, "the audio device %s stopped working; using the default device",
                  qUtf8Printable(lost));
        outputDevice_ = fallback.description;
        replaceOutput(makeDeviceOutput(fallback, sinkOptions_.deviceStream));
        if (output_->start()) {
            Q_EMIT OnDeviceFallback(lost);
            return;
        }
    }
    useHeadlessFallback("the audio device stopped working");
}

} // namespace narrix
