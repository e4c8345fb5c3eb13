#include "refdata/TableStore.h"

#include <sqlite3.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "base/ConversionError.h"
#include "refdata/RowBatch.h"
#include "refdata/RowWriter.h"
#include "refdata/Schema.h"
#include "refdata/StatementCursor.h"
#include "text/CodePage.h"

namespace convertor {

namespace {

// The maintenance windows may hold the file open in another connection; wait for them a while.
constexpr int kBusyTimeoutMs = 5000;

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// The only tables a row may be appended to or emptied are the schema's; the name used in SQL is
// always the schema's own, never the caller's text.
std::string knownTable(const char* table) {
    std::string_view wanted = table == nullptr ? std::string_view() : std::string_view(table);
    for (const char* name : schema::tableNames()) {
        if (sameName(wanted, name)) {
            return name;
        }
    }
    throw TableError("Unknown table: " + std::string(wanted));
}

std::string quotedName(const std::string& identifier) {
    return "\"" + identifier + "\"";
}

// Runs a body and turns every SQLite failure into a TableError that says what was being done.
template <typename Body>
auto guarded(const std::string& doing, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const SQLite::Exception& error) {
        throw TableError(doing + ": " + error.what());
    }
}

// A statement left stepped keeps a read lock and cannot be reused; reset it on every way out.
class ResetOnExit {
public:
    explicit ResetOnExit(SQLite::Statement& statement) : m_statement(statement) {}
    ~ResetOnExit() { m_statement.tryReset(); }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    SQLite::Statement& m_statement;
};

}  // namespace

struct TableStore::Impl {
    explicit Impl(const std::filesystem::path& file)
        : db(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX, kBusyTimeoutMs) {}

    // The one way to the connection: the row writer drained and the rows still kept written, so
    // every statement sees all rows appended before it and runs with the connection on this thread.
    SQLite::Database& connection() {
        writer.drain();
        for (auto& insert : inserts) {
            insert->rows->flush();
        }
        return db;
    }

    // A statement prepared once in slot, on the connection.
    SQLite::Statement& statement(std::unique_ptr<SQLite::Statement>& slot, const std::string& sql) {
        SQLite::Database& connected = connection();
        if (!slot) {
            slot = std::make_unique<SQLite::Statement>(connected, sql);
        }
        return *slot;
    }

    // Column names of a table as the file spells them.
    const std::vector<std::string>& columnsOf(const std::string& table) {
        auto found = columns.find(table);
        if (found != columns.end()) {
            return found->second;
        }
        std::vector<std::string> names;
        SQLite::Statement info(connection(), "SELECT name FROM pragma_table_info(?)");
        info.bind(1, table);
        while (info.executeStep()) {
            names.push_back(info.getColumn(0).getString());
        }
        if (names.empty()) {
            throw TableError("no such table: " + table);
        }
        return columns.emplace(table, std::move(names)).first->second;
    }

    // The insert of one table for one list of field names, prepared once and bound for each row.
    struct Insert {
        const char* callerTable = nullptr;  // the text the caller named the table with
        std::string callerName;
        std::string table;  // the schema's own name
        std::vector<std::string> fields;
        std::unique_ptr<RowBatch> rows;
    };

    bool matches(const Insert& insert, const char* table, const TableRow& row) const {
        if (insert.callerTable != table || insert.callerName != table || insert.fields.size() != row.size()) {
            return false;
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (insert.fields[i] != row[i].first) {
                return false;
            }
        }
        return true;
    }

    Insert& insertFor(const char* table, const TableRow& row) {
        for (auto& insert : inserts) {
            if (matches(*insert, table, row)) {
                return *insert;
            }
        }
        auto insert = std::make_unique<Insert>();
        insert->table = knownTable(table);
        insert->callerTable = table;
        insert->callerName = table;
        const auto& known =
            guarded("Cannot append a row to the table " + insert->table,
                    [&]() -> const std::vector<std::string>& { return columnsOf(insert->table); });
        std::string names;
        for (const auto& field : row) {
            auto column = std::find_if(known.begin(), known.end(),
                                       [&](const std::string& name) { return sameName(name, field.first); });
            if (column == known.end()) {
                throw TableError("Unknown field " + field.first + " in table " + insert->table);
            }
            insert->fields.push_back(field.first);
            names += (names.empty() ? "" : ", ") + quotedName(*column);
        }
        const std::string& name = insert->table;
        std::string head = row.empty() ? "INSERT INTO " + quotedName(name) + " DEFAULT VALUES"
                                       : "INSERT INTO " + quotedName(name) + " (" + names + ") VALUES";
        insert->rows =
            std::make_unique<RowBatch>(connection().getHandle(), name, std::move(head), row.size(), writer);
        inserts.push_back(std::move(insert));
        return *inserts.back();
    }

    bool inTransaction() { return sqlite3_get_autocommit(connection().getHandle()) == 0; }

    // The connection is this thread's, but for the batches handed to the writer until they are
    // drained: use it through connection() only.
    SQLite::Database db;
    std::unordered_map<std::string, std::vector<std::string>> columns;
    std::vector<std::unique_ptr<Insert>> inserts;
    std::unique_ptr<SQLite::Statement> bankLookup;
    std::unique_ptr<SQLite::Statement> branchLookup;
    std::unique_ptr<SQLite::Statement> bankInsert;
    std::unique_ptr<SQLite::Statement> branchInsert;
    std::shared_ptr<int> openCursors = std::make_shared<int>(0);  // cursors handed out and not yet gone
    RowWriter writer;  // last: it stops, and runs no job on the batches, before they go
};

namespace {

// The name column of the first matching row, code page 874; "" for a null name.
std::optional<std::string> firstName(SQLite::Statement& lookup,
                                     std::initializer_list<std::string_view> codes) {
    ResetOnExit reset(lookup);
    int index = 1;
    for (std::string_view code : codes) {
        lookup.bind(index++, toUtf8(code));
    }
    if (!lookup.executeStep()) {
        return std::nullopt;
    }
    SQLite::Column name = lookup.getColumn(0);
    return name.isNull() ? std::string() : fromUtf8Lossy(name.getString());
}

void insertTexts(SQLite::Statement& insert, std::initializer_list<std::string_view> values) {
    ResetOnExit reset(insert);
    int index = 1;
    for (std::string_view value : values) {
        insert.bind(index++, toUtf8(value));
    }
    insert.exec();
}

}  // namespace

TableStore::TableStore(const std::filesystem::path& databaseFile) : m_file(databaseFile) {}

TableStore::Impl& TableStore::impl() {
    if (!m_impl) {
        const std::string doing = "Cannot open the table database " + m_file.string();
        // A FIFO or device would hang the opening or be taken for the tables.
        std::error_code error;
        std::filesystem::file_status status = std::filesystem::status(m_file, error);
        if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
            throw TableError(doing + ": it is not a regular file");
        }
        try {
            auto opened = std::make_unique<Impl>(m_file);
            // Reading the catalogue tells a file that is no database at once, not at the first lookup.
            opened->db.execAndGet("SELECT count(*) FROM sqlite_master");
            opened->db.exec("PRAGMA synchronous=NORMAL");
            m_impl = std::move(opened);
        } catch (const SQLite::Exception& error) {
            throw TableError(doing + ": " + error.what());
        }
    }
    return *m_impl;
}

TableStore::~TableStore() {
    try {
        if (m_impl) {
            endRun();
        }
    } catch (...) {
        // Closing the connection rolls back what could not be committed.
    }
}

void TableStore::clearTable(const char* table) {
    std::string name = knownTable(table);
    guarded("Cannot empty the table " + name, [&] {
        impl().connection().exec("DELETE FROM " + quotedName(name));
        // A database made before a table had its index gets it here.
        if (std::string index = schema::createIndexSql(name.c_str()); !index.empty()) {
            impl().connection().exec(index);
        }
    });
}

void TableStore::appendRow(const char* table, const TableRow& row) {
    Impl& store = impl();
    // A cursor reads on the caller's thread, while the writer writes the rows on its own.
    if (*store.openCursors > 0) {
        throw TableError("Cannot append a row to the table " + knownTable(table) +
                         " while a query reads the tables");
    }
    Impl::Insert& insert = store.insertFor(table, row);
    std::span<TableValue> slots = insert.rows->nextRow();
    for (std::size_t i = 0; i < row.size(); ++i) {
        const TableValue& value = row[i].second;
        if (const auto* text = std::get_if<std::string>(&value)) {
            // Code page 874 is ASCII below 0x80: such a text is its own UTF-8.
            const bool ascii = std::all_of(text->begin(), text->end(),
                                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
            auto* slot = std::get_if<std::string>(&slots[i]);
            if (slot == nullptr) {
                slot = &slots[i].emplace<std::string>();
            }
            if (ascii) {
                slot->assign(*text);
            } else {
                *slot = toUtf8(*text);
            }
        } else {
            slots[i] = value;
        }
    }
    insert.rows->rowFilled();
}

void TableStore::beginRun() {
    guarded("Cannot begin writing the tables", [&] {
        if (!impl().inTransaction()) {
            impl().connection().exec("BEGIN");
        }
    });
}

void TableStore::endRun() {
    guarded("Cannot commit the table rows", [&] {
        if (impl().inTransaction()) {
            impl().connection().exec("COMMIT");
        }
    });
}

std::optional<std::string> TableStore::bankNameEn(std::string_view bankCode) {
    using namespace schema::bank;
    static const std::string sql = std::string("SELECT ") + kNameEn + " FROM " + kTable + " WHERE " + kCode +
                                   " = ? ORDER BY rowid LIMIT 1";
    return guarded("Cannot look up the bank",
                   [&] { return firstName(impl().statement(impl().bankLookup, sql), {bankCode}); });
}

std::optional<std::string> TableStore::branchNameEn(std::string_view bankCode, std::string_view branchCode) {
    using namespace schema::branch;
    static const std::string sql = std::string("SELECT ") + kNameEn + " FROM " + kTable + " WHERE " +
                                   kBankCode + " = ? AND " + kCode + " = ? ORDER BY rowid LIMIT 1";
    return guarded("Cannot look up the branch", [&] {
        return firstName(impl().statement(impl().branchLookup, sql), {bankCode, branchCode});
    });
}

void TableStore::addBank(std::string_view bankCode, std::string_view nameEn) {
    using namespace schema::bank;
    static const std::string sql =
        std::string("INSERT INTO ") + kTable + " (" + kCode + ", " + kNameEn + ") VALUES (?, ?)";
    guarded(std::string("Cannot append a row to the table ") + kTable, [&] {
        insertTexts(impl().statement(impl().bankInsert, sql), {bankCode, nameEn});
    });
}

void TableStore::addBranch(std::string_view bankCode, std::string_view branchCode, std::string_view nameEn) {
    using namespace schema::branch;
    static const std::string sql = std::string("INSERT INTO ") + kTable + " (" + kBankCode + ", " + kCode +
                                   ", " + kNameEn + ") VALUES (?, ?, ?)";
    guarded(std::string("Cannot append a row to the table ") + kTable, [&] {
        insertTexts(impl().statement(impl().branchInsert, sql), {bankCode, branchCode, nameEn});
    });
}

std::unique_ptr<QueryCursor> TableStore::openQuery(const std::string& sql) {
    sqlite3* db = impl().connection().getHandle();
    auto fail = [&](const std::string& why) { return TableError("Cannot run the query: " + why); };
    auto prepare = [&](const char* text, const char** tail) {
        sqlite3_stmt* raw = nullptr;
        int code = sqlite3_prepare_v2(db, text, -1, &raw, tail);
        RawStatement statement(raw, &sqlite3_finalize);
        if (code != SQLITE_OK) {
            throw fail(sqlite3_errmsg(db));
        }
        return statement;
    };

    const char* tail = nullptr;
    RawStatement statement = prepare(sql.c_str(), &tail);
    if (!statement) {
        throw fail("no statement");
    }
    // A query only reads, and is one statement: nothing may ride along behind the select.
    if (!sqlite3_stmt_readonly(statement.get())) {
        throw fail("only a select can be run");
    }
    for (const char* rest = tail; rest != nullptr && *rest != '\0';) {
        if (prepare(rest, &rest)) {
            throw fail("more than one statement");
        }
    }
    return statementCursor(db, std::move(statement), impl().openCursors);
}

void TableStore::createSchema(const std::filesystem::path& databaseFile) {
    guarded("Cannot create the tables in " + databaseFile.string(), [&] {
        SQLite::Database db(databaseFile.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE,
                            kBusyTimeoutMs);
        db.exec(schema::createTablesSql());
        db.exec(schema::createIndexesSql());
    });
}

}  // namespace convertor
