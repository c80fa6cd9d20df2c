#pragma once

#include "platform/settings_file.h"
#include "speech/voice_info.h"

#include <QString>
#include <vector>

namespace narrix {

// The voice and speed set in Narrix (its Voice and Speed settings): vozozo's defaults.
struct NarrixSpeechChoice
{
    QString voice; // empty when none is stored
    int speed = 0; // words per minute; 0 when none (or no number) is stored
};
NarrixSpeechChoice readNarrixSpeechChoice(const QString& settingsPath = SettingsFile::userSettingsPath());

// The voices vozozo offers: the engine's modes.
const std::vector<VoiceInfo>& vozozoVoices();
// The voice named `name` (exactly, else ignoring case); nullptr when there is none.
const VoiceInfo* findVozozoVoice(const QString& name);
// The voice used when none is named: the one set in Narrix when vozozo offers it (the speech
// service's voices it does not), else the engine's first mode.
const VoiceInfo* defaultVozozoVoice(const NarrixSpeechChoice& narrix = readNarrixSpeechChoice());
// The speed used when none is given: Narrix's, else 175 words per minute; within the voice's range.
int defaultVozozoSpeed(const VoiceInfo& voice, const NarrixSpeechChoice& narrix = readNarrixSpeechChoice());

} // namespace narrix
