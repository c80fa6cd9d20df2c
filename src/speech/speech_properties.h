#pragma once

#include "speech/engine_speed_range.h"
#include "speech/voice_database.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace narrix {

class SpeechEngine;

// What the speech properties dialog takes and gives back: the shared settings it reads and changes.
struct SpeechPropertiesValues
{
    QString voice;
    int speed = 150;
    int device = -1; // the test sentence plays here
};

// The four value labels of the voice information.
struct VoiceInformation
{
    QString name;
    QString language;
    QString gender;
    QString age;
    bool operator==(const VoiceInformation&) const = default;
};

// The logic of the speech properties dialog over its own engine: the voice database (scanned on the
// first opening and by Rescan), the voice display with its speed-range probe, the speed track bar,
// Preview and Advanced. The dialog shows the state below after each `changed` and reports the user's
// actions; every change reaches the main engine at once (the engines share their speed; the main
// window's attribute-change handling is off while the range is probed).
class SpeechProperties : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void()> showScanMessage;    // the information box before the first scan
        std::function<void(bool)> setBusyCursor;  // hourglass on (true) and off
        std::function<void()> showEngineSettings; // the engine's settings dialog, owned by the dialog
    };

    static const QString kScanMessage;
    static const QString kTestSentence;

    SpeechProperties(SpeechEngine& engine, EngineSpeedRange speedRange, VoiceDatabase database, Hooks hooks,
                     QObject* parent = nullptr);

    // The opening of the dialog: reads the database (or scans after the message) and shows the
    // stored voice.
    void open(const SpeechPropertiesValues& values);
    const SpeechPropertiesValues& values() const { return values_; }

    // The user's actions.
    void pickVoice(int index);
    void moveSpeed(int position);
    void rescan();
    void preview();
    void advanced();

    // What the dialog shows.
    const QStringList& voices() const { return voices_; }
    // The language code of each listed voice (0 for one the engine no longer has).
    std::vector<int> voiceLanguages() const;
    int selectedVoice() const { return selected_; } // -1: none
    const QString& voiceHint() const { return voiceHint_; }
    const VoiceInformation& information() const { return information_; }
    bool speedShown() const { return speedShown_; }
    int speedMinimum() const { return speedMin_; }
    int speedMaximum() const { return speedMax_; }
    int speedPosition() const { return speedPosition_; }
    const QString& speedHint() const { return speedHint_; }
    // How many scans ran (tests, the benchmark).
    int scans() const { return scans_; }

Q_SIGNALS:
    void changed();

private:
    void scan();
    void displayVoice();
    bool displayVoiceSteps();
    void probeSpeedRange();
    void setTrackBar(int minimum, int maximum, int position);
    void moveTrackBar(int position);
    void speedChanged();
    void ensureVoice();
    int modeOf(const QString& name) const;
    void selectByName(const QString& name, bool fallBackToFirst);
    void attribChanged();
    void busyCursor(bool on) const;
    // Busy with the hourglass until it ends; then the dialog is told to show the new state.
    class BusyPeriod
    {
    public:
        explicit BusyPeriod(SpeechProperties* owner) : owner_(owner) {}
        ~BusyPeriod();
        BusyPeriod(const BusyPeriod&) = delete;
        BusyPeriod& operator=(const BusyPeriod&) = delete;

    private:
        SpeechProperties* owner_;
    };
    BusyPeriod busyPeriod();

    SpeechEngine& engine_;
    EngineSpeedRange speedRange_;
    VoiceDatabase database_;
    Hooks hooks_;
    SpeechPropertiesValues values_;

    QStringList voices_;
    int selected_ = -1;
    QString voiceHint_;
    VoiceInformation information_;
    bool speedShown_ = false;
    int speedMin_ = 0;
    int speedMax_ = 0;
    int speedPosition_ = 0;
    QString speedHint_;
    int scans_ = 0;

    bool firstDisplay_ = true;
    bool voicePending_ = true;
    bool trackBarSetting_ = false;
    bool busy_ = false;
};

} // namespace narrix
