#include "reports/ReportTable.h"

#include <algorithm>
#include <cmath>

#include "refdata/TableStore.h"
#include "reports/ReportValue.h"
#include "reports/TextFormat.h"

namespace convertor {

void keyText(const TableValue& value, std::string& into) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        into = *text;
    } else if (const auto* number = std::get_if<double>(&value)) {
        into.clear();
        appendRawNumber(into, *number);
    } else {
        into.clear();
    }
}

std::string keyText(const TableValue& value) {
    std::string text;
    keyText(value, text);
    return text;
}

const TableValue& valueAt(const std::vector<TableValue>& row, std::size_t col) {
    static const TableValue kNull;
    return col < row.size() ? row[col] : kNull;
}

void ReportTable::Totals::add(const std::vector<TableValue>& row) {
    ++count;
    for (std::size_t col = 0; col < sums.size(); ++col) {
        if (col >= row.size() || !numeric[col]) {
            continue;
        }
        if (std::holds_alternative<std::string>(row[col])) {
            numeric[col] = false;
        } else if (const auto* number = std::get_if<double>(&row[col])) {
            sums[col] += std::llround(*number * 1000.0);
        }
    }
}

ReportTable::Pass::Pass(const ReportTable& table) : m_table(table), m_cursor(table.open()) {
    if (!table.m_totals) {
        m_totals.emplace(table.m_keys.size());
    }
}

ReportTable::Pass::~Pass() = default;

bool ReportTable::Pass::next() {
    if (!m_cursor->next()) {
        if (m_totals && !m_table.m_totals) {
            m_table.m_totals = std::move(m_totals);
        }
        m_totals.reset();
        return false;
    }
    if (m_totals) {
        m_totals->add(m_cursor->row());
    }
    return true;
}

const std::vector<TableValue>& ReportTable::Pass::row() const {
    return m_cursor->row();
}

ReportTable::ReportTable() = default;

ReportTable::ReportTable(const ReportDataset& dataset, const std::vector<std::string>& groupKeys)
    : m_dataset(&dataset), m_keys(uniqueColumnNames(dataset.columns)) {
    if (dataset.totals) {
        m_totals = *dataset.totals;
    }
    for (const auto& key : groupKeys) {
        const auto col = column(key);
        if (col && std::find(m_groupColumns.begin(), m_groupColumns.end(), *col) == m_groupColumns.end()) {
            m_groupColumns.push_back(*col);
        }
    }
}

std::optional<std::size_t> ReportTable::column(std::string_view key) const {
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == key) {
            return i;
        }
    }
    return std::nullopt;
}

std::unique_ptr<QueryCursor> ReportTable::open() const {
    static const ReportDataset kEmpty;
    return (m_dataset != nullptr ? *m_dataset : kEmpty).open();
}

bool ReportTable::empty() const {
    return m_totals ? m_totals->count == 0 : !open()->next();
}

const ReportTable::Totals& ReportTable::totals() const {
    if (!m_totals) {
        scan();
    }
    return *m_totals;
}

ReportTable::KeyOrder ReportTable::keyOrder(std::optional<std::size_t> column) const {
    if (!column) {
        const bool single = totals().count <= 1;
        return {single, single};
    }
    auto at = std::find(m_groupColumns.begin(), m_groupColumns.end(), *column);
    if (at == m_groupColumns.end()) {
        m_groupColumns.push_back(*column);
        m_keyOrders.clear();
        at = m_groupColumns.end() - 1;
    }
    if (m_keyOrders.empty()) {
        scan();
    }
    return m_keyOrders[static_cast<std::size_t>(at - m_groupColumns.begin())];
}

// One pass for the totals and the order of the group keys, reading no text but the key's when
// there is one key.
void ReportTable::scan() const {
    Totals totals(m_keys.size());
    std::vector<KeyOrder> orders(m_groupColumns.size());
    std::vector<std::string> previous(m_groupColumns.size());
    std::string key;
    auto cursor = open();
    if (m_groupColumns.size() <= 1) {
        cursor->readTextsOnlyIn(m_groupColumns.empty() ? std::string::npos : m_groupColumns[0]);
    }
    while (cursor->next()) {
        const std::vector<TableValue>& row = cursor->row();
        totals.add(row);
        for (std::size_t i = 0; i < m_groupColumns.size(); ++i) {
            KeyOrder& order = orders[i];
            if (!order.strictlyRises && !order.neverFalls) {
                continue;
            }
            keyText(valueAt(row, m_groupColumns[i]), key);
            if (totals.count > 1) {
                order.strictlyRises = order.strictlyRises && previous[i] < key;
                order.neverFalls = order.neverFalls && !(key < previous[i]);
            }
            previous[i].swap(key);
        }
    }
    m_totals = std::move(totals);
    m_keyOrders = std::move(orders);
}

}  // namespace convertor
