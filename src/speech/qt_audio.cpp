#include "speech/qt_audio.h"

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

} // namespace narrix
