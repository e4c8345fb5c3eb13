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

void ReportValue::loadRows() {
    for (auto& set : datasets) {
        set.loadRows();
    }
}

namespace {

class HeldRows : public QueryCursor {
public:
    explicit HeldRows(const ReportDataset& dataset) : m_dataset(dataset) {}
    const std::vector<std::string>& columns() const override { return m_dataset.columns; }
    bool next() override {
        if (m_next >= m_dataset.rows.size()) {
            return false;
        }
        m_row = &m_dataset.rows[m_next++];
        return true;
    }
    const std::vector<TableValue>& row() const override { return *m_row; }

private:
    const ReportDataset& m_dataset;
    std::size_t m_next = 0;
    const std::vector<TableValue>* m_row = nullptr;
};

}  // namespace

std::unique_ptr<QueryCursor> ReportDataset::open() const {
    return source ? source() : std::make_unique<HeldRows>(*this);
}

void ReportDataset::loadRows() {
    if (!source) {
        return;
    }
    std::unique_ptr<QueryCursor> cursor = source();
    rows.clear();
    while (cursor->next()) {
        rows.push_back(cursor->row());
    }
    source = nullptr;
}

ReportDataset queryDataset(TableStore& tables, const std::string& name, const std::string& sql) {
    ReportDataset dataset(name, tables.openQuery(sql)->columns());
    dataset.source = [&tables, sql] { return tables.openQuery(sql); };
    return dataset;
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
