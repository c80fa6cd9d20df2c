#include "schedule/transfer_status_text.h"

#include <QCoreApplication>

namespace narrix {

QString TransferStatusText::status(const QString& text)
{
    if (text == QLatin1String("Disconnected."))
        return QLatin1Char(' ') + text;
    return QLatin1Char(' ') + text + QLatin1String(" (Press Esc if you want to cancel)");
}

QString TransferStatusText::progress(qint64 count) const
{
    if (expected_ > 0)
        return QCoreApplication::translate("StatusBar",
                                           " Receiving data... (%1/%2, press Esc if you want to cancel)")
            .arg(count)
            .arg(expected_);
    return QCoreApplication::translate("StatusBar",
                                       " Receiving data... (%1, press Esc if you want to cancel)")
        .arg(count);
}

} // namespace narrix
