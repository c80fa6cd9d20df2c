#include "speech/engine_modes.h"

#include "base/diagnostics.h"
#include "speech/speechd_backend.h"
#include "speech/synthesis_worker.h"

#include <QSet>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace narrix {
namespace {

// What the listing thread hands over. The thread holds its own reference and is never joined, so a
// process that ends while libspeechd is still listing does not wait for it; the thread touches
// nothing else of the program (it does not log either: whoever first sees the result does).
struct ServiceListing
{
    std::mutex mutex;
    std::condition_variable finished;
    bool begun = false;
    bool done = false;
    bool reported = false;
    SpeechdVoiceList result;
};

const std::shared_ptr<ServiceListing>& serviceListing()
{
    static const std::shared_ptr<ServiceListing> listing = std::make_shared<ServiceListing>();
    return listing;
}

// Called with the listing's mutex held, once it is done.
void reportOnce(ServiceListing& listing)
{
    if (listing.reported)
        return;
    listing.reported = true;
    if (!listing.result.problem.isEmpty())
        qCInfo(lcSpeech, "%s", qUtf8Printable(listing.result.problem));
}

std::vector<VoiceInfo> withServiceVoices(const std::vector<VoiceInfo>& service)
{
    std::vector<VoiceInfo> all = SynthesisWorker::instance().voices();
    QSet<QString> seen;
    for (const VoiceInfo& voice : all)
        seen.insert(voice.name);
    for (VoiceInfo voice : service) {
        const QString base = voice.name;
        for (int n = 2; seen.contains(voice.name); ++n)
            voice.name = QStringLiteral("%1 #%2").arg(base).arg(n);
        seen.insert(voice.name);
        all.push_back(std::move(voice));
    }
    return all;
}

} // namespace

void beginListingServiceVoices()
{
    const std::shared_ptr<ServiceListing>& listing = serviceListing();
    {
        std::lock_guard lock(listing->mutex);
        if (listing->begun)
            return;
        listing->begun = true;
    }
    std::thread([listing] {
        SpeechdVoiceList result = listSpeechdVoices();
        std::lock_guard lock(listing->mutex);
        listing->result = std::move(result);
        listing->done = true;
        listing->finished.notify_all();
    }).detach();
}

void waitForServiceVoices()
{
    ServiceListing& listing = *serviceListing();
    std::unique_lock lock(listing.mutex);
    if (!listing.begun)
        return;
    listing.finished.wait(lock, [&listing] { return listing.done; });
    reportOnce(listing);
}

const std::vector<VoiceInfo>& engineModes(bool includeServiceVoices, bool* complete)
{
    ServiceListing& listing = *serviceListing();
    bool listed = false;
    {
        std::lock_guard lock(listing.mutex);
        listed = listing.done;
        if (listed)
            reportOnce(listing);
    }
    *complete = !includeServiceVoices || listed;
    if (!includeServiceVoices || !listed)
        return SynthesisWorker::instance().voices();
    // Once done, the result is never written again: it is read here without the lock.
    static const std::vector<VoiceInfo> all = withServiceVoices(listing.result.voices);
    return all;
}

} // namespace narrix
