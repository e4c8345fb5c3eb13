#include "reports/ReportValue.h"

#include <map>

#include "refdata/TableStore.h"

namespace convertor {

const std::string* ReportValue::variable(const std::string& name) const {
    for (const auto& [key, value] : variables) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

const ReportDataset* ReportValue::dataset(const std::string& name) const {
    for (const auto& set : datasets) {
        if (set.name == name) {
            return &set;
        }
    }
    return nullptr;
}

ReportDataset queryDataset(TableStore& tables, const std::string& name, const std::string& sql) {
    QueryResult result = tables.query(sql);
    return ReportDataset{name, std::move(result.columns), std::move(result.rows)};
}

std::vector<std::string> uniqueColumnNames(const std::vector<std::string>& columns) {
    std::map<std::string, int> seen;
    std::vector<std::string> names;
    names.reserve(columns.size());
    for (const auto& column : columns) {
        const int copies = seen[column]++;
        names.push_back(copies == 0 ? column : column + "_" + std::to_string(copies));
    }
    return names;
}

}  // namespace convertor
