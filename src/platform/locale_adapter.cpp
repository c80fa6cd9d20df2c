#include "platform/locale_adapter.h"

namespace narrix {
namespace {

QChar firstChar(const QString& text)
{
    return text.isEmpty() ? QLatin1Char('.') : text.at(0);
}

} // namespace

QChar SystemLocale::decimalSeparator() const
{
    return firstChar(QLocale::system().decimalPoint());
}

QLocale::Language SystemLocale::language() const
{
    return QLocale::system().language();
}

QLocale::Territory SystemLocale::territory() const
{
    return QLocale::system().territory();
}

QChar FixedLocale::decimalSeparator() const
{
    return firstChar(locale_.decimalPoint());
}

bool isEnglishLocale(QLocale::Language language, QLocale::Territory territory)
{
    if (language == QLocale::C)
        return true;
    if (language != QLocale::English)
        return false;
    switch (territory) {
    case QLocale::UnitedStates:
    case QLocale::UnitedKingdom:
    case QLocale::Australia:
    case QLocale::Canada:
    case QLocale::NewZealand:
    case QLocale::Ireland:
    case QLocale::SouthAfrica:
    case QLocale::Jamaica:
    case QLocale::Belize:
    case QLocale::TrinidadAndTobago:
    case QLocale::AnyTerritory: // plain "en"
        return true;
    default:
        return false;
    }
}

} // namespace narrix
