#include "schedule/time_separator.h"

namespace narrix {

std::string timeSeparatorOf(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && format[i] != u'h' && format[i] != u'H')
        ++i;
    while (i < format.size() && (format[i] == u'h' || format[i] == u'H'))
        ++i;
    const qsizetype start = i;
    while (i < format.size() && format[i] != u'm')
        ++i;
    if (i == format.size() || i == start)
        return ":";
    QString separator = format.mid(start, i - start);
    separator.remove(u'\''); // quoted literal text in the format
    return separator.isEmpty() ? std::string(":") : separator.toStdString();
}

} // namespace narrix
