#pragma once

#include <QString>
#include <QtGlobal>

namespace narrix {

// The status bar texts of a web transfer's events.
class TransferStatusText
{
public:
    // A status change: " " + text, plus " (Press Esc if you want to cancel)" unless the text is
    // exactly "Disconnected.".
    static QString status(const QString& text);
    // Work begins with an expected total (0 or less: unknown).
    void begin(qint64 expectedTotal) { expected_ = expectedTotal; }
    // Work progress: " Receiving data... (N/M, press Esc if you want to cancel)", without "/M"
    // when the total is unknown.
    QString progress(qint64 count) const;

private:
    qint64 expected_ = 0;
};

} // namespace narrix
