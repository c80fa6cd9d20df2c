#pragma once

#include <QString>

namespace narrix {

class Clock;
class SourceSpeaker;

// The settings the time and date commands read, bound to the settings record.
struct TimeSettings
{
    const QString& tellTime;   // "Never", "Hourly", "Halfhourly"; anything else announces nothing
    const QString& timeStyle;  // template of the time sentence
    const QString& dateStyle;  // template of the date sentence
    const QString& hourFormat; // "12": the 12-hour clock; anything else the 24-hour clock
};

// "What's the &Time?", "What's the &Date?" and the announcements on the full or half hour, all
// speech source 3.
class TimeAnnouncements
{
public:
    TimeAnnouncements(const Clock& clock, SourceSpeaker& speaker, TimeSettings settings);

    void speakTime();
    void speakDate();
    // The time half of the 500 ms tick: announces once in the first ten seconds of the hour (or half hour).
    void tick();
    // Forgets the last announcement (the options dialog was confirmed).
    void resetMemory();

private:
    const Clock& clock_;
    SourceSpeaker& speaker_;
    TimeSettings settings_;
    // The minute 1, which no announcement has, means none has been made.
    int lastHour_ = 0;
    int lastMinute_ = 1;
};

} // namespace narrix
