#include "products/WithholdingTax.h"

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplate.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "products/PaymentLine.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/Trim.h"

namespace convertor {

namespace {

const std::string kNoTax = "000000000";

struct ItemColumns {
    std::size_t taxFirst;
    std::size_t incomeFirst;
};
constexpr ItemColumns kThreeItems[3] = {{616, 634}, {625, 647}, {660, 669}};

std::string taxAt(const PaymentLine& line, int item) {
    std::size_t first = kThreeItems[item - 1].taxFirst;
    return line.field(first, first + 8);
}

std::string incomeAt(const PaymentLine& line, int item) {
    std::size_t first = kThreeItems[item - 1].incomeFirst;
    return line.field(first, first + 12);
}

int threeItemCount(const PaymentLine& line) {
    int count = 0;
    for (int item = 1; item <= 3; ++item) {
        count += taxAt(line, item) != kNoTax ? 1 : 0;
    }
    return count;
}

std::string threeItemDescription(const PaymentLine& line, int item, int itemCount) {
    switch (item) {
        case 1:
            return itemCount == 1 ? line.field(445, 514) + std::string(10, ' ')
                                  : line.field(445, 464) + std::string(60, ' ');
        case 2:
            return line.field(465, 484) + std::string(60, ' ');
        default:
            return line.field(485, 514) + std::string(50, ' ');
    }
}

}  // namespace

std::vector<TaxItem> taxItems(const PaymentLine& line) {
    std::vector<TaxItem> items;
    if (line.column(444) != '6') {
        std::string tax = line.field(86, 94);
        if (tax != kNoTax) {
            items.push_back({1, tax, line.field(60, 72), std::string(80, ' ')});
        }
        return items;
    }
    int count = threeItemCount(line);
    for (int item = 1; item <= 3; ++item) {
        std::string tax = taxAt(line, item);
        // A blank third amount counts towards field 15 but is no item.
        if (tax == kNoTax || (item == 3 && tax == std::string(9, ' '))) {
            continue;
        }
        items.push_back({item, tax, incomeAt(line, item), threeItemDescription(line, item, count)});
    }
    return items;
}

std::string taxItemCount(const PaymentLine& line) {
    if (line.column(444) != '6') {
        return "01";
    }
    return "0" + std::to_string(threeItemCount(line));
}

std::int64_t taxRate(std::int64_t taxThousandths, std::int64_t incomeThousandths) {
    // Exact rational arithmetic, so 2.5 really is a half.
    std::int64_t scaled = taxThousandths * 100;
    std::int64_t quotient = scaled / incomeThousandths;
    std::int64_t twiceRemainder = (scaled % incomeThousandths) * 2;
    if (twiceRemainder > incomeThousandths || (twiceRemainder == incomeThousandths && quotient % 2 == 1)) {
        ++quotient;
    }
    return quotient;
}

void writeTaxRecords(const PaymentLine& line, const RecordTemplate<3>& r003, RecordTemplate<5>& r005,
                     BankFileAssembly& bank, TableStore* details) {
    if (r003.get(Record003::WithholdingTaxFlag) != "Y") {
        return;
    }
    int written = 0;
    for (const TaxItem& item : taxItems(line)) {
        ++written;
        const std::string where = "tax item " + std::to_string(item.item) + ", " + line.where();
        std::string taxText = "000000" + item.taxAmount + "0";
        std::string incomeText = "00" + item.incomeAmount + "0";
        std::int64_t tax = amountAt(taxText, where);
        std::int64_t income = amountAt(incomeText, where);
        if (income == 0) {
            throw ConversionError("The income amount of tax item " + std::to_string(item.item) + " in " +
                                  line.where() + " is zero, so no tax rate can be worked out");
        }
        std::int64_t rate = taxRate(tax, income);
        if (rate >= 100) {
            throw ConversionError("The tax rate " + std::to_string(rate) + " of tax item " +
                                  std::to_string(item.item) + " in " + line.where() +
                                  " does not fit the two-digit rate field");
        }
        r005.set(Record005::BatchReference, r003.get(Record003::BatchReference));
        r005.set(Record005::CreditSequence, r003.get(Record003::CreditSequence));
        r005.set(Record005::TaxSequence, "0" + std::to_string(written));
        r005.set(Record005::TaxAmount, taxText);
        r005.set(Record005::IncomeType, "    " + std::string(1, line.column(444)));
        r005.set(Record005::IncomeDescription, item.description);
        r005.set(Record005::TaxRate, padLeftZeros(std::to_string(rate), 2));
        r005.set(Record005::IncomeAmount, incomeText);
        bank.writeRecord(r005);
        if (details != nullptr) {
            details->appendRow(
                schema::whtDetail::kTable,
                {
                    {schema::whtDetail::kCreditId, r003.get(Record003::CreditSequence)},
                    {schema::whtDetail::kWhtId, r005.get(Record005::TaxSequence)},
                    {schema::whtDetail::kIncomeAmount, amountValue(income)},
                    {schema::whtDetail::kWhtAmount, amountValue(tax)},
                    {schema::whtDetail::kIncomeType, trim(r005.get(Record005::IncomeType))},
                    {schema::whtDetail::kIncomeDescription, r005.get(Record005::IncomeDescription)},
                    {schema::whtDetail::kRate, r005.get(Record005::TaxRate)},
                });
        }
    }
}

}  // namespace convertor
