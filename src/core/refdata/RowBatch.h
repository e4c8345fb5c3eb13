#pragma once

#include <sqlite3.h>

#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "refdata/TableValue.h"

namespace convertor {

class RowWriter;

// The rows appended to one table with one list of fields, kept until enough of them are there and
// then handed to the row writer, which writes them by INSERTs of many rows each: a detail report
// of a million lines runs a statement per batch instead of one per line, and on another thread
// than the one converting the lines. Texts are UTF-8. Failures throw TableError, from the writer
// at the next hand-over or drain.
class RowBatch {
public:
    static constexpr std::size_t kRows = 32;       // rows per INSERT
    static constexpr std::size_t kStatements = 8;  // INSERTs per hand-over

    // head: INSERT INTO "table" ("field", ...) VALUES; fields: how many values a row has (none:
    // head is INSERT INTO "table" DEFAULT VALUES, handed over row by row).
    RowBatch(sqlite3* db, std::string table, std::string head, std::size_t fields, RowWriter& writer);

    // The slots of the next row, to be filled and then counted in by rowFilled.
    std::span<TableValue> nextRow();
    // Hands the rows over when there are enough.
    void rowFilled();
    // Writes the rows still kept, on this thread: the writer must have been drained.
    void flush();

private:
    using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

    std::size_t capacity() const { return m_fields == 0 ? 1 : kRows * kStatements; }
    Statement prepare(std::size_t rows);
    void write(const std::vector<TableValue>& values, std::size_t rows);
    void run(sqlite3_stmt* statement, const TableValue* values, std::size_t count);
    std::vector<TableValue> spareValues();

    sqlite3* m_db;
    std::string m_table;
    std::string m_head;
    std::size_t m_fields;
    RowWriter& m_writer;
    std::vector<TableValue> m_values;  // row after row
    std::size_t m_rows = 0;
    Statement m_one{nullptr, &sqlite3_finalize};
    Statement m_batch{nullptr, &sqlite3_finalize};
    // Value lists the writer is done with, kept with their texts' buffers for the next rows.
    std::mutex m_spareMutex;
    std::vector<std::vector<TableValue>> m_spare;
};

}  // namespace convertor
