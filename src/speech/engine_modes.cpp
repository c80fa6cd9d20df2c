#include "speech/engine_modes.h"

#include "speech/speechd_backend.h"
#include "speech/synthesis_worker.h"

#include <QSet>
#include <chrono>
#include <future>
#include <mutex>

namespace narrix {
namespace {

std::shared_future<std::vector<VoiceInfo>>& serviceVoices()
{
    static std::shared_future<std::vector<VoiceInfo>> voices;
    return voices;
}

std::vector<VoiceInfo> withServiceVoices()
{
    std::vector<VoiceInfo> all = SynthesisWorker::instance().voices();
    const std::vector<VoiceInfo>& service = serviceVoices().get();
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
    static std::once_flag started;
    std::call_once(started,
                   [] { serviceVoices() = std::async(std::launch::async, listSpeechdVoices).share(); });
}

void waitForServiceVoices()
{
    if (serviceVoices().valid())
        serviceVoices().wait();
}

const std::vector<VoiceInfo>& engineModes(bool includeServiceVoices, bool* complete)
{
    const auto& service = serviceVoices();
    const bool listed =
        service.valid() && service.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    *complete = !includeServiceVoices || listed;
    if (!includeServiceVoices || !listed)
        return SynthesisWorker::instance().voices();
    static const std::vector<VoiceInfo> all = withServiceVoices();
    return all;
}

} // namespace narrix
