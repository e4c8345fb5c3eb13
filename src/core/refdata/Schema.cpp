#include "refdata/Schema.h"

#include <string_view>
#include <vector>

namespace convertor::schema {

namespace {

struct Column {
    const char* name;
    const char* type;
};

struct Table {
    const char* name;
    std::vector<Column> columns;
    std::string primaryKey;  // a key over more than one column; empty for none
    // A column the reports join on: indexed, so a join finds its rows instead of sorting the
    // whole table for every pass.
    const char* joinedOn = nullptr;
};

// Sizes in the type names document the widths the converters write; SQLite does not enforce them,
// and a malformed code in UTF-8 may be longer than its code page 874 bytes. Codes compare exactly,
// so no column carries a case-insensitive collation.
const std::vector<Table>& tables() {
    static const std::vector<Table> all = {
        {bank::kTable,
         {{bank::kCode, "TEXT(10) NOT NULL PRIMARY KEY"},
          {bank::kNameTh, "TEXT(100)"},
          {bank::kNameEn, "TEXT(100)"}},
         {}},
        {branch::kTable,
         {{branch::kCode, "TEXT(10) NOT NULL"},
          {branch::kBankCode, "TEXT(10) NOT NULL"},
          {branch::kNameTh, "TEXT(100)"},
          {branch::kNameEn, "TEXT(100)"},
          {branch::kRegionCode, "TEXT(10)"}},
         std::string(branch::kCode) + ", " + branch::kBankCode},
        {rejection::kTable,
         {{rejection::kLineNo, "TEXT(10)"},
          {rejection::kFieldName, "TEXT(21)"},
          {rejection::kColumnNo, "TEXT(11)"},
          {rejection::kDescription, "TEXT(60)"}},
         {}},
        {dcpDetail::kTable,
         {{dcpDetail::kAccountNo, "TEXT(25)"}, {dcpDetail::kAmount, "REAL"}, {dcpDetail::kName, "TEXT(60)"}},
         {}},
        {mclDetail::kTable,
         {{mclDetail::kAccount, "TEXT(25)"},
          {mclDetail::kBankCode, "TEXT(3)"},
          {mclDetail::kBranchCode, "TEXT(4)"},
          {mclDetail::kAmount, "REAL"},
          {mclDetail::kServiceType, "TEXT(41)"},
          {mclDetail::kName, "TEXT(23)"}},
         {}},
        {mcpDetail::kTable,
         {{mcpDetail::kId, "TEXT(6)"},
          {mcpDetail::kName, "TEXT(70)"},
          {mcpDetail::kChequeAmount, "REAL"},
          {mcpDetail::kWhtAmount, "REAL"},
          {mcpDetail::kVatAmount, "REAL"},
          {mcpDetail::kInvoiceAmount, "REAL"},
          {mcpDetail::kRefNo, "TEXT(20)"},
          {mcpDetail::kTaxId, "TEXT(10)"},
          {mcpDetail::kTaxAttach, "TEXT(6)"},
          {mcpDetail::kTaxRun, "TEXT(14)"},
          {mcpDetail::kTaxDate, "TEXT(10)"},
          {mcpDetail::kTaxPaid, "TEXT(1)"},
          {mcpDetail::kTaxForm, "TEXT(2)"}},
         {}},
        {whtDetail::kTable,
         {{whtDetail::kCreditId, "TEXT(6)"},
          {whtDetail::kWhtId, "TEXT(2)"},
          {whtDetail::kIncomeAmount, "REAL"},
          {whtDetail::kWhtAmount, "REAL"},
          {whtDetail::kIncomeType, "TEXT(1)"},
          {whtDetail::kIncomeDescription, "TEXT(80)"},
          {whtDetail::kRate, "TEXT(2)"}},
         {},
         whtDetail::kCreditId},
        {invoiceDetail::kTable,
         {{invoiceDetail::kCreditId, "TEXT(6)"},
          {invoiceDetail::kInvoiceId, "TEXT(6)"},
          {invoiceDetail::kInvoiceNo, "TEXT(15)"},
          {invoiceDetail::kInvoiceAmount, "REAL"},
          {invoiceDetail::kInvoiceDate, "TEXT(10)"},
          {invoiceDetail::kPoNo, "TEXT(15)"},
          {invoiceDetail::kVatAmount, "REAL"},
          {invoiceDetail::kChargeAmount, "REAL"},
          {invoiceDetail::kWhtAmount, "REAL"}},
         {},
         invoiceDetail::kCreditId},
        {whtFormType::kTable,
         {{whtFormType::kFormType, "TEXT(2) NOT NULL PRIMARY KEY"},
          {whtFormType::kFormName, "TEXT(40)"},
          {whtFormType::kFormDesc, "TEXT(100)"}},
         {}},
        {whtTaxType::kTable,
         {{whtTaxType::kTaxType, "TEXT(1) NOT NULL PRIMARY KEY"}, {whtTaxType::kTaxDesc, "TEXT(100)"}},
         {}},
        {whtPayType::kTable,
         {{whtPayType::kPayType, "TEXT(1) NOT NULL PRIMARY KEY"}, {whtPayType::kPayDesc, "TEXT(100)"}},
         {}},
    };
    return all;
}

}  // namespace

std::span<const char* const> tableNames() {
    static const std::vector<const char*> names = [] {
        std::vector<const char*> list;
        for (const Table& table : tables()) {
            list.push_back(table.name);
        }
        return list;
    }();
    return names;
}

std::string createIndexSql(const char* table) {
    for (const Table& known : tables()) {
        if (std::string_view(known.name) == table && known.joinedOn != nullptr) {
            return std::string("CREATE INDEX IF NOT EXISTS ") + known.name + "_" + known.joinedOn + " ON " +
                   known.name + " (" + known.joinedOn + ");\n";
        }
    }
    return {};
}

std::size_t columnWidth(const char* table, const char* column) {
    for (const Table& candidate : tables()) {
        if (std::string_view(candidate.name) != table) {
            continue;
        }
        for (const Column& field : candidate.columns) {
            std::string_view type = field.type;
            if (std::string_view(field.name) == column && type.starts_with("TEXT(")) {
                std::size_t width = 0;
                for (std::size_t i = 5; i < type.size() && type[i] >= '0' && type[i] <= '9'; ++i) {
                    width = width * 10 + static_cast<std::size_t>(type[i] - '0');
                }
                return width;
            }
        }
    }
    return 0;
}

std::string createIndexesSql() {
    std::string sql;
    for (const Table& table : tables()) {
        sql += createIndexSql(table.name);
    }
    return sql;
}

const std::string& createTablesSql() {
    static const std::string script = [] {
        std::string sql = "\n";
        for (const Table& table : tables()) {
            sql += std::string("CREATE TABLE IF NOT EXISTS ") + table.name + " (";
            const char* separator = "\n";
            for (const Column& column : table.columns) {
                sql += std::string(separator) + "    " + column.name + " " + column.type;
                separator = ",\n";
            }
            if (!table.primaryKey.empty()) {
                sql += ",\n    PRIMARY KEY (" + table.primaryKey + ")";
            }
            sql += "\n);\n";
        }
        return sql;
    }();
    return script;
}

namespace runHistory {

namespace {

const std::vector<Column>& historyColumns() {
    static const std::vector<Column> all = {
        {kId, "INTEGER PRIMARY KEY"},
        {kStarted, "TEXT NOT NULL"},
        {kEnded, "TEXT NOT NULL"},
        {kProduct, "TEXT NOT NULL"},
        {kCompanyId, "TEXT"},
        {kLogin, "TEXT"},
        {kSourcePath, "TEXT"},
        {kSourceSize, "INTEGER"},
        {kSourceSha1, "TEXT"},
        {kInvoicePath, "TEXT"},
        {kInvoiceSize, "INTEGER"},
        {kInvoiceSha1, "TEXT"},
        {kDestination, "TEXT"},
        {kArchiveName, "TEXT"},
        {kOutcome, "TEXT NOT NULL"},
        {kMessage, "TEXT"},
        {kAccepted, "INTEGER"},
        {kRejected, "INTEGER"},
        {kRejectedInvalidAcct, "INTEGER"},
        {kRejectedCreditZeroAmount, "INTEGER"},
        {kRejectedCreditAmountInvalid, "INTEGER"},
        {kRejectedBankBranchCode, "INTEGER"},
        {kTotalAmount, "TEXT"},
        {kHashValue, "TEXT"},
    };
    return all;
}

}  // namespace

std::span<const char* const> columns() {
    static const std::vector<const char*> names = [] {
        std::vector<const char*> list;
        for (const Column& column : historyColumns()) {
            list.push_back(column.name);
        }
        return list;
    }();
    return names;
}

const std::string& createSql() {
    // The repeat guard looks a run up by its source's size first: the index keeps that cheap in a
    // history of years.
    static const std::string script = [] {
        std::string sql = std::string("CREATE TABLE IF NOT EXISTS ") + kTable + " (";
        const char* separator = "\n";
        for (const Column& column : historyColumns()) {
            sql += std::string(separator) + "    " + column.name + " " + column.type;
            separator = ",\n";
        }
        sql += std::string("\n);\nCREATE INDEX IF NOT EXISTS ") + kTable + "_" + kSourceSize + " ON " +
               kTable + " (" + kSourceSize + ");\n";
        return sql;
    }();
    return script;
}

}  // namespace runHistory

}  // namespace convertor::schema
