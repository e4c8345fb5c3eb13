#include "products/WithholdingTax.h"

#include "bankfile/AmountText.h"
#include "bankfile/RecordTemplate.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "products/PaymentLine.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/JoinedText.h"
#include "text/Padding.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr std::string_view kNoTax = "000000000";
constexpr std::string_view kBlankTax = "         ";

struct ItemColumns {
    std::size_t taxFirst;
    std::size_t incomeFirst;
};
constexpr ItemColumns kThreeItems[3] = {{616, 634}, {625, 647}, {660, 669}};

std::string_view taxAt(const PaymentLine& line, int item) {
    std::size_t first = kThreeItems[item - 1].taxFirst;
    return line.view(first, first + 8);
}

std::string_view incomeAt(const PaymentLine& line, int item) {
    std::size_t first = kThreeItems[item - 1].incomeFirst;
    return line.view(first, first + 12);
}

int threeItemCount(const PaymentLine& line) {
    int count = 0;
    for (int item = 1; item <= 3; ++item) {
        count += taxAt(line, item) != kNoTax ? 1 : 0;
    }
    return count;
}

// The columns of the description; record 005 blank-fills them to 80.
std::string_view threeItemDescription(const PaymentLine& line, int item, int itemCount) {
    switch (item) {
        case 1:
            return itemCount == 1 ? line.view(445, 514) : line.view(445, 464);
        case 2:
            return line.view(465, 484);
        default:
            return line.view(485, 514);
    }
}

// A tax item as views into its line.
struct ItemView {
    int item;
    std::string_view taxAmount;
    std::string_view incomeAmount;
    std::string_view description;  // without its blank fill
};

// Calls each(ItemView) for the items that exist, in item order.
template <typename Each>
void forEachItem(const PaymentLine& line, Each&& each) {
    if (line.column(444) != '6') {
        std::string_view tax = line.view(86, 94);
        if (tax != kNoTax) {
            each(ItemView{1, tax, line.view(60, 72), {}});
        }
        return;
    }
    int count = threeItemCount(line);
    for (int item = 1; item <= 3; ++item) {
        std::string_view tax = taxAt(line, item);
        // A blank third amount counts towards field 15 but is no item.
        if (tax == kNoTax || (item == 3 && tax == kBlankTax)) {
            continue;
        }
        each(ItemView{item, tax, incomeAt(line, item), threeItemDescription(line, item, count)});
    }
}

}  // namespace

std::vector<TaxItem> taxItems(const PaymentLine& line) {
    std::vector<TaxItem> items;
    forEachItem(line, [&](const ItemView& item) {
        items.push_back({item.item, std::string(item.taxAmount), std::string(item.incomeAmount),
                         padRight(item.description, 80)});
    });
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
    if (r003.view(Record003::WithholdingTaxFlag) != "Y") {
        return;
    }
    int written = 0;
    forEachItem(line, [&](const ItemView& item) {
        ++written;
        auto where = [&] { return "tax item " + std::to_string(item.item) + ", " + line.where(); };
        JoinedText<16> taxText{"000000", item.taxAmount, "0"};
        JoinedText<16> incomeText{"00", item.incomeAmount, "0"};
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
        const char sequence[2] = {'0', static_cast<char>('0' + written)};
        const char incomeType = line.column(444);
        const char rateText[2] = {static_cast<char>('0' + rate / 10), static_cast<char>('0' + rate % 10)};
        r005.set(Record005::BatchReference, r003.view(Record003::BatchReference));
        r005.set(Record005::CreditSequence, r003.view(Record003::CreditSequence));
        r005.set(Record005::TaxSequence, std::string_view(sequence, 2));
        r005.set(Record005::TaxAmount, taxText);
        r005.setJoined(Record005::IncomeType, {"    ", std::string_view(&incomeType, 1)});
        r005.fill(Record005::IncomeDescription, item.description);
        r005.set(Record005::TaxRate, std::string_view(rateText, 2));
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
    });
}

}  // namespace convertor
