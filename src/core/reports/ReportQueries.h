#pragma once

#include <string>

namespace convertor {

// The selects behind the report datasets, built from the schema's names.

// "select * from TABLE"
std::string selectAll(const char* table);

// The two joins the cheque report reads, as its layout expects them (column order included).
const std::string& withholdingTaxQuery();
const std::string& invoiceQuery();

}  // namespace convertor
