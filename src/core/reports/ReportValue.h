#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "refdata/TableStore.h"
#include "refdata/TableValue.h"
#include "reports/ReportTable.h"

namespace convertor {

// One dataset a template can reach (schema::dataset names them). Texts are UTF-8.
struct ReportDataset {
    ReportDataset() = default;
    ReportDataset(std::string name, std::vector<std::string> columns,
                  std::vector<std::vector<TableValue>> rows = {})
        : name(std::move(name)), columns(std::move(columns)), rows(std::move(rows)) {}

    std::string name;
    std::vector<std::string> columns;           // as the source gives them; repeats allowed
    std::vector<std::vector<TableValue>> rows;  // the rows, when the dataset holds them
    // Otherwise where the rows are read from, afresh on every pass: a detail report of a million
    // lines goes from the tables to the report file without being held. It reads the tables of
    // the run, so it must not be used once they are closed (loadRows first to keep the report).
    std::function<std::unique_ptr<QueryCursor>()> source;
    // The count and sums of the rows when they are known already, so nothing reads every row for them.
    std::shared_ptr<const ReportTable::Totals> totals;

    // The rows one at a time, from the source when there is one.
    std::unique_ptr<QueryCursor> open() const;
    // Reads the source into rows and drops it.
    void loadRows();
};

class ReportCopy;

// What a run hands to the front end to show: the template, its variables in the order they are
// set (UTF-8 texts) and the datasets the template can reach.
struct ReportValue {
    // The rows of dataset child whose childKey column holds the parentKey column of a row of
    // dataset parent: a template reaches them under that row as name (a list), name_count and
    // name_sum_COLUMN.
    struct ChildLink {
        std::string parent, parentKey, child, childKey, name;
        bool operator==(const ChildLink&) const = default;
    };

    std::string templateName;  // "rptResult.frf", ...
    std::vector<std::pair<std::string, std::string>> variables;
    std::vector<ReportDataset> datasets;
    std::vector<ChildLink> children;
    std::optional<Date> printedOn;  // the run's date; a report read back from a file has none
    // Where the datasets read their rows from when they were copied out of the run's tables.
    std::shared_ptr<const ReportCopy> copy;

    const std::string* variable(const std::string& name) const;
    const ReportDataset* dataset(const std::string& name) const;
    // Every dataset holds its rows afterwards: for a report kept after its tables are closed or
    // handed to another thread.
    void loadRows();
};

class TableStore;

// A dataset reading the rows of a select over the tables on each pass. The select is checked
// here: a missing table or column throws now, not when the report is written.
ReportDataset queryDataset(TableStore& tables, const std::string& name, const std::string& sql);

// Column names as a report shows them: later copies of a repeated name become NAME_1, NAME_2, ...
std::vector<std::string> uniqueColumnNames(const std::vector<std::string>& columns);

}  // namespace convertor
