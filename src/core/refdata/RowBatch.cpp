#include "refdata/RowBatch.h"

#include "base/ConversionError.h"

namespace convertor {

RowBatch::RowBatch(sqlite3* db, std::string table, std::string head, std::size_t fields)
    : m_db(db), m_table(std::move(table)), m_head(std::move(head)), m_fields(fields), m_values(kRows * fields) {
    // head is whole when there are no fields: INSERT INTO "table" DEFAULT VALUES.
    m_one = prepare(1);
}

std::span<TableValue> RowBatch::nextRow() {
    return {m_values.data() + m_rows * m_fields, m_fields};
}

void RowBatch::rowFilled() {
    if (m_fields == 0) {
        write(m_one.get(), 0, 1);
        return;
    }
    if (++m_rows < kRows) {
        return;
    }
    if (!m_batch) {
        m_batch = prepare(kRows);
    }
    write(m_batch.get(), 0, kRows);
}

void RowBatch::flush() {
    for (std::size_t row = 0; row < m_rows; ++row) {
        write(m_one.get(), row, 1);
    }
    m_rows = 0;
}

RowBatch::Statement RowBatch::prepare(std::size_t rows) {
    std::string sql = m_head;
    for (std::size_t row = 0; row < rows && m_fields > 0; ++row) {
        sql += row == 0 ? " (" : ", (";
        for (std::size_t i = 0; i < m_fields; ++i) {
            sql += i == 0 ? "?" : ", ?";
        }
        sql += ")";
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        throw TableError("Cannot append a row to the table " + m_table + ": " + sqlite3_errmsg(m_db));
    }
    return Statement(raw, &sqlite3_finalize);
}

// Binds the rows from firstRow on and runs the statement; the rows are gone afterwards, written
// or not, so a failed batch is not written twice.
void RowBatch::write(sqlite3_stmt* statement, std::size_t firstRow, std::size_t rows) {
    if (statement == m_batch.get()) {
        m_rows = 0;
    }
    int code = SQLITE_OK;
    int index = 1;
    for (std::size_t i = firstRow * m_fields; i < (firstRow + rows) * m_fields && code == SQLITE_OK; ++i) {
        const TableValue& value = m_values[i];
        if (const auto* number = std::get_if<double>(&value)) {
            code = sqlite3_bind_double(statement, index, *number);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            code = sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()), SQLITE_STATIC);
        } else {
            code = sqlite3_bind_null(statement, index);
        }
        ++index;
    }
    if (code == SQLITE_OK) {
        code = sqlite3_step(statement);
    }
    std::string why = code == SQLITE_DONE ? std::string() : sqlite3_errmsg(m_db);
    sqlite3_reset(statement);
    if (code != SQLITE_DONE) {
        m_rows = 0;
        throw TableError("Cannot append a row to the table " + m_table + ": " + why);
    }
}

}  // namespace convertor
