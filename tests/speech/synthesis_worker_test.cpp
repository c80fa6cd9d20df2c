// The synthesis thread driven directly, with a scripted backend: streams served in turn, a stream
// let go while its sentence is being synthesised, and tasks that wait from the thread itself.
#include "speech/synthesis_worker.h"

#include "speech/speech_stream.h"
#include "speech/synth_backend.h"

#include <QString>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

namespace narrix {
namespace {

// Records what it speaks; with the gate closed, the next sentence waits inside synthesize() until
// the test opens it.
class ScriptedBackend final : public SynthBackend
{
public:
    std::vector<VoiceInfo> listVoices() override
    {
        calls.emplace_back("list");
        VoiceInfo voice;
        voice.name = QStringLiteral("Scripted");
        return {voice};
    }
    void start() override { calls.emplace_back("start"); }
    bool usable(const VoiceInfo&) override { return true; }
    bool synthesize(const VoiceInfo&, std::string_view text, const Prosody&, const PcmSink& sink) override
    {
        std::unique_lock lock(mutex_);
        spoken_.emplace_back(text);
        inside_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return gateOpen_; });
        inside_ = false;
        lock.unlock();
        const std::vector<std::int16_t> samples(220, 1000);
        sink(samples.data(), samples.size(), SpeechStream::kSampleRate);
        return true;
    }

    void closeGate()
    {
        std::lock_guard lock(mutex_);
        gateOpen_ = false;
    }
    void openGate()
    {
        std::lock_guard lock(mutex_);
        gateOpen_ = true;
        changed_.notify_all();
    }
    void waitUntilInside()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return inside_; });
    }
    // Waits until `count` sentences were begun, then returns them.
    std::vector<std::string> spoken(std::size_t count)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return spoken_.size() >= count && !inside_; });
        return spoken_;
    }

    std::vector<std::string> calls; // of listVoices and start, on the synthesis thread only

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool gateOpen_ = true;
    bool inside_ = false;
    std::vector<std::string> spoken_;
};

struct WorkerFixture : ::testing::Test
{
    ScriptedBackend* backend = nullptr;
    std::unique_ptr<SynthesisWorker> worker;

    WorkerFixture()
    {
        auto scripted = std::make_unique<ScriptedBackend>();
        backend = scripted.get();
        worker = std::make_unique<SynthesisWorker>(std::move(scripted), std::make_unique<ScriptedBackend>());
    }

    std::shared_ptr<SpeechStream> newStream()
    {
        auto stream = std::make_shared<SpeechStream>();
        stream->setVoice(worker->voices().front());
        return stream;
    }
};

TEST_F(WorkerFixture, StreamsAreServedInTurnASentenceAtATime)
{
    auto first = newStream();
    auto second = newStream();
    backend->closeGate();
    first->enqueue(QStringLiteral("One a. Two a. Three a."));
    worker->attach(first);
    backend->waitUntilInside(); // "One a." is being synthesised; the second stream's text comes now
    second->enqueue(QStringLiteral("One b. Two b. Three b."));
    worker->attach(second);
    backend->openGate();
    const std::vector<std::string> spoken = backend->spoken(6);
    ASSERT_EQ(spoken.size(), 6u);
    const std::vector<std::string> expected = {"One a.", "One b.",   "Two a.",
                                               "Two b.", "Three a.", "Three b."};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(spoken[i].substr(0, expected[i].size()), expected[i]) << i;
}

TEST_F(WorkerFixture, AStreamLetGoWhileSynthesisingIsNeverServedAgain)
{
    auto doomed = newStream();
    auto other = newStream();
    backend->closeGate();
    doomed->enqueue(QStringLiteral("First sentence. Second sentence. Third sentence."));
    worker->attach(doomed);
    backend->waitUntilInside();
    worker->detach(doomed.get());
    doomed.reset(); // the engine that owned it is gone; the worker's own reference keeps it alive
    other->enqueue(QStringLiteral("Still served."));
    worker->attach(other);
    backend->openGate();
    const std::vector<std::string> spoken = backend->spoken(2);
    ASSERT_EQ(spoken.size(), 2u);
    EXPECT_EQ(spoken[0].substr(0, 15), "First sentence.");
    EXPECT_EQ(spoken[1].substr(0, 13), "Still served.");
    // Nothing of the detached stream follows.
    worker->runAndWait([] {});
    EXPECT_EQ(backend->spoken(2).size(), 2u);
}

TEST_F(WorkerFixture, TheSynthesiserIsStartedOnceTheVoicesAreListedBeforeAnyTask)
{
    std::vector<std::string> callsBeforeTheTask;
    worker->runAndWait([&] { callsBeforeTheTask = backend->calls; });
    EXPECT_EQ(callsBeforeTheTask, (std::vector<std::string>{"list", "start"}));
}

TEST_F(WorkerFixture, TasksMayWaitForTasksFromTheThreadItself)
{
    bool inner = false;
    bool usable = false;
    std::thread::id outerThread;
    std::thread::id innerThread;
    worker->runAndWait([&] {
        outerThread = std::this_thread::get_id();
        // Waiting for the thread from the thread itself runs the task at once instead of deadlocking.
        worker->runAndWait([&] {
            innerThread = std::this_thread::get_id();
            inner = true;
        });
        usable = worker->usable(worker->voices().front());
    });
    EXPECT_TRUE(inner);
    EXPECT_TRUE(usable);
    EXPECT_EQ(outerThread, innerThread);
    EXPECT_NE(outerThread, std::this_thread::get_id());
}

} // namespace
} // namespace narrix
