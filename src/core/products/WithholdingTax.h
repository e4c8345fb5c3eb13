#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bankfile/RecordTemplate.h"

namespace convertor {

class BankFileAssembly;
class PaymentLine;
class TableStore;

// One withholding-tax item of a payment line, as its columns stand.
struct TaxItem {
    int item;                  // 1 to 3 for income type "6", 1 for the single item
    std::string taxAmount;     // 9 characters
    std::string incomeAmount;  // 13 characters
    std::string description;   // 80 characters
};

// The items that exist for the line, in item order (the withholding-tax flag is not looked at).
std::vector<TaxItem> taxItems(const PaymentLine& line);

// Record 003 withholding-tax item count of a line whose withholding-tax flag is set.
std::string taxItemCount(const PaymentLine& line);

// tax / income * 100 rounded to the nearest whole number, an exact half to the even neighbour.
// Both are thousandths; income must not be zero.
std::int64_t taxRate(std::int64_t taxThousandths, std::int64_t incomeThousandths);

// The records 005 of the payment and, when details is not null, their Wht_Detail rows. Throws
// ConversionError naming the line for an amount that is not a plain number, a zero income amount
// or a rate of 100 or more.
void writeTaxRecords(const PaymentLine& line, const RecordTemplate<3>& r003, RecordTemplate<5>& r005,
                     BankFileAssembly& bank, TableStore* details);

}  // namespace convertor
