#include "products/ChequeRecords.h"

#include <optional>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplate.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "products/PaymentLine.h"
#include "products/RecordFill.h"
#include "products/WithholdingTax.h"
#include "refdata/Schema.h"
#include "text/Numbers.h"
#include "text/Padding.h"
#include "text/Trim.h"

namespace convertor {

namespace {

std::string_view chequeMethod(char code) {
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

std::string_view taxForm(char code) {
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

std::string_view chequeMethodDetail(std::string_view method, std::string_view branch) {
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

}  // namespace

void fillChequeHead(RecordTemplate<3>& r003, const PaymentLine& line, const std::string& sequence) {
    r003.set(Record003::CreditSequence, sequence);
    r003.fill(Record003::CreditAccount, {});
    r003.setJoined(Record003::CreditAmount, {"00", line.view(47, 59), "0"});
    r003.set(Record003::BatchReference, "00000001");
    r003.set(Record003::WithholdingTaxFlag, line.column(104) == '1' ? "Y" : "N");
    r003.set(Record003::InvoiceFlag, line.column(129) == '1' ? "Y" : "N");
    r003.set(Record003::Flag3, "N");
}

std::string receivingBranchCode(const PaymentLine& line, const std::string& defaultBranchCode) {
    std::string branch = isFalseSetting(defaultBranchCode) ? "0001" : "0111";
    std::string columns = line.field(601, 605);
    if (columns == "     ") {
        return branch;
    }
    std::string text = trim(columns);
    auto value = wholeNumber(text);
    if (!value) {
        throw notAnIntegerIn(columns, " (columns 601-605, " + line.where() + ")");
    }
    if (*value < 0 || *value > 9999) {
        throw ConversionError("Branch code " + text + " in columns 601-605 of " + line.where() +
                              " does not fit the four-digit receiving branch code");
    }
    return padLeftZeros(std::to_string(*value), 4);
}

void fillChequeRest(RecordTemplate<3>& r003, const PaymentLine& line, const std::string& defaultBranchCode) {
    r003.set(Record003::ChequeMethod, chequeMethod(line.column(127)));
    r003.set(Record003::TaxForm, taxForm(line.column(414)));
    r003.set(Record003::TaxRunNumber, line.view(425, 438));
    r003.fill(Record003::TaxAttachmentNumber, trimView(line.view(439, 443)));
    if (r003.view(Record003::WithholdingTaxFlag) == "Y") {
        r003.set(Record003::TaxItemCount, taxItemCount(line));
    }
    r003.setJoined(Record003::TaxAmount, {"000000", line.view(86, 94), "0"});
    r003.setJoined(Record003::InvoiceCount, {"000", line.view(130, 132)});
    if (r003.view(Record003::InvoiceFlag) == "Y" && r003.view(Record003::InvoiceCount) != "000000") {
        r003.setJoined(Record003::InvoiceAmount, {"00", line.view(60, 72), "0"});
    }
    r003.set(Record003::TaxPaidCode, line.view(515, 515));
    r003.set(Record003::TaxText, line.view(516, 555));
    r003.setJoined(Record003::TaxDate, {line.view(415, 418), line.view(420, 421), line.view(423, 424)});
    r003.set(Record003::ReceivingBankCode, kOwnBankCode);
    r003.set(Record003::ReceivingBranchCode, receivingBranchCode(line, defaultBranchCode));
    r003.set(Record003::ChequeMethodDetail, chequeMethodDetail(r003.view(Record003::ChequeMethod),
                                                               r003.view(Record003::ReceivingBranchCode)));
    r003.set(Record003::Indicator1, "C");
    r003.set(Record003::Indicator2, "N");
    r003.set(Record003::ReferenceNumber, line.view(105, 124));
    r003.set(Record003::Indicator3, line.column(128) == '1' ? "1" : "4");
}

void fillPayee(RecordTemplate<4>& r004, const PaymentLine& line, const RecordTemplate<3>& r003) {
    r004.set(Record004::BatchReference, r003.view(Record003::BatchReference));
    r004.set(Record004::CreditSequence, r003.view(Record003::CreditSequence));
    r004.set(Record004::PayeeId, line.view(133, 147));
    fillPayeeName(r004, line.view(148, 217));
    r004.set(Record004::PayeeText1, line.view(218, 287));
    // Fifty columns each, blank-filled to the field's seventy.
    r004.fill(Record004::PayeeText2, line.view(288, 337));
    r004.fill(Record004::PayeeText3, line.view(338, 387));
    r004.set(Record004::PayeeTaxId, line.view(404, 413));
}

TableRow chequeDetailRow(const PaymentLine& line, const RecordTemplate<3>& r003,
                         const RecordTemplate<4>& r004) {
    const std::string where = line.where();
    return {
        {schema::mcpDetail::kId, r003.get(Record003::CreditSequence)},
        {schema::mcpDetail::kName, line.field(148, 217)},
        {schema::mcpDetail::kChequeAmount, amountValue(amountAt(r003.get(Record003::CreditAmount), where))},
        {schema::mcpDetail::kWhtAmount, amountValue(amountAt(r003.get(Record003::TaxAmount), where))},
        {schema::mcpDetail::kVatAmount, amountValue(amountAt("000000" + line.field(95, 103) + "0", where))},
        {schema::mcpDetail::kInvoiceAmount, amountValue(amountAt(r003.get(Record003::InvoiceAmount), where))},
        {schema::mcpDetail::kRefNo, r003.get(Record003::ReferenceNumber)},
        {schema::mcpDetail::kTaxId, r004.get(Record004::PayeeTaxId)},
        {schema::mcpDetail::kTaxAttach, r003.get(Record003::TaxAttachmentNumber)},
        {schema::mcpDetail::kTaxRun, r003.get(Record003::TaxRunNumber)},
        {schema::mcpDetail::kTaxDate, toDayMonthYear(r003.get(Record003::TaxDate))},
        {schema::mcpDetail::kTaxPaid, r003.get(Record003::TaxPaidCode)},
        {schema::mcpDetail::kTaxForm, r003.get(Record003::TaxForm)},
    };
}

}  // namespace convertor
