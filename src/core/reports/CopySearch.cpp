#include "reports/CopySearch.h"

#include <sqlite3.h>

#include "base/ConversionError.h"
#include "reports/CopyReader.h"
#include "reports/ReportCopy.h"
#include "reports/TextFormat.h"

namespace convertor {

namespace {

// shown(value, raw): the value as a report prints it.
void shown(sqlite3_context* context, int, sqlite3_value** args) {
    sqlite3_value* value = args[0];
    if (sqlite3_value_type(value) == SQLITE_INTEGER || sqlite3_value_type(value) == SQLITE_FLOAT) {
        const double number = sqlite3_value_double(value);
        const std::string text = sqlite3_value_int(args[1]) != 0 ? rawNumber(number) : formatMoney(number);
        sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_result_value(context, value);
    }
}

int cancelled(void* flag) {
    return static_cast<const std::atomic_bool*>(flag)->load() ? 1 : 0;
}

std::string likePattern(const std::string& text) {
    std::string pattern = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "%";
}

std::string condition(const std::string& table, const std::vector<CopySearch::Column>& columns) {
    std::string where;
    for (const auto& column : columns) {
        where += (where.empty() ? "(" : " OR ") + std::string("shown(") + table + ".c" +
                 std::to_string(column.index) + ", " + (column.raw ? "1" : "0") + ") LIKE ?1 ESCAPE '\\'";
    }
    return where.empty() ? "0" : where + ")";
}

}  // namespace

CopySearch::CopySearch(CopyReader& reader) : m_reader(reader) {
    sqlite3_create_function(reader.database().handle(), "shown", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                            nullptr, &shown, nullptr, nullptr);
}

CopySearch::~CopySearch() {
    sqlite3_progress_handler(m_reader.database().handle(), 0, nullptr, nullptr);
}

std::optional<std::size_t> CopySearch::first(const std::string& sql, const std::string& text,
                                             std::size_t from, const std::atomic_bool& cancel) {
    if (cancel) {
        return std::nullopt;
    }
    sqlite3* db = m_reader.database().handle();
    sqlite3_progress_handler(db, 10000, &cancelled, const_cast<std::atomic_bool*>(&cancel));
    const std::string pattern = likePattern(text);
    try {
        CopyStatement search = m_reader.database().prepare(sql);
        search.bindText(1, pattern);
        search.bindNumber(2, static_cast<long long>(from) + 1);
        const bool found = search.step();
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
        return found ? std::optional<std::size_t>(static_cast<std::size_t>(search.number(0) - 1))
                     : std::nullopt;
    } catch (const TableError&) {
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
        if (cancel) {
            return std::nullopt;
        }
        throw;
    }
}

std::optional<std::size_t> CopySearch::nextRow(std::size_t dataset, const std::vector<Column>& columns,
                                               const std::string& text, std::size_t from,
                                               const std::atomic_bool& cancel) {
    const std::string table = ReportCopy::table(dataset);
    return first("SELECT rowid FROM " + table + " WHERE rowid >= ?2 AND " + condition(table, columns) +
                     " ORDER BY rowid LIMIT 1",
                 text, from, cancel);
}

std::optional<std::size_t> CopySearch::nextParent(std::size_t link, const std::vector<Column>& columns,
                                                  const std::string& text, std::size_t from,
                                                  const std::atomic_bool& cancel) {
    const ReportCopy& copy = m_reader.copy();
    const std::string parent = ReportCopy::table(copy.parentOf(link));
    const std::string child = ReportCopy::table(copy.childOf(link));
    return first("SELECT p.rowid FROM " + parent + " AS p WHERE p.rowid >= ?2 AND EXISTS (SELECT 1 FROM " +
                     child + " WHERE " + child + "." + ReportCopy::childKey(link) + " = p." +
                     ReportCopy::parentKey(link) + " AND " + condition(child, columns) +
                     ") ORDER BY p.rowid LIMIT 1",
                 text, from, cancel);
}

}  // namespace convertor
