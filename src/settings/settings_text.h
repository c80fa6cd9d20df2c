#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace narrix {

// The text forms of stored numbers. Parsers accept blanks before the number (and after a real), an
// optional sign and decimal digits; anything else is no number.
std::optional<std::int32_t> parseInt32(QStringView text);
std::optional<std::int64_t> parseInt64(QStringView text);
// A real with the given decimal separator and an optional exponent ("1E-6", "2,5e3").
std::optional<double> parseReal(QStringView text, QChar decimalSeparator);

// General format with up to 15 significant digits: fixed notation from 0.00001 up to 15 integer
// digits, otherwise "1.5E-6" style; no trailing zeros.
QString formatReal(double value, QChar decimalSeparator);

} // namespace narrix
