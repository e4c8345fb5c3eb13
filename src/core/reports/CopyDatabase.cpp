#include "reports/CopyDatabase.h"

#include <sqlite3.h>

#include "base/ConversionError.h"

namespace convertor {

namespace {

TableError failure(sqlite3* db, const std::string& doing) {
    return TableError("The report's copy: " + doing + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

}  // namespace

CopyDatabase::CopyDatabase(const std::filesystem::path& file, bool create) {
    const int flags =
        (create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(file.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        const TableError error = failure(m_db, "cannot open " + file.string());
        sqlite3_close(m_db);
        throw error;
    }
}

CopyDatabase::~CopyDatabase() {
    sqlite3_close_v2(m_db);
}

void CopyDatabase::exec(const std::string& sql) {
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw failure(m_db, sql);
    }
}

CopyStatement CopyDatabase::prepare(const std::string& sql) {
    return CopyStatement(m_db, sql);
}

void CopyDatabase::interrupt() {
    sqlite3_interrupt(m_db);
}

CopyStatement::CopyStatement(sqlite3* db, const std::string& sql) : m_db(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_statement, nullptr) != SQLITE_OK) {
        throw failure(db, sql);
    }
}

CopyStatement::~CopyStatement() {
    sqlite3_finalize(m_statement);
}

CopyStatement::CopyStatement(CopyStatement&& other) noexcept
    : m_db(other.m_db), m_statement(other.m_statement) {
    other.m_statement = nullptr;
}

void CopyStatement::reset() {
    sqlite3_reset(m_statement);
}

void CopyStatement::bind(const std::vector<TableValue>& values, int first) {
    int index = first;
    for (const TableValue& value : values) {
        if (const auto* number = std::get_if<double>(&value)) {
            sqlite3_bind_double(m_statement, index, *number);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            sqlite3_bind_text(m_statement, index, text->data(), static_cast<int>(text->size()),
                              SQLITE_STATIC);
        } else {
            sqlite3_bind_null(m_statement, index);
        }
        ++index;
    }
}

void CopyStatement::bindText(int index, const std::string& text) {
    sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

void CopyStatement::bindNull(int index) {
    sqlite3_bind_null(m_statement, index);
}

void CopyStatement::bindNumber(int index, long long value) {
    sqlite3_bind_int64(m_statement, index, value);
}

bool CopyStatement::step() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    const TableError error = failure(m_db, "cannot read");
    sqlite3_reset(m_statement);
    throw error;
}

void CopyStatement::run() {
    while (step()) {
    }
    reset();
}

int CopyStatement::columnCount() const {
    return sqlite3_column_count(m_statement);
}

void CopyStatement::read(int column, TableValue& into) const {
    switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            into = sqlite3_column_double(m_statement, column);
            break;
        case SQLITE_NULL:
            into = std::monostate{};
            break;
        default: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
            const auto size = static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column));
            if (auto* text = std::get_if<std::string>(&into)) {
                text->assign(bytes == nullptr ? "" : bytes, bytes == nullptr ? 0 : size);
            } else {
                into = bytes == nullptr ? std::string() : std::string(bytes, size);
            }
        }
    }
}

void CopyStatement::readRow(std::vector<TableValue>& row, std::size_t count) const {
    row.resize(count);
    for (std::size_t col = 0; col < count; ++col) {
        read(static_cast<int>(col), row[col]);
    }
}

long long CopyStatement::number(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

}  // namespace convertor
