#pragma once

#include <QChar>
#include <QLocale>

namespace narrix {

// The user's regional settings as the program needs them. The real one reads the system locale;
// tests pin a locale of their choice.
class LocaleAdapter
{
public:
    virtual ~LocaleAdapter() = default;
    // Decimal separator of real numbers stored as text (Split1, Split2).
    virtual QChar decimalSeparator() const = 0;
    virtual QLocale::Language language() const = 0;
    virtual QLocale::Territory territory() const = 0;
};

// Reads QLocale::system() on every call, so a change of the regional settings is seen at once.
class SystemLocale final : public LocaleAdapter
{
public:
    QChar decimalSeparator() const override;
    QLocale::Language language() const override;
    QLocale::Territory territory() const override;
};

// A fixed locale, e.g. QLocale(QLocale::German, QLocale::Germany).
class FixedLocale final : public LocaleAdapter
{
public:
    explicit FixedLocale(const QLocale& locale) : locale_(locale) {}
    QChar decimalSeparator() const override;
    QLocale::Language language() const override { return locale_.language(); }
    QLocale::Territory territory() const override { return locale_.territory(); }

private:
    QLocale locale_;
};

// True for the English sub-languages 1 to 11 of the Windows locale numbering (United States, United
// Kingdom, Australia, Canada, New Zealand, Ireland, South Africa, Jamaica, Caribbean, Belize, Trinidad),
// for English without a territory and for the C locale, which behaves as United States English. The
// Caribbean has no territory of its own in Qt's numbering and is not recognised.
bool isEnglishLocale(QLocale::Language language, QLocale::Territory territory);

inline bool isEnglishLocale(const LocaleAdapter& locale)
{
    return isEnglishLocale(locale.language(), locale.territory());
}

} // namespace narrix
