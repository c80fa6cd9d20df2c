#include "speech/speech_properties.h"

#include "speech/speech_engine.h"
#include "speech/voice_labels.h"

#include <QHash>
#include <QScopeGuard>
#include <algorithm>
#include <exception>

namespace narrix {
namespace {

QString wordsPerMinute(int speed)
{
    return QString::number(speed) + QStringLiteral(" Words Per Minute");
}

} // namespace

const QString SpeechProperties::kScanMessage = QStringLiteral(
    "Narrix will scan for voices installed on your computer and create a voice database. This will be "
    "performed only once. If you install more voices in the future, you can click the Rescan button to "
    "update the database.");
const QString SpeechProperties::kTestSentence = QStringLiteral("This is a test.");

SpeechProperties::SpeechProperties(SpeechEngine& engine, EngineSpeedRange speedRange, VoiceDatabase database,
                                   Hooks hooks, QObject* parent)
    : QObject(parent), engine_(engine), speedRange_(speedRange), database_(std::move(database)),
      hooks_(std::move(hooks))
{
    connect(&engine_, &SpeechEngine::OnAttribChanged, this, &SpeechProperties::attribChanged);
}

void SpeechProperties::open(const SpeechPropertiesValues& values)
{
    values_ = values;
    engine_.SetSuppressExceptions(0);
    firstDisplay_ = true;
    voicePending_ = true;
    trackBarSetting_ = false;
    busy_ = false;
    voices_.clear();
    selected_ = -1;
    voiceHint_.clear();
    information_ = {};
    speedShown_ = false;

    const QStringList names = database_.read();
    if (names.isEmpty()) {
        if (hooks_.showScanMessage)
            hooks_.showScanMessage();
        scan();
        return;
    }
    voices_ = names;
    selectByName(values_.voice, false);
    displayVoice();
}

void SpeechProperties::rescan()
{
    scan();
}

void SpeechProperties::scan()
{
    const auto done = busyPeriod();
    ++scans_;
    voices_.clear();
    selected_ = -1;
    const int count = engine_.ModeCount();
    for (int mode = 1; mode <= count; ++mode) {
        try {
            engine_.Select(mode);
        } catch (const std::exception&) {
            continue; // a voice that cannot be used is left out silently
        }
        voices_ << engine_.ModeName(mode);
    }
    database_.write(voices_);
    // The dialog's engine now speaks with the last voice scanned, whatever the list shows.
    voicePending_ = true;
    if (voices_.isEmpty())
        return;
    selectByName(values_.voice, true);
    displayVoice();
    moveTrackBar(values_.speed);
}

void SpeechProperties::pickVoice(int index)
{
    if (index < 0 || index >= voices_.size() || index == selected_)
        return;
    selected_ = index;
    displayVoice();
}

void SpeechProperties::displayVoice()
{
    const auto done = busyPeriod();
    if (displayVoiceSteps() && selected_ >= 0)
        values_.voice = voices_[selected_];
}

bool SpeechProperties::displayVoiceSteps()
{
    if (selected_ < 0)
        return false;
    voiceHint_ = voices_[selected_];
    const int mode = modeOf(voices_[selected_]);
    if (mode == 0)
        return false;
    if (!firstDisplay_) {
        try {
            engine_.Select(mode);
        } catch (const std::exception&) {
            return false; // the voice can no longer be used: the labels keep what they showed
        }
        voicePending_ = false;
    }
    information_.name = engine_.Speaker(mode);
    if (const std::optional<QString> language = voiceLanguageName(engine_.LanguageID(mode)))
        information_.language = *language;
    information_.gender = voiceGenderName(engine_.Gender(mode));
    // Most voices do not say their age: 0 is shown as such rather than as an age of 0.
    const int age = engine_.Age(mode);
    information_.age = age > 0 ? QString::number(age) : QStringLiteral("not given");
    if (firstDisplay_) {
        firstDisplay_ = false;
        setTrackBar(speedRange_.minimum(), speedRange_.maximum(), values_.speed);
        speedHint_ = wordsPerMinute(values_.speed);
    } else {
        probeSpeedRange();
    }
    return true;
}

void SpeechProperties::probeSpeedRange()
{
    speedRange_.heedAttribChanges(false);
    const auto heed = qScopeGuard([this] { speedRange_.heedAttribChanges(true); });
    const int remembered = engine_.Speed();
    engine_.SetSpeed(0);
    const int minimum = engine_.Speed();
    engine_.SetSpeed(-1);
    const int maximum = engine_.Speed();
    speedRange_.set(minimum, maximum);
    setTrackBar(minimum, maximum, speedPosition_);
    speedRange_.heedAttribChanges(true);
    moveTrackBar(remembered);
}

void SpeechProperties::setTrackBar(int minimum, int maximum, int position)
{
    trackBarSetting_ = true;
    speedShown_ = true;
    speedMin_ = minimum;
    speedMax_ = std::max(minimum, maximum);
    speedPosition_ = std::clamp(position, speedMin_, speedMax_);
    trackBarSetting_ = false;
}

void SpeechProperties::moveSpeed(int position)
{
    moveTrackBar(position);
    Q_EMIT changed();
}

void SpeechProperties::moveTrackBar(int position)
{
    speedPosition_ = speedShown_ ? std::clamp(position, speedMin_, speedMax_) : position;
    speedShown_ = true;
    speedChanged();
}

void SpeechProperties::speedChanged()
{
    if (trackBarSetting_)
        return;
    ensureVoice();
    const bool wasBusy = busy_;
    busy_ = true;
    speedHint_ = wordsPerMinute(speedPosition_);
    engine_.SetSpeed(speedPosition_);
    values_.speed = speedPosition_;
    busy_ = wasBusy;
}

void SpeechProperties::ensureVoice()
{
    if (!voicePending_)
        return;
    voicePending_ = false;
    if (selected_ < 0)
        return;
    if (const int mode = modeOf(voices_[selected_])) {
        try {
            engine_.Select(mode);
        } catch (const std::exception&) {
            // The engine keeps the voice it has.
        }
    }
}

void SpeechProperties::preview()
{
    ensureVoice();
    engine_.SetDevice(values_.device);
    engine_.Speak(kTestSentence);
}

void SpeechProperties::advanced()
{
    ensureVoice();
    engine_.SetSuppressExceptions(1);
    const auto restore = qScopeGuard([this] { engine_.SetSuppressExceptions(0); });
    if (hooks_.showEngineSettings)
        hooks_.showEngineSettings();
}

void SpeechProperties::attribChanged()
{
    if (busy_)
        return;
    moveTrackBar(engine_.Speed());
    Q_EMIT changed();
}

std::vector<int> SpeechProperties::voiceLanguages() const
{
    // One pass over the modes: the service offers thousands of voices.
    const int count = engine_.ModeCount();
    QHash<QString, int> modes;
    modes.reserve(count);
    for (int mode = count; mode >= 1; --mode)
        modes.insert(engine_.ModeName(mode), mode); // the first mode of a name wins, as in modeOf
    std::vector<int> languages;
    languages.reserve(static_cast<std::size_t>(voices_.size()));
    for (const QString& name : voices_) {
        const int mode = modes.value(name);
        languages.push_back(mode > 0 ? engine_.LanguageID(mode) : 0);
    }
    return languages;
}

int SpeechProperties::modeOf(const QString& name) const
{
    const int count = engine_.ModeCount();
    for (int mode = 1; mode <= count; ++mode)
        if (engine_.ModeName(mode) == name)
            return mode;
    return 0;
}

void SpeechProperties::selectByName(const QString& name, bool fallBackToFirst)
{
    selected_ = static_cast<int>(voices_.indexOf(name));
    if (selected_ < 0 && fallBackToFirst && !voices_.isEmpty())
        selected_ = 0;
}

SpeechProperties::BusyPeriod SpeechProperties::busyPeriod()
{
    busy_ = true;
    busyCursor(true);
    return BusyPeriod(this);
}

SpeechProperties::BusyPeriod::~BusyPeriod()
{
    owner_->busyCursor(false);
    owner_->busy_ = false;
    Q_EMIT owner_->changed();
}

void SpeechProperties::busyCursor(bool on) const
{
    if (hooks_.setBusyCursor)
        hooks_.setBusyCursor(on);
}

} // namespace narrix
