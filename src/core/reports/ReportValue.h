#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "refdata/TableValue.h"

namespace convertor {

// One dataset a template can reach (schema::dataset names them). Texts are UTF-8.
struct ReportDataset {
    std::string name;
    std::vector<std::string> columns;  // as the source gives them; repeats allowed
    std::vector<std::vector<TableValue>> rows;
};

// What a run hands to the front end to show: the template, its variables in the order they are
// set (UTF-8 texts) and the datasets the template can reach.
struct ReportValue {
    std::string templateName;  // "rptResult.frf", ...
    std::vector<std::pair<std::string, std::string>> variables;
    std::vector<ReportDataset> datasets;
    std::optional<Date> printedOn;  // the run's date; a report read back from a file has none

    const std::string* variable(const std::string& name) const;
    const ReportDataset* dataset(const std::string& name) const;
};

class TableStore;

// A dataset holding every row of a select over the tables.
ReportDataset queryDataset(TableStore& tables, const std::string& name, const std::string& sql);

// Column names as a report shows them: later copies of a repeated name become NAME_1, NAME_2, ...
std::vector<std::string> uniqueColumnNames(const std::vector<std::string>& columns);

}  // namespace convertor
