#include "speech/qt_audio.h"

#include <mutex>
#include <thread>

namespace narrix {

const QtAudio* qtAudio()
{
    static const QtAudio* const audio = []() -> const QtAudio* {
        // The module logs why it cannot be opened, once.
        QString reason;
        MakeQtAudio* make =
            programModuleFactory<MakeQtAudio>(QString::fromLatin1(kQtAudioModule), kMakeQtAudio, &reason);
        return make != nullptr ? make() : nullptr;
    }();
    return audio;
}

void preloadQtAudio()
{
    static std::once_flag started;
    // Never joined: a process that ends meanwhile does not wait for it (exit waits for the loader).
    std::call_once(started, [] { std::thread([] { qtAudio(); }).detach(); });
}

} // namespace narrix
