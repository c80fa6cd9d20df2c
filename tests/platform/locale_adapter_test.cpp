#include "platform/locale_adapter.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(LocaleAdapter, EnglishMeansTheElevenClassicEnglishRegions)
{
    EXPECT_TRUE(isEnglishLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(isEnglishLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_TRUE(isEnglishLocale(QLocale::English, QLocale::TrinidadAndTobago));
    EXPECT_TRUE(isEnglishLocale(QLocale::English, QLocale::AnyTerritory));
    EXPECT_TRUE(isEnglishLocale(QLocale::C, QLocale::AnyTerritory));
    EXPECT_FALSE(isEnglishLocale(QLocale::English, QLocale::India));
    EXPECT_FALSE(isEnglishLocale(QLocale::English, QLocale::Singapore));
    EXPECT_FALSE(isEnglishLocale(QLocale::German, QLocale::Germany));
    EXPECT_FALSE(isEnglishLocale(QLocale::French, QLocale::Canada));
}

TEST(LocaleAdapter, FixedLocaleGivesItsDecimalSeparator)
{
    EXPECT_EQ(FixedLocale(QLocale(QLocale::German, QLocale::Germany)).decimalSeparator(), QLatin1Char(','));
    EXPECT_EQ(FixedLocale(QLocale(QLocale::English, QLocale::Ireland)).decimalSeparator(), QLatin1Char('.'));
    EXPECT_TRUE(isEnglishLocale(FixedLocale(QLocale(QLocale::English, QLocale::Ireland))));
}

} // namespace
} // namespace narrix
