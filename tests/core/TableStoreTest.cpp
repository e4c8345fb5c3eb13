#include "refdata/TableStore.h"

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "base/ConversionError.h"
#include "refdata/RowBatch.h"
#include "refdata/Schema.h"
#include "reports/ReportJson.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

using test::cp874;
using test::query;
using test::QueryResult;

std::size_t columnIndex(const QueryResult& result, const std::string& name) {
    auto found = std::find(result.columns.begin(), result.columns.end(), name);
    EXPECT_NE(found, result.columns.end()) << name;
    return static_cast<std::size_t>(found - result.columns.begin());
}

std::size_t rowCount(TableStore& store, const std::string& table) {
    return query(store, "SELECT * FROM " + table).rows.size();
}

class TableStoreTest : public ::testing::Test {
protected:
    test::TestHome home;
    TableStore store{home.database()};
};

TEST(TableStoreFileTest, CreatesEveryTableInABlankFileAndOpensOnlyExistingOnes) {
    test::TempDir dir;
    TableStore::createSchema(dir / "blank.db");
    TableStore::createSchema(dir / "blank.db");  // again: nothing to do, no error
    TableStore store(dir / "blank.db");
    QueryResult tables = query(store, "SELECT name FROM sqlite_master WHERE type = 'table'");
    EXPECT_EQ(tables.rows.size(), 11u);
    EXPECT_EQ(rowCount(store, "Bank"), 0u);

    // The file is opened on first use: a run that needs no table does not need it.
    TableStore missing(dir / "missing.db");
    try {
        missing.bankNameEn("014");
        FAIL() << "a missing database was opened";
    } catch (const TableError& error) {
        EXPECT_NE(std::string(error.what()).find("missing.db"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.db"));

    test::writeFile(dir / "text.db", std::string(2048, 'x'));
    TableStore notADatabase(dir / "text.db");
    EXPECT_THROW(query(notADatabase, "SELECT 1"), TableError);
}

TEST_F(TableStoreTest, AppendedRowsComeBackAsUtf8WithTheirTypes) {
    store.appendRow(schema::dcpDetail::kTable,
                    {{schema::dcpDetail::kAccountNo, std::string("1234567890") + std::string(15, ' ')},
                     {schema::dcpDetail::kAmount, 123.45},
                     {schema::dcpDetail::kName, cp874("นายทดสอบ ตัวอย่าง")}});
    store.appendRow(schema::dcpDetail::kTable,
                    {{"acno", std::string("0000000001")}, {"AMOUNT", std::monostate{}}});

    QueryResult result = query(store, "SELECT AcNo, Amount, Name FROM Dcp_Detail ORDER BY rowid");
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.columns, (std::vector<std::string>{"AcNo", "Amount", "Name"}));
    EXPECT_EQ(std::get<std::string>(result.rows[0][0]), "1234567890" + std::string(15, ' '));
    EXPECT_DOUBLE_EQ(std::get<double>(result.rows[0][1]), 123.45);
    EXPECT_EQ(std::get<std::string>(result.rows[0][2]), "นายทดสอบ ตัวอย่าง");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.rows[1][1]));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.rows[1][2]));

    store.clearTable(schema::dcpDetail::kTable);
    EXPECT_EQ(rowCount(store, "Dcp_Detail"), 0u);
}

TEST_F(TableStoreTest, RefusesUnknownTablesFieldsAndStatementsThatWrite) {
    EXPECT_THROW(store.appendRow("sqlite_master", {{"name", std::string("x")}}), TableError);
    EXPECT_THROW(store.appendRow(schema::dcpDetail::kTable, {{"Bogus", std::string("x")}}), TableError);
    EXPECT_THROW(
        store.appendRow(schema::bank::kTable, {{"BANK_CODE) VALUES ('1'); DELETE FROM Bank; --", 1.0}}),
        TableError);
    EXPECT_THROW(store.clearTable("Bank; DELETE FROM BRANCH"), TableError);
    EXPECT_THROW(query(store, "DELETE FROM Bank"), TableError);
    EXPECT_THROW(query(store, "SELECT 1; DELETE FROM Bank"), TableError);
    EXPECT_THROW(query(store, "SELECT * FROM NoSuchTable"), TableError);
    EXPECT_GT(rowCount(store, "Bank"), 0u);
    EXPECT_GT(rowCount(store, "BRANCH"), 0u);
}

TEST_F(TableStoreTest, LooksUpBanksAndBranchesByExactCode) {
    ASSERT_TRUE(store.bankNameEn("014").has_value());
    EXPECT_FALSE(store.bankNameEn("014")->empty());
    EXPECT_EQ(store.bankNameEn("14"), std::nullopt);
    EXPECT_EQ(store.bankNameEn("014 "), std::nullopt);
    EXPECT_EQ(store.bankNameEn("0'4"), std::nullopt);

    store.addBank("777", "");
    EXPECT_EQ(store.bankNameEn("777"), std::string());
    store.appendRow(schema::bank::kTable, {{schema::bank::kCode, std::string("778")}});
    EXPECT_EQ(store.bankNameEn("778"), std::string());
    store.addBank(cp874("ก1'"), cp874("ธนาคารใหม่"));
    EXPECT_EQ(store.bankNameEn(cp874("ก1'")), cp874("ธนาคารใหม่"));
    EXPECT_THROW(store.addBank("777", "New bank"), TableError);

    EXPECT_EQ(store.branchNameEn("014", "0999"), std::nullopt);
    store.addBranch("014", "0999", "New branch");
    store.addBranch("025", "0999", "Other branch");
    EXPECT_EQ(store.branchNameEn("014", "0999"), "New branch");
    EXPECT_EQ(store.branchNameEn("025", "0999"), "Other branch");
    EXPECT_EQ(store.branchNameEn("0999", "014"), std::nullopt);
    EXPECT_EQ(query(store, "SELECT * FROM BRANCH WHERE BRANCH_CODE = '0999'").rows.size(), 2u);
    EXPECT_THROW(store.addBranch("014", "0999", "Again"), TableError);
}

TEST_F(TableStoreTest, FieldNamesMatchWithoutRegardToCase) {
    QueryResult result = query(store, "select bank_code from BANK where Bank_Code = '014'");
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(std::get<std::string>(result.rows[0][0]), "014");
    EXPECT_EQ(std::get<double>(query(store, "SELECT count(*) FROM bank").rows[0][0]),
              static_cast<double>(rowCount(store, "Bank")));
}

TEST_F(TableStoreTest, WithholdingTaxQueryNeedsFormAndTaxTypeButNotPayType) {
    auto cheque = [&](const char* id, const char* form, const char* paid) {
        store.appendRow(schema::mcpDetail::kTable, {{schema::mcpDetail::kId, std::string(id)},
                                                    {schema::mcpDetail::kChequeAmount, 1000.0},
                                                    {schema::mcpDetail::kTaxForm, std::string(form)},
                                                    {schema::mcpDetail::kTaxPaid, std::string(paid)}});
    };
    auto taxLine = [&](const char* id, const char* type) {
        store.appendRow(schema::whtDetail::kTable, {{schema::whtDetail::kCreditId, std::string(id)},
                                                    {schema::whtDetail::kWhtId, std::string("01")},
                                                    {schema::whtDetail::kWhtAmount, 30.0},
                                                    {schema::whtDetail::kIncomeType, std::string(type)}});
    };
    cheque("000001", "53", "1");
    cheque("000002", "00", "1");  // no such form type
    cheque("000003", "01", "9");  // no such pay type
    taxLine("000001", "1");
    taxLine("000002", "1");
    taxLine("000003", "2");
    taxLine("000003", "X");  // no such income type

    QueryResult result = query(store, withholdingTaxQuery());
    ASSERT_EQ(result.rows.size(), 2u);
    std::size_t id = columnIndex(result, "ID");
    std::size_t payType = columnIndex(result, "PAY_TYPE");
    std::size_t payDesc = columnIndex(result, "PAY_DESC");
    EXPECT_EQ(std::count(result.columns.begin(), result.columns.end(), "WhtAmount"), 2);
    std::sort(result.rows.begin(), result.rows.end(), [&](const auto& a, const auto& b) {
        return std::get<std::string>(a[id]) < std::get<std::string>(b[id]);
    });
    EXPECT_EQ(std::get<std::string>(result.rows[0][id]), "000001");
    EXPECT_EQ(std::get<std::string>(result.rows[0][payType]), "1");
    EXPECT_FALSE(std::get<std::string>(result.rows[0][payDesc]).empty());
    EXPECT_EQ(std::get<std::string>(result.rows[1][id]), "000003");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.rows[1][payType]));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.rows[1][payDesc]));
    EXPECT_FALSE(std::get<std::string>(result.rows[1][columnIndex(result, "FORM_NAME")]).empty());
    EXPECT_FALSE(std::get<std::string>(result.rows[1][columnIndex(result, "TAX_DESC")]).empty());

    store.appendRow(schema::invoiceDetail::kTable, {{schema::invoiceDetail::kCreditId, std::string("000001")},
                                                    {schema::invoiceDetail::kInvoiceAmount, 5.0}});
    store.appendRow(schema::invoiceDetail::kTable, {{schema::invoiceDetail::kCreditId, std::string("000001")},
                                                    {schema::invoiceDetail::kInvoiceAmount, 6.0}});
    store.appendRow(schema::invoiceDetail::kTable, {{schema::invoiceDetail::kCreditId, std::string("000009")},
                                                    {schema::invoiceDetail::kInvoiceAmount, 7.0}});
    EXPECT_EQ(query(store, invoiceQuery()).rows.size(), 2u);
}

TEST_F(TableStoreTest, RunRowsAreCommittedOnEndRunAndOnDestruction) {
    TableRow row = {{schema::rejection::kLineNo, std::string("7")},
                    {schema::rejection::kDescription, std::string("Account is zero")}};
    store.endRun();  // nothing open: no error
    store.beginRun();
    store.beginRun();
    store.appendRow(schema::rejection::kTable, row);
    {
        TableStore other(home.database());
        EXPECT_EQ(rowCount(other, "Dcp_Err"), 0u);
    }
    store.endRun();
    {
        TableStore other(home.database());
        EXPECT_EQ(rowCount(other, "Dcp_Err"), 1u);
        other.beginRun();
        other.appendRow(schema::rejection::kTable, row);
    }
    EXPECT_EQ(rowCount(store, "Dcp_Err"), 2u);
}

// Rows are written in batches: whatever runs next (a select, an emptying, the commit, another
// connection after it) sees every row appended before it, in order, whatever the batch holds.
TEST_F(TableStoreTest, BatchedRowsAreAllThereForWhateverComesNext) {
    using namespace schema;
    auto append = [&](int n) {
        store.appendRow(dcpDetail::kTable,
                        {{dcpDetail::kAccountNo, std::to_string(n)}, {dcpDetail::kAmount, n * 1.5}});
        store.appendRow(rejection::kTable, {{rejection::kLineNo, std::to_string(n)}});
    };
    // Two hand-overs to the writing thread and some rows still kept.
    const int kept = static_cast<int>(2 * RowBatch::kRows * RowBatch::kStatements + RowBatch::kRows + 5);
    store.beginRun();
    for (int n = 0; n < kept; ++n) {
        append(n);
    }
    QueryResult rows = query(store, "SELECT AcNo, Amount FROM Dcp_Detail ORDER BY rowid");
    ASSERT_EQ(rows.rows.size(), static_cast<std::size_t>(kept));
    for (int n = 0; n < kept; ++n) {
        EXPECT_EQ(rows.rows[n][0], TableValue(std::to_string(n)));
        EXPECT_EQ(rows.rows[n][1], TableValue(n * 1.5));
    }
    for (int n = kept; n < kept + 300; ++n) {
        append(n);
    }
    store.clearTable(dcpDetail::kTable);
    append(kept + 300);
    store.endRun();
    TableStore other(home.database());
    EXPECT_EQ(rowCount(other, "Dcp_Detail"), 1u);
    EXPECT_EQ(rowCount(other, "Dcp_Err"), static_cast<std::size_t>(kept + 301));
}

// No row is appended while a cursor still reads: the writing thread would use the connection beside
// it. A batch the writing thread cannot write fails the run when it next hands over or commits,
// naming the table, and the store takes rows again afterwards.
TEST_F(TableStoreTest, RowsWrittenOnTheWritingThreadFailAndSucceedInTheRun) {
    using namespace schema::rejection;
    const int many = static_cast<int>(3 * RowBatch::kRows * RowBatch::kStatements);
    auto append = [&](int from, int to) {
        for (int n = from; n < to; ++n) {
            store.appendRow(kTable, {{kLineNo, std::to_string(n)}});
        }
    };
    store.beginRun();
    append(0, 1);
    {
        auto cursor = store.openQuery("SELECT LnNo FROM Dcp_Err");
        ASSERT_TRUE(cursor->next());
        EXPECT_THROW(append(1, 2), TableError);
    }
    append(1, many);
    EXPECT_EQ(rowCount(store, "Dcp_Err"), static_cast<std::size_t>(many));
    store.endRun();

    SQLite::Database(home.database().string(), SQLite::OPEN_READWRITE)
        .exec(
            "CREATE TRIGGER refuse BEFORE INSERT ON Dcp_Err WHEN NEW.LnNo = '300' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    TableStore refusing(home.database());
    refusing.beginRun();
    refusing.clearTable(kTable);
    try {
        for (int n = 0; n < many; ++n) {
            refusing.appendRow(kTable, {{kLineNo, std::to_string(n)}});
        }
        refusing.endRun();
        ADD_FAILURE() << "the refused row went unnoticed";
    } catch (const TableError& error) {
        EXPECT_NE(std::string(error.what()).find("Dcp_Err: refused"), std::string::npos) << error.what();
    }
    refusing.appendRow(kTable, {{kLineNo, std::string("after")}});
    refusing.endRun();
    EXPECT_EQ(query(refusing, "SELECT LnNo FROM Dcp_Err WHERE LnNo IN ('300', 'after')").rows,
              (std::vector<std::vector<TableValue>>{{std::string("after")}}));
}

// A report dataset over the tables reads them afresh on each pass, row by row, and the JSON
// written from it is the one written from its loaded rows; a select that cannot run fails when
// the dataset is made.
TEST_F(TableStoreTest, QueryDatasetsReadTheTablesOnEveryPass) {
    using namespace schema::mclDetail;
    auto append = [&](const char* account, TableValue amount) {
        store.appendRow(kTable, {{kAccount, std::string(account)}, {kAmount, amount}, {kName, cp874("ชื่อ")}});
    };
    append("1", 1.25);
    ReportValue report;
    report.datasets.push_back(queryDataset(store, "frDBDataSet3", selectAll(kTable)));
    append("2", std::monostate{});
    const ReportDataset& dataset = report.datasets[0];
    for (int pass = 0; pass < 2; ++pass) {
        auto cursor = dataset.open();
        std::vector<std::vector<TableValue>> rows;
        while (cursor->next()) {
            rows.push_back(cursor->row());
        }
        EXPECT_FALSE(cursor->next());
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1][columnIndex(QueryResult{dataset.columns, {}}, kAmount)], TableValue());
        EXPECT_EQ(rows[0][columnIndex(QueryResult{dataset.columns, {}}, kName)], TableValue("ชื่อ"));
    }
    std::ostringstream streamed;
    writeReportJson(report, streamed);
    report.loadRows();
    EXPECT_FALSE(report.datasets[0].source);
    EXPECT_EQ(report.datasets[0].rows.size(), 2u);
    std::ostringstream loaded;
    writeReportJson(report, loaded);
    EXPECT_EQ(loaded.str(), streamed.str());
    EXPECT_THROW(queryDataset(store, "frDBDataSet3", "select * from NoSuchTable"), TableError);
}

}  // namespace
}  // namespace convertor
