#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bankfile/AmountText.h"

namespace convertor {

// One line of the Manager Cheque payment file with its physical line number, so that an error
// that ends the run can say where it happened.
class PaymentLine {
public:
    // Columns past this one are never read.
    static constexpr std::size_t kWidth = 700;

    PaymentLine(std::string_view text, long number) : m_text(text), m_columns(text), m_number(number) {}
    // Views of a short line point into its blank-filled copy.
    PaymentLine(const PaymentLine&) = delete;
    PaymentLine& operator=(const PaymentLine&) = delete;

    std::string_view text() const { return m_text; }
    long number() const { return m_number; }

    // 1-based inclusive columns, blank-filled to their full width so every record keeps its width.
    std::string field(std::size_t first, std::size_t last) const;
    // The same as a view, valid as long as the line; last at most kWidth.
    std::string_view view(std::size_t first, std::size_t last) const;
    // A blank past the end of the line.
    char column(std::size_t position) const;

    // "payment file line 5"
    std::string where() const;

private:
    std::string_view m_text;
    mutable std::string_view m_columns;  // the text, or its copy blank-filled to kWidth
    mutable std::string m_filled;
    long m_number;
};

// The value of a 16-character amount text in thousandths; a text that is not a plain digit
// string (a leading "-" allowed when signed) ends the run naming the place.
std::int64_t amountAt(std::string_view text16, const std::string& where, bool allowSign = false);
// The same with the place told by where(), called only for the message.
template <std::invocable Where>
std::int64_t amountAt(std::string_view text16, Where&& where, bool allowSign = false) {
    if (auto value = amountThousandths(text16, allowSign)) {
        return *value;
    }
    return amountAt(text16, std::string(where()), allowSign);
}

// A count of lines: leading blanks, then digits only; anything else ends the run naming the place.
long countAt(std::string_view text, const std::string& where);
// countAt without a place: empty when the text is no such count.
std::optional<long> plainCount(std::string_view text);
template <std::invocable Where>
long countAt(std::string_view text, Where&& where) {
    if (auto value = plainCount(text)) {
        return *value;
    }
    return countAt(text, std::string(where()));
}

}  // namespace convertor
