#pragma once

#include "base/Clock.h"
#include "reports/ReportValue.h"

namespace convertor {

struct ConversionRequest;
struct RunResult;
class TableStore;

// The report a run ends with, as its result and request give it: the result report, or with
// "Print detail" the product's detail report, whose datasets read the working tables. The report
// is printed on the run's date.
ReportValue buildReport(const RunResult& result, const ConversionRequest& request, TableStore& tables,
                        const Date& today);

// The parts of it, by the kind of report.
ReportValue resultReport(const RunResult& result, const ConversionRequest& request);
ReportValue dcpDetailReport(const RunResult& result, const ConversionRequest& request, TableStore& tables);
ReportValue mclDetailReport(const RunResult& result, const ConversionRequest& request, TableStore& tables);
ReportValue mcpDetailReport(const RunResult& result, const ConversionRequest& request, TableStore& tables);

}  // namespace convertor
