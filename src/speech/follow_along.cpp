#include "speech/follow_along.h"

#include "speech/speech_engine.h"

namespace narrix {

FollowAlong::FollowAlong(SpeechEngine& engine, QObject* parent) : QObject(parent)
{
    connect(&engine, &SpeechEngine::OnSentence, this, &FollowAlong::onSentence);
}

void FollowAlong::setEnabled(bool on)
{
    enabled_ = on;
    if (!on)
        forget();
}

void FollowAlong::documentQueued(std::string_view original, std::string_view cleaned, qsizetype base,
                                 quint64 engineText)
{
    if (!enabled_ || engineText == 0)
        return;
    map_ = FollowAlongMap(original, cleaned, base);
    engineText_ = engineText;
}

void FollowAlong::forget()
{
    const bool wasShown = engineText_ != 0;
    engineText_ = 0;
    map_ = FollowAlongMap();
    if (wasShown)
        Q_EMIT cleared();
}

void FollowAlong::onSentence(quint64 text, qint64 start, qint64 end)
{
    if (engineText_ == 0)
        return;
    if (text != engineText_) {
        // Another text is heard now (the document's is over, or something else came first).
        if (text > engineText_)
            forget();
        return;
    }
    const qsizetype from = map_.toDocument(start);
    Q_EMIT reading(from, std::max(from, map_.toDocument(end)));
}

} // namespace narrix
