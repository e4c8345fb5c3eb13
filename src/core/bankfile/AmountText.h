#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace convertor {

// The 16-character amount text has three implied decimals, so its digits are whole thousandths.
// Empty optional when the text is not 16 plain digits (a leading "-" is allowed when signed).
std::optional<std::int64_t> amountThousandths(std::string_view text16, bool allowSign = false);

// Thousandths as the value kept in the float columns of the working tables.
inline double amountValue(std::int64_t thousandths) {
    return static_cast<double>(thousandths) / 1000.0;
}

// The 16-character total text of a sum of amount texts, or empty when it does not fit.
std::optional<std::string> totalText(std::int64_t thousandths);

// "0000000000124000" -> "0000000000124.000"
std::string amountWithPoint(std::string_view text16);

}  // namespace convertor
