#include "speech/rest_cleaner.h"

#include "speech/speech_text_cleanup.h"

#include <QMetaObject>
#include <algorithm>

namespace narrix {
namespace {

// How much is cleaned between two looks at whether the text is still wanted.
constexpr std::size_t kPiece = 1 << 20;

} // namespace

RestCleaner::RestCleaner(HandOver handOver, QObject* parent)
    : QObject(parent), handOver_(std::move(handOver)), thread_([this] { run(); })
{
}

RestCleaner::~RestCleaner()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        ++current_;
        pending_.reset();
    }
    wakeUp_.notify_all();
    thread_.join();
}

void RestCleaner::start(std::string text, std::size_t cut, std::string cleanedFirst, AsciiFolding folding)
{
    std::optional<Job> superseded;
    {
        std::lock_guard lock(mutex_);
        superseded = std::move(pending_);
        pending_ = Job{++current_, std::move(text), cut, std::move(cleanedFirst), folding};
    }
    wakeUp_.notify_all();
    if (superseded)
        Q_EMIT finished(false);
}

void RestCleaner::cancel()
{
    std::optional<Job> dropped;
    {
        std::lock_guard lock(mutex_);
        ++current_;
        dropped = std::move(pending_);
        pending_.reset();
    }
    if (dropped)
        Q_EMIT finished(false);
}

void RestCleaner::run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wakeUp_.wait(lock, [this] { return quit_ || pending_.has_value(); });
            if (quit_)
                return;
            job = std::move(*pending_);
            pending_.reset();
        }
        const std::uint64_t id = job.id;
        const std::size_t firstBytes = job.cleanedFirst.size();
        const bool complete = clean(job);
        std::string whole = complete ? std::move(job.text) : std::string();
        job = Job();
        QMetaObject::invokeMethod(
            this,
            [this, id, firstBytes, whole = std::move(whole)]() mutable {
                deliver(id, std::move(whole), firstBytes);
            },
            Qt::QueuedConnection);
    }
}

// Cleans the rest in place a piece at a time (each piece ends where speechTextCut allows, so the
// pieces clean as the whole would), then puts the cleaned first part in front. False when the text
// was abandoned meanwhile.
bool RestCleaner::clean(Job& job)
{
    std::string& text = job.text;
    std::size_t read = job.cut;
    std::size_t write = job.cut;
    std::string piece;
    while (read < text.size()) {
        {
            std::lock_guard lock(mutex_);
            if (job.id != current_)
                return false;
        }
        std::size_t end =
            text.size() - read > kPiece ? speechTextCut(text, read + kPiece) : std::string::npos;
        if (end == std::string::npos)
            end = text.size();
        piece.assign(text, read, end - read);
        CleanSpeechTextInPlace(piece, job.folding, false);
        // Cleaning never lengthens a piece, so this never overtakes what is still to be read.
        std::copy(piece.begin(), piece.end(), text.begin() + static_cast<std::ptrdiff_t>(write));
        write += piece.size();
        read = end;
    }
    text.resize(write);
    // The cleaned first part is never longer than what it replaces: the text is not copied.
    text.replace(0, job.cut, job.cleanedFirst);
    return true;
}

void RestCleaner::deliver(std::uint64_t id, std::string whole, std::size_t firstBytes)
{
    bool wanted = false;
    {
        std::lock_guard lock(mutex_);
        wanted = id == current_ && !whole.empty();
    }
    if (wanted)
        handOver_(std::move(whole), firstBytes);
    Q_EMIT finished(wanted);
}

} // namespace narrix
