#pragma once

#include <filesystem>
#include <string>

#include "reports/ReportValue.h"

namespace convertor {

// Reads back a report written as JSON by the command line, so a saved run can be rendered again.
// Columns come from the keys of each dataset's first row, in their written order; numbers become
// float values, texts texts and null an empty value. Throws ConversionError on malformed input.
ReportValue reportFromJson(const std::string& json);
ReportValue readReportJson(const std::filesystem::path& file);

}  // namespace convertor
