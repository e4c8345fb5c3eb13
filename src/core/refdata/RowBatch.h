#pragma once

#include <sqlite3.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "refdata/TableValue.h"

namespace convertor {

// The rows appended to one table with one list of fields, kept until a batch of them is full and
// then written by one INSERT of many rows: a detail report of a million lines runs a statement
// per batch instead of one per line. Texts are UTF-8. Failures throw TableError.
class RowBatch {
public:
    static constexpr std::size_t kRows = 32;

    // head: INSERT INTO "table" ("field", ...) VALUES; fields: how many values a row has (none:
    // head is INSERT INTO "table" DEFAULT VALUES, run for each row at once).
    RowBatch(sqlite3* db, std::string table, std::string head, std::size_t fields);

    // The slots of the next row, to be filled and then counted in by rowFilled.
    std::span<TableValue> nextRow();
    // Writes the batch when it is full.
    void rowFilled();
    // Writes the rows still kept, one statement each.
    void flush();

private:
    using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

    Statement prepare(std::size_t rows);
    void write(sqlite3_stmt* statement, std::size_t firstRow, std::size_t rows);

    sqlite3* m_db;
    std::string m_table;
    std::string m_head;
    std::size_t m_fields;
    std::vector<TableValue> m_values;  // row after row
    std::size_t m_rows = 0;
    Statement m_one{nullptr, &sqlite3_finalize};
    Statement m_batch{nullptr, &sqlite3_finalize};
};

}  // namespace convertor
