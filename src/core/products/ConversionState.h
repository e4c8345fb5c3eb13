#pragma once

#include <string>

#include "bankfile/RecordTemplate.h"
#include "bankfile/RejectionLog.h"
#include "products/ReformatSettings.h"

namespace convertor {

// Lives for the whole process and is shared by the request, the converters and the reports.
struct ConversionState {
    std::string lineBuffer;      // record 001 and its CR LF after buildFileHeader
    std::string companyIdField;  // company ID blank-filled to 12
    ReformatSettings settings;
    RunSummary runSummary;
    RecordTemplates templates;
    std::string destinationDirectory;  // up to and including the last separator; may be empty
    std::string productCode;
    RejectionFlags rejectionFlags;
    bool success = false;
    std::string hashValue;  // what the Hash Value field shows
};

struct Date;

// Record 001 and its CR LF into the line buffer; the company ID field blank-filled to 12.
void buildFileHeader(ConversionState& state, const std::string& companyId, const Date& today);

}  // namespace convertor
