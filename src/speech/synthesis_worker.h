#pragma once

#include "speech/voice_info.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace narrix {

class SpeechStream;
class SynthBackend;

// The one thread of the process that runs the synthesisers (espeak-ng keeps global state, so it
// must never run on two threads). It serves every engine's stream in turn, a sentence at a time,
// keeping each a few seconds ahead of its playback.
class SynthesisWorker
{
public:
    static SynthesisWorker& instance();
    // A worker of its own over the given backends (tests drive it with scripted ones); instance()
    // runs espeak-ng and flite.
    SynthesisWorker(std::unique_ptr<SynthBackend> espeak, std::unique_ptr<SynthBackend> flite);
    ~SynthesisWorker();

    SynthesisWorker(const SynthesisWorker&) = delete;
    SynthesisWorker& operator=(const SynthesisWorker&) = delete;

    void attach(const std::shared_ptr<SpeechStream>& stream);
    void detach(const SpeechStream* stream);
    // Tells the thread that a stream may have work.
    void wake();

    // All modes of all backends, listed once on the synthesis thread as soon as it starts; waits for
    // that listing when it is not done yet.
    const std::vector<VoiceInfo>& voices();

    // Whether the voice's backend can speak with it (a flite voice that fails to load cannot).
    bool usable(const VoiceInfo& voice);

    // Runs a task on the synthesis thread and waits for it.
    void runAndWait(const std::function<void()>& task);

    // Synthesises with the voice's backend at the backend's own sample rate. Only inside a task given
    // to runAndWait (that is, on the synthesis thread).
    bool synthesizeHere(const VoiceInfo& voice, std::string_view text, const Prosody& prosody,
                        const std::function<bool(const std::int16_t*, std::size_t, int)>& sink);

private:
    void run();
    bool serveOneJob();
    std::vector<VoiceInfo> listAllVoices();

    std::mutex mutex_;
    std::condition_variable wakeUp_;
    std::condition_variable taskDone_;
    bool quit_ = false;
    bool woken_ = false;
    std::vector<std::function<void()>> tasks_;
    std::uint64_t tasksQueued_ = 0;
    std::uint64_t tasksDone_ = 0;
    std::vector<std::weak_ptr<SpeechStream>> streams_;
    std::size_t nextStream_ = 0;
    bool prioritised_ = false; // the synthesis thread's own

    std::condition_variable voicesListed_;
    bool voicesReady_ = false;
    std::vector<VoiceInfo> voices_; // written once, before voicesReady_; read-only after

    std::unique_ptr<SynthBackend> espeak_;
    std::unique_ptr<SynthBackend> flite_;
    std::thread thread_; // last: starts after everything above exists
};

} // namespace narrix
