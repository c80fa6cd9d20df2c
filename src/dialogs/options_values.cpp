#include "dialogs/options_values.h"

namespace narrix {
namespace {

const QString kNil = QStringLiteral("<nil>");

bool isSeparator(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

QStringList splitKeywords(const QString& stored)
{
    QStringList keywords;
    qsizetype i = 0;
    const qsizetype n = stored.size();
    while (i < n) {
        while (i < n && isSeparator(stored.at(i)))
            ++i;
        const qsizetype start = i;
        while (i < n && !isSeparator(stored.at(i)))
            ++i;
        if (i > start)
            keywords << stored.mid(start, i - start);
    }
    return keywords;
}

QString joinKeywords(const QStringList& keywords)
{
    return keywords.isEmpty() ? QStringLiteral(" ") : keywords.join(QLatin1Char(' '));
}

std::optional<QString> keywordToAdd(const QString& answer, const QStringList& keywords)
{
    QString word = answer;
    word.remove(QLatin1Char(' '));
    if (word.isEmpty() || keywords.contains(word, Qt::CaseSensitive))
        return std::nullopt;
    return word;
}

QString digitsOnly(const QString& text)
{
    QString digits;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    return digits;
}

QString greetingForBox(const QString& stored)
{
    return stored == kNil ? QString() : stored;
}

QString greetingFromBox(const QString& box)
{
    return box.isEmpty() ? kNil : box;
}

bool isDesktopWideKey(QKeyCombination keys)
{
    const Qt::Key key = keys.key();
    switch (key) {
    case Qt::Key_unknown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return false;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaStop:
    case Qt::Key_MediaPrevious:
    case Qt::Key_MediaNext:
        return true;
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return true;
    return (keys.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

} // namespace narrix
