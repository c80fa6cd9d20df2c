#include "dialogs/mail_link.h"

namespace narrix {

QString composeMailLink(const QString& destination, const QString& cc, const QString& bcc,
                        const QString& subject)
{
    QString link = QStringLiteral("mailto:") + destination;
    bool first = true;
    const auto append = [&](const char* name, const QString& value) {
        if (value.isEmpty())
            return;
        link += first ? QLatin1Char('?') : QLatin1Char('&');
        link += QLatin1String(name) + value;
        first = false;
    };
    append("SUBJECT=", subject);
    append("BCC=", bcc);
    append("CC=", cc);
    return link;
}

} // namespace narrix
