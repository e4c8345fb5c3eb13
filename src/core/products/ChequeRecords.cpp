#include "products/ChequeRecords.h"

#include <charconv>
#include <optional>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplates.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "products/PaymentLine.h"
#include "products/WithholdingTax.h"
#include "refdata/Schema.h"
#include "text/CodePage.h"
#include "text/Trim.h"

namespace convertor {

namespace {

std::string chequeMethod(char code) {
    switch (code) {
        case '1':
            return "P";
        case '2':
            return "C";
        case '3':
            return "M";
        default:
            return " ";
    }
}

std::string taxForm(char code) {
    switch (code) {
        case '1':
            return "01";
        case '3':
            return "02";
        case '4':
            return "03";
        case '7':
            return "53";
        default:
            return "00";
    }
}

std::string chequeMethodDetail(const std::string& method, const std::string& branch) {
    if (method == "C" && branch == "0111") {
        return "C001";
    }
    if (method == "C" && branch == "0001") {
        return "C002";
    }
    return "    ";
}

bool isFalseSetting(const std::string& value) {
    std::string upper = value;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper == "FALSE";
}

// Leading blanks are gone already; an optional sign, then digits.
std::optional<long> signedWholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long value = 0;
    if (!isDigits(text)) {
        return std::nullopt;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

void fillChequeHead(RecordTemplate& r003, const PaymentLine& line, const std::string& sequence) {
    r003.set(1, "003");
    r003.set(2, sequence);
    r003.set(3, std::string(25, ' '));
    r003.set(4, "00" + line.field(47, 59) + "0");
    r003.set(5, "THB");
    r003.set(6, "00000001");
    r003.set(7, line.column(104) == '1' ? "Y" : "N");
    r003.set(8, line.column(129) == '1' ? "Y" : "N");
    r003.set(9, "N");
}

std::string receivingBranchCode(const PaymentLine& line, const std::string& defaultBranchCode) {
    std::string branch = isFalseSetting(defaultBranchCode) ? "0001" : "0111";
    std::string columns = line.field(601, 605);
    if (columns == "     ") {
        return branch;
    }
    std::string text = trim(columns);
    auto value = signedWholeNumber(text);
    if (!value) {
        throw ConversionError(std::string(notAnInteger(toUtf8(columns)).what()) + " (columns 601-605, " +
                              line.where() + ")");
    }
    if (*value < 0 || *value > 9999) {
        throw ConversionError("Branch code " + text + " in columns 601-605 of " + line.where() +
                              " does not fit the four-digit receiving branch code");
    }
    return padLeftZeros(std::to_string(*value), 4);
}

void fillChequeRest(RecordTemplate& r003, const PaymentLine& line, const std::string& defaultBranchCode) {
    r003.set(10, chequeMethod(line.column(127)));
    r003.set(12, taxForm(line.column(414)));
    r003.set(13, line.field(425, 438));
    r003.set(14, padLeftZeros(trim(line.field(439, 443)), 6));
    if (r003.get(7) == "Y") {
        r003.set(15, taxItemCount(line));
    }
    r003.set(16, "000000" + line.field(86, 94) + "0");
    r003.set(17, "000" + line.field(130, 132));
    if (r003.get(8) == "Y" && r003.get(17) != "000000") {
        r003.set(18, "00" + line.field(60, 72) + "0");
    }
    r003.set(19, line.field(515, 515));
    r003.set(20, line.field(516, 555));
    r003.set(21, line.field(415, 418) + line.field(420, 421) + line.field(423, 424));
    r003.set(22, "014");
    r003.set(24, receivingBranchCode(line, defaultBranchCode));
    r003.set(11, chequeMethodDetail(r003.get(10), r003.get(24)));
    r003.set(26, "C");
    r003.set(27, "N");
    r003.set(28, line.field(105, 124));
    r003.set(29, line.column(128) == '1' ? "1" : "4");
}

void fillPayee(RecordTemplate& r004, const PaymentLine& line, const RecordTemplate& r003) {
    r004.set(1, "004");
    r004.set(2, r003.get(6));
    r004.set(3, r003.get(2));
    r004.set(4, line.field(133, 147));
    std::string name = line.field(148, 217);
    if (thaiTextCheck(name, 70)) {
        r004.set(5, name + std::string(30, ' '));
    } else {
        r004.set(10, name);
    }
    r004.set(6, line.field(218, 287));
    r004.set(7, line.field(288, 337) + std::string(20, ' '));
    r004.set(8, line.field(338, 387) + std::string(20, ' '));
    r004.set(9, line.field(404, 413));
}

TableRow chequeDetailRow(const PaymentLine& line, const RecordTemplate& r003, const RecordTemplate& r004) {
    const std::string where = line.where();
    return {
        {schema::ID, r003.get(2)},
        {schema::Name, line.field(148, 217)},
        {schema::CAmount, amountValue(amountAt(r003.get(4), where))},
        {schema::WhtAmount, amountValue(amountAt(r003.get(16), where))},
        {schema::VatAmount, amountValue(amountAt("000000" + line.field(95, 103) + "0", where))},
        {schema::InvoiceAmount, amountValue(amountAt(r003.get(18), where))},
        {schema::RefNo, r003.get(28)},
        {schema::TaxId, r004.get(9)},
        {schema::TaxAttach, r003.get(14)},
        {schema::TaxRun, r003.get(13)},
        {schema::TaxDate, toDayMonthYear(r003.get(21))},
        {schema::TaxPaid, r003.get(19)},
        {schema::TaxForm, r003.get(12)},
    };
}

}  // namespace convertor
