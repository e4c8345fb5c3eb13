#pragma once

#include <string>

#include "refdata/TableValue.h"

namespace convertor {

class PaymentLine;
class RecordTemplate;

// Record 003 fields 1 to 9 of an accepted payment line; enough to know whether it needs invoices.
void fillChequeHead(RecordTemplate& r003, const PaymentLine& line, const std::string& sequence);

// The other fields of record 003. Throws ConversionError naming the line when columns 601-605 hold
// no whole number or one that does not fit four digits.
void fillChequeRest(RecordTemplate& r003, const PaymentLine& line, const std::string& defaultBranchCode);

// Record 003 field 24: "0111", or "0001" when the setting says FALSE, unless columns 601-605 name one.
std::string receivingBranchCode(const PaymentLine& line, const std::string& defaultBranchCode);

// Record 004 of the payment; the payee name goes to the Thai or the English field.
void fillPayee(RecordTemplate& r004, const PaymentLine& line, const RecordTemplate& r003);

// The Mcp_Detail row of the payment (code page 874 texts).
TableRow chequeDetailRow(const PaymentLine& line, const RecordTemplate& r003, const RecordTemplate& r004);

}  // namespace convertor
