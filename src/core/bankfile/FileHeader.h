#pragma once

#include <string>

namespace convertor {

struct ConversionState;
struct Date;

// Record 001 and its CR LF into the line buffer; the company ID field blank-filled to 12.
void buildFileHeader(ConversionState& state, const std::string& companyId, const Date& today);

}  // namespace convertor
