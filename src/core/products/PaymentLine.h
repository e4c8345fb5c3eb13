#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace convertor {

// One line of the Manager Cheque payment file with its physical line number, so that an error
// that ends the run can say where it happened.
class PaymentLine {
public:
    PaymentLine(std::string_view text, long number) : m_text(text), m_number(number) {}

    std::string_view text() const { return m_text; }
    long number() const { return m_number; }

    // 1-based inclusive columns, blank-filled to their full width so every record keeps its width.
    std::string field(std::size_t first, std::size_t last) const;
    // A blank past the end of the line.
    char column(std::size_t position) const;

    // "payment file line 5"
    std::string where() const;

private:
    std::string_view m_text;
    long m_number;
};

// Thrown where the run stops with an operator message: no bank file and no report.
struct ChequeRunStop {
    std::string message;
};

// The value of a 16-character amount text in thousandths; a text that is not a plain digit
// string (a leading "-" allowed when signed) ends the run naming the place.
std::int64_t amountAt(std::string_view text16, const std::string& where, bool allowSign = false);

// A count of lines: leading blanks, then digits only; anything else ends the run naming the place.
long countAt(std::string_view text, const std::string& where);

}  // namespace convertor
