#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "refdata/TableValue.h"

struct sqlite3;
struct sqlite3_stmt;

namespace convertor {

class CopyStatement;

// One connection to a report's copy (ReportCopy), for one thread at a time. Failures throw
// TableError.
class CopyDatabase {
public:
    CopyDatabase(const std::filesystem::path& file, bool create);
    ~CopyDatabase();
    CopyDatabase(const CopyDatabase&) = delete;
    CopyDatabase& operator=(const CopyDatabase&) = delete;

    void exec(const std::string& sql);
    CopyStatement prepare(const std::string& sql);
    // Makes a statement running on this connection give up at its next step.
    void interrupt();
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

// A prepared statement. Values are bound before the first step, or after a reset().
class CopyStatement {
public:
    CopyStatement(sqlite3* db, const std::string& sql);
    ~CopyStatement();
    CopyStatement(CopyStatement&& other) noexcept;
    CopyStatement& operator=(CopyStatement&&) = delete;
    CopyStatement(const CopyStatement&) = delete;

    // Binds the values from the first parameter on; a text is not copied and must live until the
    // statement is reset.
    void bind(const std::vector<TableValue>& values, int first = 1);
    void bindText(int index, const std::string& text);
    void bindNull(int index);
    void bindNumber(int index, long long value);
    void reset();
    // False once the rows are done.
    bool step();
    // Runs a statement that returns no row, and resets it.
    void run();

    int columnCount() const;
    void read(int column, TableValue& into) const;
    // Columns [0, count) into row, reusing its slots.
    void readRow(std::vector<TableValue>& row, std::size_t count) const;
    long long number(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

}  // namespace convertor
