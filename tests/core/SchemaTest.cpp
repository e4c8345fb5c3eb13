#include "refdata/Schema.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "reports/ReportQueries.h"

namespace convertor {
namespace {

// The texts as they stood before the names were gathered: delivered databases and the cheque
// layout depend on them byte for byte.
const char* const kCreateScript = R"sql(
CREATE TABLE IF NOT EXISTS Bank (
    BANK_CODE TEXT(10) NOT NULL PRIMARY KEY,
    BANK_NAME_TH TEXT(100),
    BANK_NAME_EN TEXT(100)
);
CREATE TABLE IF NOT EXISTS BRANCH (
    BRANCH_CODE TEXT(10) NOT NULL,
    BANK_CODE TEXT(10) NOT NULL,
    BRANCH_NAME_TH TEXT(100),
    BRANCH_NAME_EN TEXT(100),
    REGION_CODE TEXT(10),
    PRIMARY KEY (BRANCH_CODE, BANK_CODE)
);
CREATE TABLE IF NOT EXISTS Dcp_Err (
    LnNo TEXT(10),
    FieldName TEXT(21),
    ColNo TEXT(11),
    DesErr TEXT(60)
);
CREATE TABLE IF NOT EXISTS Dcp_Detail (
    AcNo TEXT(25),
    Amount REAL,
    Name TEXT(60)
);
CREATE TABLE IF NOT EXISTS Mcl_Detail (
    Acct TEXT(25),
    BankCode TEXT(3),
    BranchCode TEXT(4),
    Amount REAL,
    ServiceType TEXT(41),
    Name TEXT(23)
);
CREATE TABLE IF NOT EXISTS Mcp_Detail (
    ID TEXT(6),
    Name TEXT(70),
    CAmount REAL,
    WhtAmount REAL,
    VatAmount REAL,
    InvoiceAmount REAL,
    RefNo TEXT(20),
    TaxId TEXT(10),
    TaxAttach TEXT(6),
    TaxRun TEXT(14),
    TaxDate TEXT(10),
    TaxPaid TEXT(1),
    TaxForm TEXT(2)
);
CREATE TABLE IF NOT EXISTS Wht_Detail (
    CreditId TEXT(6),
    WhtId TEXT(2),
    IncomeAmount REAL,
    WhtAmount REAL,
    IncomeType TEXT(1),
    IncomeDescription TEXT(80),
    Rate TEXT(2)
);
CREATE TABLE IF NOT EXISTS Invoice_Detail (
    CreditId TEXT(6),
    InvoiceId TEXT(6),
    InvoiceNo TEXT(15),
    InvoiceAmount REAL,
    InvoiceDate TEXT(10),
    PoNo TEXT(15),
    VatAmount REAL,
    ChargeAmount REAL,
    WhtAmount REAL
);
CREATE TABLE IF NOT EXISTS WHT_FORM_TYPE (
    FORM_TYPE TEXT(2) NOT NULL PRIMARY KEY,
    FORM_NAME TEXT(40),
    FORM_DESC TEXT(100)
);
CREATE TABLE IF NOT EXISTS WHT_TAX_TYPE (
    TAX_TYPE TEXT(1) NOT NULL PRIMARY KEY,
    TAX_DESC TEXT(100)
);
CREATE TABLE IF NOT EXISTS WHT_PAY_TYPE (
    PAY_TYPE TEXT(1) NOT NULL PRIMARY KEY,
    PAY_DESC TEXT(100)
);
)sql";

TEST(Schema, BuildsTheTextsTheTablesAndTheChequeLayoutWereMadeWith) {
    EXPECT_EQ(schema::createTablesSql(), kCreateScript);
    EXPECT_EQ(
        withholdingTaxQuery(),
        "Select  *  From  Wht_Detail , WHT_FORM_TYPE ,WHT_TAX_TYPE ,\r\n"
        "Mcp_Detail   left outer  join   WHT_PAY_TYPE  on Mcp_Detail.TaxPaid= WHT_PAY_TYPE.PAY_TYPE\r\n"
        "where Mcp_Detail.ID =  Wht_Detail.CreditId AND Mcp_Detail.TaxForm=WHT_FORM_TYPE.FORM_TYPE  AND "
        "Wht_Detail.IncomeType=WHT_TAX_TYPE.TAX_TYPE");
    EXPECT_EQ(invoiceQuery(),
              "Select * from Mcp_Detail, Invoice_Detail where Mcp_Detail.ID=Invoice_Detail.CreditId");
    EXPECT_EQ(selectAll(schema::rejection::kTable), "select * from Dcp_Err");
}

TEST(Schema, NamesEveryTableAndDatasetOnce) {
    const auto tables = schema::tableNames();
    EXPECT_EQ(tables.size(), 11u);
    EXPECT_EQ(std::set<std::string>(tables.begin(), tables.end()).size(), tables.size());
    const std::set<std::string> datasets(std::begin(schema::dataset::kAll), std::end(schema::dataset::kAll));
    EXPECT_EQ(datasets, (std::set<std::string>{"frDBDataSet1", "frDBDataSet2", "frDBDataSet3", "frDBDataSet4",
                                               "frDBDataSet5", "frDBDataSet6"}));
}

TEST(Schema, TextColumnsKnowTheirWidth) {
    EXPECT_EQ(schema::columnWidth(schema::bank::kTable, schema::bank::kCode), 10u);
    EXPECT_EQ(schema::columnWidth(schema::branch::kTable, schema::branch::kNameEn), 100u);
    EXPECT_EQ(schema::columnWidth(schema::dcpDetail::kTable, schema::dcpDetail::kAmount), 0u);
    EXPECT_EQ(schema::columnWidth("NoSuchTable", schema::bank::kCode), 0u);
}

}  // namespace
}  // namespace convertor
