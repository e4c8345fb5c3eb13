#pragma once

#include <span>
#include <string>
#include <vector>

#include "reports/ReportValue.h"

namespace convertor {

// The selects behind the report datasets, built from the schema's names.

// "select * from TABLE"
std::string selectAll(const char* table);

// The two joins the cheque report reads, as its layout expects them (column order included).
const std::string& withholdingTaxQuery();
const std::string& invoiceQuery();

// The tax ("wht") and invoice ("invoices") rows of each cheque, by its ID and their credit ID.
std::vector<ReportValue::ChildLink> chequeChildLinks();

// Every dataset a template can reach: one a report does not hold is shown empty.
std::span<const char* const> templateDatasetNames();

}  // namespace convertor
