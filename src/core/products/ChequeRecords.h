#pragma once

#include <string>

#include "bankfile/RecordTemplate.h"
#include "refdata/TableValue.h"

namespace convertor {

class PaymentLine;

// Record 003 fields 1 to 9 of an accepted payment line; enough to know whether it needs invoices.
void fillChequeHead(RecordTemplate<3>& r003, const PaymentLine& line, const std::string& sequence);

// The other fields of record 003. Throws ConversionError naming the line when columns 601-605 hold
// no whole number or one that does not fit four digits.
void fillChequeRest(RecordTemplate<3>& r003, const PaymentLine& line, const std::string& defaultBranchCode);

// Record 003 receiving branch code: "0111", or "0001" when the setting says FALSE, unless columns 601-605
// name one.
std::string receivingBranchCode(const PaymentLine& line, const std::string& defaultBranchCode);

// Record 004 of the payment; the payee name goes to the Thai or the English field.
void fillPayee(RecordTemplate<4>& r004, const PaymentLine& line, const RecordTemplate<3>& r003);

// The Mcp_Detail row of the payment (code page 874 texts).
TableRow chequeDetailRow(const PaymentLine& line, const RecordTemplate<3>& r003,
                         const RecordTemplate<4>& r004);

}  // namespace convertor
