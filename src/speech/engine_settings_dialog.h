#pragma once

#include "speech/voice_info.h"

#include <QDialog>
#include <optional>

class QFormLayout;
class QLabel;
class QSlider;

namespace narrix {

class TTextToSpeech;

// The engine's own settings for one voice: pitch and volume for every voice, pitch range and the
// pause between words for espeak-ng voices. Filled from a VoiceTuning, returns one.
class EngineSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    EngineSettingsDialog(const QString& voiceName, SynthBackendKind backend, const VoiceTuning& tuning,
                         QWidget* parent = nullptr);

    VoiceTuning tuning() const;
    void setTuning(const VoiceTuning& tuning);

    // Shows the dialog modally; the chosen values, or nothing when cancelled.
    static std::optional<VoiceTuning> run(QWidget* owner, const QString& voiceName, SynthBackendKind backend,
                                          const VoiceTuning& tuning);

private:
    QSlider* addSlider(QFormLayout* form, const QString& label, int low, int high, const QString& unit,
                       const QString& objectName);

    QSlider* pitch_ = nullptr;
    QSlider* volume_ = nullptr;
    QSlider* pitchRange_ = nullptr;
    QSlider* wordGap_ = nullptr;
};

// Makes TTextToSpeech::ShowSettingsDialog open this dialog and apply what the user chose.
void installEngineSettingsDialog();

} // namespace narrix
