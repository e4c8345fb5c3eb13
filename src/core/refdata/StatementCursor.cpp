#include "refdata/StatementCursor.h"

#include <string>
#include <vector>

#include "base/ConversionError.h"

namespace convertor {

namespace {

class StatementCursor : public QueryCursor {
public:
    StatementCursor(sqlite3* db, RawStatement statement, std::shared_ptr<int> openCursors)
        : m_db(db), m_statement(std::move(statement)), m_openCursors(std::move(openCursors)) {
        ++*m_openCursors;
        int count = sqlite3_column_count(m_statement.get());
        for (int column = 0; column < count; ++column) {
            const char* name = sqlite3_column_name(m_statement.get(), column);
            m_columns.emplace_back(name == nullptr ? "" : name);
        }
        m_row.resize(m_columns.size());
    }

    ~StatementCursor() override { --*m_openCursors; }
    StatementCursor(const StatementCursor&) = delete;
    StatementCursor& operator=(const StatementCursor&) = delete;

    const std::vector<std::string>& columns() const override { return m_columns; }
    const std::vector<TableValue>& row() const override { return m_row; }
    void readTextsOnlyIn(std::size_t column) override {
        m_allTexts = false;
        m_textColumn = column;
    }

    bool next() override {
        if (m_done) {
            return false;
        }
        int code = sqlite3_step(m_statement.get());
        if (code == SQLITE_DONE) {
            m_done = true;
            // Done with the statement: it keeps no read lock while the cursor is still held.
            sqlite3_reset(m_statement.get());
            return false;
        }
        if (code != SQLITE_ROW) {
            m_done = true;
            std::string why = sqlite3_errmsg(m_db);
            sqlite3_reset(m_statement.get());
            throw TableError("Cannot run the query: " + why);
        }
        for (std::size_t column = 0; column < m_row.size(); ++column) {
            readColumn(static_cast<int>(column), m_row[column]);
        }
        return true;
    }

private:
    // Into the row's own slot, so a text keeps its buffer from one row to the next.
    void readColumn(int column, TableValue& into) {
        sqlite3_stmt* statement = m_statement.get();
        switch (sqlite3_column_type(statement, column)) {
            case SQLITE_INTEGER:
                into = static_cast<double>(sqlite3_column_int64(statement, column));
                break;
            case SQLITE_FLOAT:
                into = sqlite3_column_double(statement, column);
                break;
            case SQLITE_NULL:
                into = std::monostate{};
                break;
            default: {
                if (!m_allTexts && static_cast<std::size_t>(column) != m_textColumn) {
                    if (auto* text = std::get_if<std::string>(&into)) {
                        text->clear();
                    } else {
                        into = std::string();
                    }
                    break;
                }
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
                auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
                if (auto* text = std::get_if<std::string>(&into)) {
                    text->assign(bytes == nullptr ? "" : bytes, bytes == nullptr ? 0 : size);
                } else {
                    into = bytes == nullptr ? std::string() : std::string(bytes, size);
                }
            }
        }
    }

    sqlite3* m_db;
    RawStatement m_statement;
    std::shared_ptr<int> m_openCursors;  // may outlive the store
    std::vector<std::string> m_columns;
    std::vector<TableValue> m_row;
    bool m_done = false;
    bool m_allTexts = true;
    std::size_t m_textColumn = 0;
};

}  // namespace

std::unique_ptr<QueryCursor> statementCursor(sqlite3* db, RawStatement statement,
                                             std::shared_ptr<int> openCursors) {
    return std::make_unique<StatementCursor>(db, std::move(statement), std::move(openCursors));
}

}  // namespace convertor
