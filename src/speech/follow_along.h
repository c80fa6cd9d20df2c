#pragma once

#include "speech/follow_along_map.h"

#include <QObject>
#include <string_view>

namespace narrix {

class SpeechEngine;

// Follow-along reading: while the document is read aloud, reports the part of the document whose
// audio is playing now. Reading control tells it what document text it queued; the engine's sentence
// events are mapped back to document positions.
class FollowAlong : public QObject
{
    Q_OBJECT
public:
    explicit FollowAlong(SpeechEngine& engine, QObject* parent = nullptr);

    // The View menu's switch; off clears the highlight at once.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }

    // The document text `original` (starting at document position `base`) was cleaned into `cleaned`
    // and queued as the engine's text `engineText`.
    void documentQueued(std::string_view original, std::string_view cleaned, qsizetype base,
                        quint64 engineText);
    // Stop, the end of the reading, or an edit of the document: no position is shown any more.
    void forget();

Q_SIGNALS:
    // The sentence heard now covers document positions [start, end).
    void reading(qsizetype start, qsizetype end);
    void cleared();

private:
    void onSentence(quint64 text, qint64 start, qint64 end);

    bool enabled_ = true;
    quint64 engineText_ = 0; // 0: nothing of the document is being read
    FollowAlongMap map_;
};

} // namespace narrix
