#include "products/PaymentLine.h"

#include <charconv>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplates.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "text/CodePage.h"
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
        throw ConversionError(std::string(notAFloat(toUtf8(text16)).what()) + " (" + where + ")");
    }
    return *value;
}

long countAt(std::string_view text, const std::string& where) {
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ') {
        digits.remove_prefix(1);
    }
    long value = 0;
    if (isDigits(digits)) {
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc() && end == digits.data() + digits.size()) {
            return value;
        }
    }
    throw ConversionError(std::string(notAnInteger(toUtf8(text)).what()) + " (" + where + ")");
}

void writeRecord(BankFileAssembly& bank, const RecordTemplate& record) {
    std::string line = record.line();
    for (char& byte : line) {
        if (static_cast<unsigned char>(byte) < 0x20) {
            byte = ' ';
        }
    }
    bank.writeRecordLine(line);
}

}  // namespace convertor
