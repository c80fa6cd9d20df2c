#include "settings/settings_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace narrix {
namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype skipBlanks(QStringView text, qsizetype at)
{
    while (at < text.size() && (text[at] == QLatin1Char(' ') || text[at] == QLatin1Char('\t')))
        ++at;
    return at;
}

} // namespace

std::optional<std::int64_t> parseInt64(QStringView text)
{
    qsizetype at = skipBlanks(text, 0);
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-'))) {
        negative = text[at] == QLatin1Char('-');
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    // Accumulate as a negative number so that the most negative value fits.
    std::int64_t value = 0;
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    for (; at < text.size(); ++at) {
        if (!isDigit(text[at]))
            return std::nullopt;
        const int digit = text[at].unicode() - u'0';
        if (value < (lowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest)
            return std::nullopt;
        value = -value;
    }
    return value;
}

std::optional<std::int32_t> parseInt32(QStringView text)
{
    const auto value = parseInt64(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<double> parseReal(QStringView text, QChar decimalSeparator)
{
    // Rebuild the number in the C form for from_chars, checking the shape on the way.
    std::string plain;
    qsizetype at = skipBlanks(text, 0);
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-'))) {
        if (text[at] == QLatin1Char('-'))
            plain += '-';
        ++at;
    }
    int digits = 0;
    for (; at < text.size() && isDigit(text[at]); ++at, ++digits)
        plain += static_cast<char>(text[at].unicode());
    if (at < text.size() && text[at] == decimalSeparator) {
        plain += '.';
        for (++at; at < text.size() && isDigit(text[at]); ++at, ++digits)
            plain += static_cast<char>(text[at].unicode());
    }
    if (digits == 0)
        return std::nullopt;
    if (at < text.size() && (text[at] == QLatin1Char('e') || text[at] == QLatin1Char('E'))) {
        plain += 'e';
        ++at;
        if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-'))) {
            plain += static_cast<char>(text[at].unicode());
            ++at;
        }
        int exponentDigits = 0;
        for (; at < text.size() && isDigit(text[at]); ++at, ++exponentDigits)
            plain += static_cast<char>(text[at].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (skipBlanks(text, at) != text.size())
        return std::nullopt;
    // strtod in the C locale: unlike from_chars it rounds values too small for a double to zero.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    char* end = nullptr;
    double value = strtod_l(plain.c_str(), &end, cLocale);
    if (end != plain.c_str() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    // Subnormal numbers do not survive printing with 15 digits: they count as 0.
    if (std::fabs(value) < std::numeric_limits<double>::min())
        value = 0;
    return value;
}

QString formatReal(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (std::fabs(value) < std::numeric_limits<double>::min())
        return QStringLiteral("0");
    // 15 significant digits, then read back digits and exponent.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string scientific(buffer, result.ptr);
    const auto ePos = scientific.find('e');
    std::string mantissa = scientific.substr(0, ePos);
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    const bool negative = mantissa.front() == '-';
    std::string digits;
    for (const char c : mantissa)
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    QString out;
    if (negative)
        out += QLatin1Char('-');
    const bool fixed = std::fabs(value) >= 0.00001 && exponent < 15;
    if (fixed) {
        if (exponent >= 0) {
            const auto integerDigits = static_cast<size_t>(exponent) + 1;
            while (digits.size() < integerDigits)
                digits += '0';
            out += QString::fromLatin1(digits.substr(0, integerDigits));
            if (digits.size() > integerDigits) {
                out += decimalSeparator;
                out += QString::fromLatin1(digits.substr(integerDigits));
            }
        } else {
            out += QLatin1Char('0');
            out += decimalSeparator;
            out += QString(-exponent - 1, QLatin1Char('0'));
            out += QString::fromLatin1(digits);
        }
    } else {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += QString::fromLatin1(digits.substr(1));
        }
        out += QLatin1Char('E');
        out += QString::number(exponent);
    }
    return out;
}

} // namespace narrix
