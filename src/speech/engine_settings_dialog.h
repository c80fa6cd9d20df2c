#pragma once

#include "speech/text_to_speech.h"
#include "speech/voice_info.h"

#include <QDialog>
#include <functional>
#include <optional>

class QFormLayout;
class QLabel;
class QSlider;

namespace narrix {

// Shows a dialog modally and returns its result code.
using DialogRunner = std::function<int(QDialog&)>;

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

    // Shows the dialog modally through `show` (the program's dialog seam; empty: the dialog's own
    // exec); the chosen values, or nothing when cancelled.
    static std::optional<VoiceTuning> run(QWidget* owner, const QString& voiceName, SynthBackendKind backend,
                                          const VoiceTuning& tuning, const DialogRunner& show = {});

private:
    QSlider* addSlider(QFormLayout* form, const QString& label, int low, int high, const QString& unit,
                       const QString& objectName);

    QSlider* pitch_ = nullptr;
    QSlider* volume_ = nullptr;
    QSlider* pitchRange_ = nullptr;
    QSlider* wordGap_ = nullptr;
};

// What TTextToSpeech::ShowSettingsDialog runs: this dialog, shown through `show`, and the chosen
// values applied to the engine. Given to the engines by SpeechEngineFactory::setSettingsDialog.
TTextToSpeech::SettingsDialogHook engineSettingsDialog(const DialogRunner& show = {});

} // namespace narrix
