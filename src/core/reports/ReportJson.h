#pragma once

#include <string>

namespace convertor {

struct ReportValue;

// {"template": ..., "variables": {...}, "datasets": {NAME: [ROW, ...]}}; a column name that
// repeats within a dataset is written NAME_1, NAME_2, ... for its later copies.
std::string reportToJson(const ReportValue& report);

}  // namespace convertor
