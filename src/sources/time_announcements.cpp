#include "sources/time_announcements.h"

#include "platform/clock.h"
#include "sources/source_speaker.h"
#include "sources/time_phrases.h"

namespace narrix {

TimeAnnouncements::TimeAnnouncements(const Clock& clock, SourceSpeaker& speaker, TimeSettings settings)
    : clock_(clock), speaker_(speaker), settings_(settings)
{
}

// The current source becomes TimeDate only when something is queued (SpeakBuffer sets it): an empty
// template must not leave it at TimeDate, which would keep real-time and clipboard speech silent until
// another source finished speaking.
void TimeAnnouncements::speakTime()
{
    if (speaker_.currentSource() > SpeechSource::TimeDate)
        return;
    const std::string phrase = timePhrase(clock_.now().time(), settings_.hourFormat == QStringLiteral("12"));
    speaker_.speak(SpeechSource::TimeDate, fillTemplate(settings_.timeStyle.toStdString(), phrase));
}

void TimeAnnouncements::speakDate()
{
    const std::string phrase = datePhrase(clock_.now().date());
    if (speaker_.currentSource() > SpeechSource::TimeDate)
        return;
    speaker_.speak(SpeechSource::TimeDate, fillTemplate(settings_.dateStyle.toStdString(), phrase));
}

void TimeAnnouncements::tick()
{
    const QString& tellTime = settings_.tellTime;
    const bool hourly = tellTime == QStringLiteral("Hourly");
    if (!hourly && tellTime != QStringLiteral("Halfhourly"))
        return;
    const QTime now = clock_.now().time();
    const int minute = now.minute();
    if (now.second() >= 10 || !(minute == 0 || (!hourly && minute == 30)))
        return;
    const bool announcedBefore = lastMinute_ != 1;
    // Hourly compares the hour only, half-hourly the hour and the minute.
    if (announcedBefore && now.hour() == lastHour_ && (hourly || minute == lastMinute_))
        return;
    // Written before the time command runs: an announcement it declines is not tried again.
    lastHour_ = now.hour();
    lastMinute_ = minute;
    speakTime();
}

void TimeAnnouncements::resetMemory()
{
    lastHour_ = 0;
    lastMinute_ = 1;
}

} // namespace narrix
