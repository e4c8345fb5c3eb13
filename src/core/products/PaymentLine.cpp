#include "products/PaymentLine.h"

#include <algorithm>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "base/ConversionError.h"
#include "text/Trim.h"

namespace convertor {

std::string PaymentLine::field(std::size_t first, std::size_t last) const {
    return paddedColumns(m_text, first, last);
}

char PaymentLine::column(std::size_t position) const {
    return position >= 1 && position <= m_text.size() ? m_text[position - 1] : ' ';
}

std::string PaymentLine::where() const {
    return "payment file line " + std::to_string(m_number);
}

std::int64_t amountAt(std::string_view text16, const std::string& where, bool allowSign) {
    auto value = amountThousandths(text16, allowSign);
    if (!value) {
        throw notAFloatIn(text16, " (" + where + ")");
    }
    return *value;
}

long countAt(std::string_view text, const std::string& where) {
    std::string_view digits = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    if (isDigits(digits)) {
        if (auto value = wholeNumber(digits)) {
            return *value;
        }
    }
    throw notAnIntegerIn(text, " (" + where + ")");
}

}  // namespace convertor
