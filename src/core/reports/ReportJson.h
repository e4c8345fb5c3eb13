#pragma once

#include <iosfwd>

namespace convertor {

struct ReportValue;

// {"template": ..., "variables": {...}, "datasets": {NAME: [ROW, ...]}}; a column name that
// repeats within a dataset is written NAME_1, NAME_2, ... for its later copies. Rows are written
// one at a time, so a large detail report needs no second copy in memory.
void writeReportJson(const ReportValue& report, std::ostream& out);

}  // namespace convertor
