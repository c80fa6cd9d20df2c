#include "speech/synthesis_worker.h"

#include "base/diagnostics.h"
#include "speech/espeak_backend.h"
#include "speech/flite_backend.h"
#include "speech/resampler.h"
#include "speech/speech_stream.h"
#include "speech/thread_priority.h"

#include <QSet>

namespace narrix {
namespace {

constexpr int kPlaybackNiceLevel = -10;

} // namespace

SynthesisWorker& SynthesisWorker::instance()
{
    static SynthesisWorker worker(std::make_unique<EspeakBackend>(), std::make_unique<FliteBackend>());
    return worker;
}

SynthesisWorker::SynthesisWorker(std::unique_ptr<SynthBackend> espeak, std::unique_ptr<SynthBackend> flite)
    : espeak_(std::move(espeak)), flite_(std::move(flite)), thread_([this] { run(); })
{
}

SynthesisWorker::~SynthesisWorker()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wakeUp_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void SynthesisWorker::attach(const std::shared_ptr<SpeechStream>& stream)
{
    {
        std::lock_guard lock(mutex_);
        streams_.push_back(stream);
    }
    wake();
}

void SynthesisWorker::detach(const SpeechStream* stream)
{
    std::lock_guard lock(mutex_);
    std::erase_if(streams_, [stream](const std::weak_ptr<SpeechStream>& weak) {
        const auto locked = weak.lock();
        return !locked || locked.get() == stream;
    });
}

void SynthesisWorker::wake()
{
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wakeUp_.notify_all();
}

void SynthesisWorker::runAndWait(const std::function<void()>& task)
{
    if (std::this_thread::get_id() == thread_.get_id()) {
        task();
        return;
    }
    std::unique_lock lock(mutex_);
    tasks_.push_back(task);
    const std::uint64_t ticket = ++tasksQueued_;
    woken_ = true;
    wakeUp_.notify_all();
    taskDone_.wait(lock, [&] { return tasksDone_ >= ticket; });
}

bool SynthesisWorker::usable(const VoiceInfo& voice)
{
    bool result = false;
    runAndWait([&] {
        SynthBackend* backend = voice.backend == SynthBackendKind::Flite ? flite_.get() : espeak_.get();
        result = backend && backend->usable(voice);
    });
    return result;
}

bool SynthesisWorker::synthesizeHere(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                                     const std::function<bool(const std::int16_t*, std::size_t, int)>& sink)
{
    if (std::this_thread::get_id() != thread_.get_id())
        return false;
    SynthBackend& backend = voice.backend == SynthBackendKind::Flite ? *flite_ : *espeak_;
    return backend.synthesize(voice, text, prosody, sink);
}

const std::vector<VoiceInfo>& SynthesisWorker::voices()
{
    // The thread lists them before anything else; tasks run on it only after that.
    std::unique_lock lock(mutex_);
    voicesListed_.wait(lock, [this] { return voicesReady_; });
    return voices_;
}

std::vector<VoiceInfo> SynthesisWorker::listAllVoices()
{
    std::vector<VoiceInfo> all = flite_->listVoices();
    std::vector<VoiceInfo> espeakVoices = espeak_->listVoices();
    all.insert(all.end(), std::make_move_iterator(espeakVoices.begin()),
               std::make_move_iterator(espeakVoices.end()));
    // Mode names must be unique: they are what the settings store.
    QSet<QString> seen;
    for (VoiceInfo& voice : all) {
        const QString base = voice.name;
        for (int n = 2; seen.contains(voice.name); ++n)
            voice.name = QStringLiteral("%1 #%2").arg(base).arg(n);
        seen.insert(voice.name);
    }
    return all;
}

void SynthesisWorker::run()
{
    // Listing is done at once, so that it runs while the program builds its window, and the first
    // caller of voices() waits only for the rest. From espeak-ng's cache file it does not start the
    // synthesiser: that is done once the list is out, before any task, so no Speak waits for it.
    std::vector<VoiceInfo> listed = listAllVoices();
    {
        std::lock_guard lock(mutex_);
        voices_ = std::move(listed);
        voicesReady_ = true;
    }
    voicesListed_.notify_all();
    espeak_->start();
    for (;;) {
        std::vector<std::function<void()>> tasks;
        {
            std::unique_lock lock(mutex_);
            wakeUp_.wait(lock, [this] { return quit_ || woken_ || !tasks_.empty(); });
            if (quit_) {
                lock.unlock();
                // The backends end on the thread that used them.
                espeak_.reset();
                flite_.reset();
                return;
            }
            woken_ = false;
            tasks.swap(tasks_);
        }
        for (const auto& task : tasks) {
            task();
            std::lock_guard lock(mutex_);
            ++tasksDone_;
        }
        if (!tasks.empty())
            taskDone_.notify_all();
        // Serve jobs until no stream wants one; anything that creates work later wakes the thread.
        while (serveOneJob()) {
            std::lock_guard lock(mutex_);
            if (quit_ || !tasks_.empty())
                break;
        }
        std::lock_guard lock(mutex_);
        if (!tasks_.empty())
            woken_ = true;
    }
}

bool SynthesisWorker::serveOneJob()
{
    // Round robin over the streams, so that one long reading cannot starve another engine.
    std::shared_ptr<SpeechStream> stream;
    std::optional<SpeechStream::Job> job;
    {
        std::lock_guard lock(mutex_);
        const std::size_t count = streams_.size();
        for (std::size_t i = 0; i < count && !job; ++i) {
            const std::size_t index = (nextStream_ + i) % count;
            stream = streams_[index].lock();
            if (stream)
                job = stream->takeJob();
            if (job)
                nextStream_ = index + 1;
        }
    }
    if (!job)
        return false;
    // Playback waits for this thread (the first sound of a reading for its first sentence): where
    // allowed, it is scheduled ahead of other programs' work once it serves a reading. It only ever
    // runs a few seconds ahead of playback. Exports, which run flat out, keep their priority.
    if (!prioritised_) {
        prioritised_ = true;
        if (!raiseThreadNiceLevel(kPlaybackNiceLevel))
            qCDebug(lcSpeech, "the synthesis thread runs at normal priority");
    }

    SynthBackend& backend = job->voice.backend == SynthBackendKind::Flite ? *flite_ : *espeak_;
    std::unique_ptr<Resampler> resampler;
    std::vector<std::int16_t> converted;
    const auto sink = [&](const std::int16_t* samples, std::size_t count, int rate) {
        if (!resampler)
            resampler = std::make_unique<Resampler>(rate, SpeechStream::kSampleRate);
        converted.clear();
        resampler->process(samples, count, converted);
        applyVolume(converted, job->prosody.tuning.volume);
        return stream->deliver(*job, converted.data(), converted.size());
    };
    if (!backend.synthesize(job->voice, job->text, job->prosody, sink))
        qCWarning(lcSpeech, "the voice %s could not speak a sentence", qUtf8Printable(job->voice.name));
    stream->complete(*job);
    return true;
}

} // namespace narrix
