#include "bankfile/AmountText.h"

#include "text/Padding.h"

namespace convertor {

namespace {
constexpr std::int64_t kTotalLimit = 10'000'000'000'000'000;  // 10^13 in thousandths
}

std::optional<std::int64_t> amountThousandths(std::string_view text16, bool allowSign) {
    if (text16.size() != 16) {
        return std::nullopt;
    }
    bool negative = allowSign && text16[0] == '-';
    std::string_view digits = negative ? text16.substr(1) : text16;
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<std::string> totalText(std::int64_t thousandths) {
    if (thousandths < 0 || thousandths >= kTotalLimit) {
        return std::nullopt;
    }
    // Hundredths followed by one "0": the sum of amount texts already ends in 0, the rounding
    // only matters for sums of other precision.
    std::int64_t hundredths = (thousandths + 5) / 10;
    if (hundredths >= kTotalLimit / 10) {
        return std::nullopt;  // rounded up past the 16 characters
    }
    return padLeftZeros(std::to_string(hundredths) + "0", 16);
}

std::string amountWithPoint(std::string_view text16) {
    std::string text(text16);
    text.resize(16, ' ');
    return text.substr(0, 13) + "." + text.substr(13, 3);
}

}  // namespace convertor
