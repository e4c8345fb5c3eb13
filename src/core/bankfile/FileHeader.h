#pragma once

#include <string>

#include "bankfile/RecordTemplate.h"

namespace convertor {

struct Date;

// Record 001 of a run: the company ID as typed (not trimmed), blank-filled to 12, and the date.
// Throws ConversionError for a company ID over 12 characters.
RecordTemplate<1> fileHeader(const std::string& companyId, const Date& today);

}  // namespace convertor
