#include "settings/settings_text.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(SettingsText, IntegersAcceptLeadingBlanksAndSignsOnly)
{
    EXPECT_EQ(parseInt32(u"150"), 150);
    EXPECT_EQ(parseInt32(u"  -7"), -7);
    EXPECT_EQ(parseInt32(u"+12"), 12);
    EXPECT_EQ(parseInt32(u"-16777208"), -16777208);
    EXPECT_EQ(parseInt32(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (const char16_t* bad :
         {u"", u" ", u"-", u"12 ", u"1.5", u"abc", u"12abc", u"0x10", u"2147483648", u"--1", u"1e3"})
        EXPECT_FALSE(parseInt32(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(SettingsText, Int64CoversTheWholeRange)
{
    EXPECT_EQ(parseInt64(u"4294967295"), 4294967295LL);
    EXPECT_EQ(parseInt64(u"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(parseInt64(u"9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(parseInt64(u"9223372036854775808").has_value());
    EXPECT_FALSE(parseInt64(u"-9223372036854775809").has_value());
}

TEST(SettingsText, RealsUseTheGivenSeparator)
{
    EXPECT_DOUBLE_EQ(*parseReal(u"0.54", QLatin1Char('.')), 0.54);
    EXPECT_DOUBLE_EQ(*parseReal(u"0,54", QLatin1Char(',')), 0.54);
    EXPECT_DOUBLE_EQ(*parseReal(u" 1E-6 ", QLatin1Char('.')), 1e-6);
    EXPECT_DOUBLE_EQ(*parseReal(u"2,5e3", QLatin1Char(',')), 2500);
    EXPECT_DOUBLE_EQ(*parseReal(u".5", QLatin1Char('.')), 0.5);
    EXPECT_DOUBLE_EQ(*parseReal(u"-3", QLatin1Char('.')), -3);
    EXPECT_EQ(*parseReal(u"1e-320", QLatin1Char('.')), 0); // too small for a double: zero
    // The other separator is no number: a file written under one regional setting and read under
    // another fails to parse.
    EXPECT_FALSE(parseReal(u"0.54", QLatin1Char(',')).has_value());
    EXPECT_FALSE(parseReal(u"0,54", QLatin1Char('.')).has_value());
    for (const char16_t* bad : {u"", u".", u"e5", u"1e", u"1e+", u"abc", u"1.2.3", u"nan", u"inf", u"1e999"})
        EXPECT_FALSE(parseReal(bad, QLatin1Char('.')).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(SettingsText, RealsAreWrittenInGeneralFormatWith15Digits)
{
    const QChar dot = QLatin1Char('.');
    EXPECT_EQ(formatReal(0.54, dot), QStringLiteral("0.54"));
    EXPECT_EQ(formatReal(254.0 / 470.0, dot), QStringLiteral("0.540425531914894"));
    EXPECT_EQ(formatReal(2.0 / 3.0, dot), QStringLiteral("0.666666666666667"));
    EXPECT_EQ(formatReal(0.66, QLatin1Char(',')), QStringLiteral("0,66"));
    EXPECT_EQ(formatReal(1, dot), QStringLiteral("1"));
    EXPECT_EQ(formatReal(0, dot), QStringLiteral("0"));
    EXPECT_EQ(formatReal(-2.5, dot), QStringLiteral("-2.5"));
    EXPECT_EQ(formatReal(0.00005, dot), QStringLiteral("0.00005"));
    EXPECT_EQ(formatReal(0.000001, dot), QStringLiteral("1E-6"));
    EXPECT_EQ(formatReal(1.5e-7, QLatin1Char(',')), QStringLiteral("1,5E-7"));
    EXPECT_EQ(formatReal(123456789012345.0, dot), QStringLiteral("123456789012345"));
    EXPECT_EQ(formatReal(1234567890123456.0, dot), QStringLiteral("1.23456789012346E15"));
}

TEST(SettingsText, WrittenRealsReadBackToTheSameText)
{
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        for (int width = 1; width <= 2000; width += 7) {
            for (const int pane : {0, width / 3, width / 2, width - 1}) {
                const QString text = formatReal(double(pane) / width, separator);
                const auto back = parseReal(text, separator);
                ASSERT_TRUE(back.has_value()) << text.toStdString();
                EXPECT_EQ(formatReal(*back, separator), text);
            }
        }
    }
}

} // namespace
} // namespace narrix
