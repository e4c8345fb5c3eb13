#include "refdata/RowBatch.h"

#include "base/ConversionError.h"
#include "refdata/RowWriter.h"

namespace convertor {

RowBatch::RowBatch(sqlite3* db, std::string table, std::string head, std::size_t fields, RowWriter& writer)
    : m_db(db),
      m_table(std::move(table)),
      m_head(std::move(head)),
      m_fields(fields),
      m_writer(writer),
      m_values(capacity() * fields) {
    // head is whole when there are no fields: INSERT INTO "table" DEFAULT VALUES.
    m_one = prepare(1);
}

std::span<TableValue> RowBatch::nextRow() {
    return {m_values.data() + m_rows * m_fields, m_fields};
}

void RowBatch::rowFilled() {
    if (++m_rows < capacity()) {
        return;
    }
    // The rows are gone once handed over, written or not, so a failed batch is not written twice.
    m_rows = 0;
    m_writer.submit([this, values = std::exchange(m_values, spareValues())]() mutable {
        write(values, capacity());
        std::lock_guard lock(m_spareMutex);
        m_spare.push_back(std::move(values));
    });
}

void RowBatch::flush() {
    std::size_t rows = std::exchange(m_rows, 0);
    write(m_values, rows);
}

std::vector<TableValue> RowBatch::spareValues() {
    std::lock_guard lock(m_spareMutex);
    if (m_spare.empty()) {
        return std::vector<TableValue>(capacity() * m_fields);
    }
    std::vector<TableValue> values = std::move(m_spare.back());
    m_spare.pop_back();
    return values;
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

// The first rows of values: whole batches by one statement each, the rest one by one.
void RowBatch::write(const std::vector<TableValue>& values, std::size_t rows) {
    std::size_t row = 0;
    if (m_fields > 0) {
        for (; rows - row >= kRows; row += kRows) {
            if (!m_batch) {
                m_batch = prepare(kRows);
            }
            run(m_batch.get(), values.data() + row * m_fields, kRows * m_fields);
        }
    }
    for (; row < rows; ++row) {
        run(m_one.get(), values.data() + row * m_fields, m_fields);
    }
}

void RowBatch::run(sqlite3_stmt* statement, const TableValue* values, std::size_t count) {
    int code = SQLITE_OK;
    for (std::size_t i = 0; i < count && code == SQLITE_OK; ++i) {
        const int index = static_cast<int>(i) + 1;
        if (const auto* number = std::get_if<double>(&values[i])) {
            code = sqlite3_bind_double(statement, index, *number);
        } else if (const auto* text = std::get_if<std::string>(&values[i])) {
            code = sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()),
                                     SQLITE_STATIC);
        } else {
            code = sqlite3_bind_null(statement, index);
        }
    }
    if (code == SQLITE_OK) {
        code = sqlite3_step(statement);
    }
    std::string why = code == SQLITE_DONE ? std::string() : sqlite3_errmsg(m_db);
    sqlite3_reset(statement);
    if (code != SQLITE_DONE) {
        throw TableError("Cannot append a row to the table " + m_table + ": " + why);
    }
}

}  // namespace convertor
