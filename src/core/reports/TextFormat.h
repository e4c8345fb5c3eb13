#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"

namespace convertor {

// How a report prints numbers and dates.

// 1234567.5 -> "1,234,567.50"; negative values keep their sign in front, but for one that
// rounds to zero. A value too large for that form, or not finite, prints as rawNumber does.
std::string formatMoney(double value);
void appendMoney(std::string& out, double value);

// The shortest text that reads back the same value: 0.1 -> "0.1", 2.0 -> "2".
std::string rawNumber(double value);
void appendRawNumber(std::string& out, double value);

// DD/MM/YYYY.
std::string dayMonthYear(const Date& date);

// A text such as "0000000000124.000" or "-3.5" as its number; nothing for any other text (no
// point, no digits on either side of it, signs but a leading minus, exponents, spaces).
std::optional<double> decimalNumber(std::string_view text);

}  // namespace convertor
