#pragma once

#include "speech/speech_text_cleanup.h"

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace narrix {

// Cleans the rest of a long text for speech on a thread of its own while its first part is already
// heard, then hands the whole cleaned text over on the owner's thread. One text at a time: a new
// text, cancel() or the destructor abandon the one before, which stops within about a megabyte of
// work (the rest is cleaned a piece at a time, cut where the pieces clean alike) and frees its
// memory; a superseded text is never handed over, so Play, Stop, Play keeps at most one copy.
class RestCleaner final : public QObject
{
    Q_OBJECT
public:
    // Receives the whole text cleaned and the length of its first part, on the owner's thread.
    using HandOver = std::function<void(std::string whole, std::size_t firstBytes)>;

    explicit RestCleaner(HandOver handOver, QObject* parent = nullptr);
    ~RestCleaner() override;

    // `text` is the whole text, `cut` where its first part ends and `cleanedFirst` that part as
    // already cleaned (never longer than it was).
    void start(std::string text, std::size_t cut, std::string cleanedFirst, AsciiFolding folding);
    void cancel();

Q_SIGNALS:
    // A text was handed over or abandoned (on the owner's thread): tests wait for it.
    void finished(bool handedOver);

private:
    struct Job
    {
        std::uint64_t id = 0;
        std::string text;
        std::size_t cut = 0;
        std::string cleanedFirst;
        AsciiFolding folding = AsciiFolding::None;
    };
    void run();
    bool clean(Job& job);
    void deliver(std::uint64_t id, std::string whole, std::size_t firstBytes);

    HandOver handOver_;
    std::mutex mutex_;
    std::condition_variable wakeUp_;
    std::optional<Job> pending_;
    std::uint64_t current_ = 0; // the id of the text that may still be handed over
    bool quit_ = false;
    std::thread thread_; // last: starts after everything above exists
};

} // namespace narrix
