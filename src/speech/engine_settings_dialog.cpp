#include "speech/engine_settings_dialog.h"

#include "speech/text_to_speech.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace narrix {

EngineSettingsDialog::EngineSettingsDialog(const QString& voiceName, SynthBackendKind backend,
                                           const VoiceTuning& tuning, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Voice Settings"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(voiceName, this);
    title->setObjectName(QStringLiteral("voiceName"));
    layout->addWidget(title);
    auto* form = new QFormLayout;
    pitch_ = addSlider(form, tr("&Pitch:"), -50, 50, QString(), QStringLiteral("pitch"));
    volume_ = addSlider(form, tr("V&olume:"), 0, 200, QStringLiteral(" %"), QStringLiteral("volume"));
    if (backend == SynthBackendKind::Espeak) {
        pitchRange_ = addSlider(form, tr("&Intonation:"), 0, 100, QString(), QStringLiteral("pitchRange"));
        wordGap_ = addSlider(form, tr("Pause between &words:"), 0, 50, QStringLiteral("0 ms"),
                             QStringLiteral("wordGap"));
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { setTuning(VoiceTuning{}); });
    setTuning(tuning);
}

QSlider* EngineSettingsDialog::addSlider(QFormLayout* form, const QString& label, int low, int high,
                                         const QString& unit, const QString& objectName)
{
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(objectName);
    slider->setRange(low, high);
    slider->setPageStep(std::max(1, (high - low) / 10));
    auto* value = new QLabel(this);
    value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-000 %")));
    connect(slider, &QSlider::valueChanged, value,
            [value, unit](int v) { value->setText(QString::number(v) + unit); });
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(value);
    // The caption's access key and the slider's accessible name both come from the label's buddy.
    auto* caption = new QLabel(label, this);
    caption->setBuddy(slider);
    form->addRow(caption, row);
    return slider;
}

VoiceTuning EngineSettingsDialog::tuning() const
{
    VoiceTuning tuning;
    tuning.pitch = pitch_->value();
    tuning.volume = volume_->value();
    if (pitchRange_)
        tuning.pitchRange = pitchRange_->value();
    if (wordGap_)
        tuning.wordGap = wordGap_->value();
    return tuning;
}

void EngineSettingsDialog::setTuning(const VoiceTuning& tuning)
{
    pitch_->setValue(tuning.pitch);
    volume_->setValue(tuning.volume);
    if (pitchRange_)
        pitchRange_->setValue(tuning.pitchRange);
    if (wordGap_)
        wordGap_->setValue(tuning.wordGap);
    // A label follows its slider only on a change; show the starting values too.
    for (QSlider* slider : {pitch_, volume_, pitchRange_, wordGap_}) {
        if (slider)
            Q_EMIT slider->valueChanged(slider->value());
    }
}

std::optional<VoiceTuning> EngineSettingsDialog::run(QWidget* owner, const QString& voiceName,
                                                     SynthBackendKind backend, const VoiceTuning& tuning,
                                                     const DialogRunner& show)
{
    EngineSettingsDialog dialog(voiceName, backend, tuning, owner);
    const int result = show ? show(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return dialog.tuning();
}

TTextToSpeech::SettingsDialogHook engineSettingsDialog(const DialogRunner& show)
{
    return [show](QObject* owner, TTextToSpeech& engine) {
        const VoiceInfo* voice = engine.CurrentVoice();
        if (!voice)
            return;
        if (auto chosen = EngineSettingsDialog::run(qobject_cast<QWidget*>(owner), voice->name,
                                                    voice->backend, engine.Tuning(), show))
            engine.SetTuning(*chosen);
    };
}

} // namespace narrix
