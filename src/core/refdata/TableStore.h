#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "refdata/TableValue.h"

namespace convertor {

// A select read one row at a time; texts come back as UTF-8. It must not outlive its TableStore.
class QueryCursor {
public:
    virtual ~QueryCursor() = default;
    virtual const std::vector<std::string>& columns() const = 0;
    // Steps to the next row; false after the last. Throws TableError when the read fails.
    virtual bool next() = 0;
    // The current row, valid until the next step.
    virtual const std::vector<TableValue>& row() const = 0;
    // From the next step on, a text value is read only in this column (npos: none); elsewhere
    // a text comes back empty, for a pass that needs only the types and the numbers.
    virtual void readTextsOnlyIn(std::size_t) {}
};

// The tables of Data/zvb.db. Text values handed in and out by the converters are code page 874
// bytes; the file stores UTF-8. Every statement binds its values: no text is spliced into SQL.
// Errors raise TableError. The file is opened on first use, so a run that touches no table does
// not need it.
class TableStore {
public:
    explicit TableStore(const std::filesystem::path& databaseFile);
    ~TableStore();
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    // Empties a working table (and gives it its index when it has none yet).
    void clearTable(const char* table);
    // Appends one row; string values are code page 874.
    void appendRow(const char* table, const TableRow& row);

    // Rows appended during a run are written in one transaction: begin at the run's start,
    // commit on every way out (what a stopped run appended stays, as the operator expects).
    void beginRun();
    void endRun();

    // The English name of the bank, code page 874; empty optional when no row has the code.
    std::optional<std::string> bankNameEn(std::string_view bankCode);
    std::optional<std::string> branchNameEn(std::string_view bankCode, std::string_view branchCode);
    void addBank(std::string_view bankCode, std::string_view nameEn);
    void addBranch(std::string_view bankCode, std::string_view branchCode, std::string_view nameEn);

    // A select, read row by row; texts come back as UTF-8. The statement is checked (one select,
    // every table and column there) before the cursor is handed out. No row may be appended while
    // a cursor is open.
    std::unique_ptr<QueryCursor> openQuery(const std::string& sql);
    // The same with values bound to the statement's "?" parameters, in order.
    std::unique_ptr<QueryCursor> openQuery(const std::string& sql, const std::vector<TableValue>& parameters);
    // Whether the file holds the table (a file made before a table existed does not).
    bool hasTable(const char* table);

    // Writes one row of the run history (schema::runHistory) now, in a transaction of its own, and
    // creates the table first in a file that has none. Texts are UTF-8, written as they are. A row
    // that cannot be written (a read-only file, rows of a run still uncommitted) raises TableError
    // and leaves nothing behind.
    void addHistoryRow(const TableRow& row);

    // Creates every table (used by the build to make the delivered database, and by tests).
    static void createSchema(const std::filesystem::path& databaseFile);

private:
    struct Impl;
    Impl& impl();

    std::filesystem::path m_file;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace convertor
