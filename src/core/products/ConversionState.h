#pragma once

#include <string>

#include "bankfile/RecordTemplates.h"
#include "bankfile/RejectionLog.h"
#include "products/ReformatSettings.h"

namespace convertor {

// Lives for the whole process and is shared by the request, the converters and the reports.
struct ConversionState {
    std::string lineBuffer;      // record 001 and its CR LF after BuildFileHeader
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

}  // namespace convertor
