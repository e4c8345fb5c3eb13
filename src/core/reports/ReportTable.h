#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "refdata/TableValue.h"

namespace convertor {

class QueryCursor;
struct ReportDataset;

// One dataset of a report as the report shows it: its column keys (a repeated column name made
// unique), its rows read afresh on every pass, and what a pass over every row learns: the count,
// the sums and the order of its group key columns. That is learnt once, by the first pass that
// reads every row (Pass), or by a pass of its own when asked for earlier.
class ReportTable {
public:
    // The count and sums of a set of rows. A column has a sum when none of the rows holds a text in
    // it, so an empty dataset still prints 0.00 totals. Amounts are whole thousandths, so they are
    // summed as integers to stay exact.
    struct Totals {
        std::size_t count = 0;
        std::vector<long long> sums;  // thousandths
        std::vector<bool> numeric;

        explicit Totals(std::size_t columns = 0) : sums(columns, 0), numeric(columns, true) {}
        void add(const std::vector<TableValue>& row);
        bool hasSum(std::size_t col) const { return col < numeric.size() && numeric[col]; }
        double sum(std::size_t col) const { return static_cast<double>(sums[col]) / 1000.0; }
    };

    // How the texts of a key column run from row to row.
    struct KeyOrder {
        bool strictlyRises = true;
        bool neverFalls = true;
    };

    // Reads the rows in order; the first pass to reach the end records the totals.
    class Pass {
    public:
        explicit Pass(const ReportTable& table);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        bool next();
        const std::vector<TableValue>& row() const;

    private:
        const ReportTable& m_table;
        std::unique_ptr<QueryCursor> m_cursor;
        std::optional<Totals> m_totals;  // counted here, unless known before
    };

    // A table of no rows and no columns.
    ReportTable();
    // groupKeys: the columns whose order is learnt with the totals, for grouping rows by them.
    ReportTable(const ReportDataset& dataset, const std::vector<std::string>& groupKeys);

    const std::vector<std::string>& keys() const { return m_keys; }
    std::optional<std::size_t> column(std::string_view key) const;

    std::unique_ptr<QueryCursor> open() const;
    bool empty() const;
    const Totals& totals() const;
    bool totalsKnown() const { return m_totals.has_value(); }
    // Learnt with the totals for the group keys given at construction, by a pass of its own for
    // another column. Without the column every row has the empty key.
    KeyOrder keyOrder(std::optional<std::size_t> column) const;

private:
    void scan() const;

    const ReportDataset* m_dataset = nullptr;
    std::vector<std::string> m_keys;
    mutable std::vector<std::size_t> m_groupColumns;
    mutable std::optional<Totals> m_totals;
    mutable std::vector<KeyOrder> m_keyOrders;  // of m_groupColumns once a scan has run
};

// The text a value groups by: a number as rawNumber writes it, nothing for no value.
void keyText(const TableValue& value, std::string& into);
std::string keyText(const TableValue& value);

// The value in a column; no value past the end of a short row.
const TableValue& valueAt(const std::vector<TableValue>& row, std::size_t col);

}  // namespace convertor
