#include "products/PaymentLine.h"

#include <algorithm>
#include <stdexcept>

#include "bankfile/AmountText.h"
#include "base/ConversionError.h"
#include "text/Numbers.h"
#include "text/Trim.h"

namespace convertor {

std::string PaymentLine::field(std::size_t first, std::size_t last) const {
    return paddedColumns(m_text, first, last);
}

std::string_view PaymentLine::view(std::size_t first, std::size_t last) const {
    if (first == 0 || last < first || last > kWidth) {
        throw std::out_of_range("columns " + std::to_string(first) + "-" + std::to_string(last) +
                                " of a payment line");
    }
    if (last > m_columns.size()) {
        m_filled.assign(m_text);
        m_filled.resize(kWidth, ' ');
        m_columns = m_filled;
    }
    return m_columns.substr(first - 1, last - first + 1);
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

std::optional<long> plainCount(std::string_view text) {
    std::string_view digits = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    if (isDigits(digits)) {
        return wholeNumber(digits);
    }
    return std::nullopt;
}

long countAt(std::string_view text, const std::string& where) {
    if (auto value = plainCount(text)) {
        return *value;
    }
    throw notAnIntegerIn(text, " (" + where + ")");
}

}  // namespace convertor
