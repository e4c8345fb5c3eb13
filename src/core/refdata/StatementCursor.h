#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "refdata/TableStore.h"

namespace convertor {

using RawStatement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// A prepared select of a TableStore, stepped row by row.
class StatementCursor : public QueryCursor {
public:
    // openCursors counts the cursors of the store that are still held.
    StatementCursor(sqlite3* db, RawStatement statement, std::shared_ptr<int> openCursors);
    ~StatementCursor() override;
    StatementCursor(const StatementCursor&) = delete;
    StatementCursor& operator=(const StatementCursor&) = delete;

    const std::vector<std::string>& columns() const override { return m_columns; }
    const std::vector<TableValue>& row() const override { return m_row; }
    void readTextsOnlyIn(std::size_t column) override {
        m_allTexts = false;
        m_textColumn = column;
    }
    bool next() override;

private:
    // Into the row's own slot, so a text keeps its buffer from one row to the next.
    void readColumn(int column, TableValue& into);

    sqlite3* m_db;
    RawStatement m_statement;
    std::shared_ptr<int> m_openCursors;  // may outlive the store
    std::vector<std::string> m_columns;
    std::vector<TableValue> m_row;
    bool m_done = false;
    bool m_allTexts = true;
    std::size_t m_textColumn = 0;
};

}  // namespace convertor
