#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

#include "bankfile/BankFileVerifier.h"
#include "core/ManagerChequeTestSupport.h"
#include "refdata/Schema.h"

namespace convertor::test {
namespace {

namespace fs = std::filesystem;

std::string sp(std::size_t n) {
    return std::string(n, ' ');
}
std::string pad(const std::string& text, std::size_t width) {
    return text + sp(width - text.size());
}

class ManagerChequeBasicRun : public ::testing::Test {
protected:
    void SetUp() override {
        cheque.payments(chequeData("basic.txt"));
        cheque.invoices(chequeData("basic_inv.txt"));
    }
    ChequeRun cheque;
};

TEST_F(ManagerChequeBasicRun, WritesEachChequeWithItsPayeeTaxAndInvoiceRecords) {
    cheque.run();
    ASSERT_TRUE(cheque.completed());
    auto lines = cheque.bankLines();
    std::string types;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        types += lines[i].substr(0, 3) + " ";
    }
    EXPECT_EQ(types,
              "001 002 003 004 005 006 006 003 004 005 005 006 003 004 005 006 003 004 005 005 "
              "003 004 005 003 004 006 003 004 999 ");
    EXPECT_TRUE(verifyBankFile(cheque.home.out("bank.txt")).empty());

    const std::string debitLast = "0011111111" + sp(15);
    EXPECT_EQ(lines[2], "002MCP20300701" + debitLast + "010001THB000000000224607000000001000007" + debitLast +
                            "010001");
    EXPECT_EQ(lines.back(),
              "999000001000007"
              "0000000002246070");

    EXPECT_EQ(lines[3], "003000001" + sp(25) +
                            "0000000001234560THB00000001YYNCC001"
                            "01"
                            "RUN00000000001" +
                            "000012"
                            "01"
                            "0000000000030000"
                            "000002"
                            "0000000001000000"
                            "1" +
                            pad("TAX TEXT ONE", 40) +
                            "20300430"
                            "014" +
                            sp(35) + "0111" + sp(35) + "CN" + pad("REF-0001", 20) + "1" + sp(75));
    EXPECT_EQ(lines[4], "00400000001000001" + pad("PAYEE-001", 15) + sp(100) + pad("12 MAIN ROAD", 70) +
                            pad("BANGKOK", 70) + pad("10110", 70) + "1234567890" +
                            pad("JOHN SMITH TRADING CO LTD", 70) + sp(394));
    EXPECT_EQ(lines[5],
              "00500000001000001"
              "01"
              "0000000000030000"
              "    1" +
                  sp(80) +
                  "03"
                  "0000000001000000");
    EXPECT_EQ(lines[6], "00600000001000001000001" + pad("INV-0001-A", 15) +
                            "0000000000600000"
                            "20300415" +
                            sp(70) + pad("PO-1", 15) +
                            "0000000000042000"
                            "0000000000001000"
                            "0000000000018000"
                            "T");
    EXPECT_EQ(at(lines[7], 18, 6), "000002");
}

TEST_F(ManagerChequeBasicRun, FillsTaxItemsFromTheirColumns) {
    cheque.run();
    auto lines = cheque.bankLines();
    // Line 2: three-item layout with items 1 and 3; rates 2.5 and 3.5 go to the even neighbour.
    const std::string& cheque2 = lines[8];
    EXPECT_EQ(at(cheque2, 65, 5), "P    ");
    EXPECT_EQ(at(cheque2, 70, 2), "53");
    EXPECT_EQ(at(cheque2, 92, 2), "02");
    EXPECT_EQ(at(cheque2, 219, 4), "0111");
    EXPECT_EQ(lines[10],
              "00500000001000002"
              "01"
              "0000000000025000"
              "    6" +
                  pad("FIRST-DESCRIPTION-20", 80) +
                  "02"
                  "0000000001000000");
    EXPECT_EQ(lines[11],
              "00500000001000002"
              "02"
              "0000000000035000"
              "    6" +
                  pad("THIRD-DESCRIPTION-30-CHARS-XYZ", 80) +
                  "04"
                  "0000000001000000");
    // Line 4: item 1 alone carries all 70 description characters; method M, branch 25.
    EXPECT_EQ(at(lines[13], 65, 5), "M    ");
    EXPECT_EQ(at(lines[13], 219, 4), "0025");
    EXPECT_EQ(at(lines[15], 41, 80),
              pad("FIRST-DESCRIPTION-20SECOND-DESCRIPTIO-20THIRD-DESCRIPTION-30-CHARS-XYZ", 80));
    // Line 6: a blank third tax amount counts but is not written.
    EXPECT_EQ(at(lines[17], 92, 2), "03");
    EXPECT_EQ(at(lines[20], 18, 2), "02");
    EXPECT_EQ(at(lines[20], 41, 80), pad("SECOND-DESCRIPTIO-20", 80));
    // Line 7: other income type, single item from columns 86-94 and 60-72.
    EXPECT_EQ(at(lines[21], 70, 2), "00");
    EXPECT_EQ(at(lines[23], 18, 2), "01");
    EXPECT_EQ(at(lines[23], 36, 5), "    5");
    EXPECT_EQ(at(lines[23], 121, 2), "03");
    // Line 8 has no tax flag, line 9 a zero single item: no record 005 for either.
    EXPECT_EQ(at(lines[24], 92, 2), "00");
    EXPECT_EQ(at(lines[27], 92, 2), "01");
}

TEST_F(ManagerChequeBasicRun, PayeeNameGoesToTheThaiOrTheEnglishField) {
    cheque.run();
    auto lines = cheque.bankLines();
    std::string thai = cp874("บริษัท ทดสอบ จำกัด");
    EXPECT_EQ(at(lines[9], 33, 100), pad(thai, 100));
    EXPECT_EQ(at(lines[9], 353, 70), sp(70));
    EXPECT_EQ(at(lines[9], 133, 70), pad(cp874("ถนนสุขุมวิท"), 70));
}

TEST_F(ManagerChequeBasicRun, InvoicesOfRejectedPaymentsAreSkippedAndAmountsKeepTheirSign) {
    cheque.run();
    auto lines = cheque.bankLines();
    EXPECT_EQ(lines[12], "00600000001000002000001" + pad("CN-0002", 15) +
                             "-000000000050000"
                             "20300331" +
                             sp(70) + pad("PO-3", 15) +
                             "-000000000003500"
                             "0000000000001000"
                             "-000000000001500"
                             "T");
    // After the two invoices of rejected line 3, line 4 takes its own as invoice 1.
    EXPECT_EQ(at(lines[16], 12, 12), "000003000001");
    EXPECT_EQ(at(lines[16], 24, 15), pad("INV-0004", 15));
    // Line 7 (invoice count 000) discards the invoice of rejected line 5, so line 8 gets its own.
    EXPECT_EQ(at(lines[26], 24, 15), pad("INV-0008", 15));
    // Invoice flag with count 000 keeps the invoice amount at its default.
    EXPECT_EQ(at(lines[21], 110, 22), "000000" + std::string(16, '0'));
}

TEST_F(ManagerChequeBasicRun, LogsRejectedAmountsAndSummarisesThem) {
    cheque.run();
    EXPECT_EQ(cheque.rejections("_CreditZeroAmountRecord.txt"),
              "LineNo : 3  Column : 47-59   Credit amount is zero\r\n"
              "LineNo : 10  Column : 47-59   Credit amount is zero\r\n");
    EXPECT_EQ(cheque.rejections("_CreditAmountInvalidRecord.txt"),
              "LineNo : 5  Column : 47-59   Credit amount less than zero or invalid number\r\n");
    EXPECT_FALSE(fs::exists(cheque.home.out("ACME01_MCP_InvalidAcctRecord.txt")));
    RunSummary expected;
    expected.items = {"0", "", "2", "10", "1", "5", "3", "0"};
    EXPECT_EQ(cheque.result.summary.items, expected.items);

    ASSERT_EQ(cheque.op.reports.size(), 1u);
    const ReportValue& report = cheque.op.reports[0];
    EXPECT_EQ(report.templateName, "rptResult.frf");
    EXPECT_EQ(*report.variable("PayType"), "Manager Cheque");
    EXPECT_EQ(*report.variable("DebitRecord"), "1");
    EXPECT_EQ(*report.variable("CreditRecord"), "7");
    EXPECT_EQ(*report.variable("Amount"), "0000000002246.070");
    EXPECT_EQ(*report.variable("ValueDate"), "01/07/2030");
    EXPECT_EQ(*report.variable("ComName"), "");
    EXPECT_EQ(*report.variable("CusCap"), "");
    EXPECT_EQ(cheque.op.progress.back(), 0);
    EXPECT_NE(std::find(cheque.op.progress.begin(), cheque.op.progress.end(), 100), cheque.op.progress.end());
}

// Column values of a dataset row by name (the first column of that name).
const TableValue& value(const ReportDataset& dataset, std::size_t row, const std::string& column) {
    auto found = std::find(dataset.columns.begin(), dataset.columns.end(), column);
    return dataset.rows.at(row).at(static_cast<std::size_t>(found - dataset.columns.begin()));
}

TEST_F(ManagerChequeBasicRun, DetailReportJoinsTheWorkingTablesWithTheLookupTables) {
    cheque.tables.appendRow(schema::rejection::kTable, {{schema::rejection::kLineNo, std::string("1")}});
    cheque.request.printDetail = true;
    cheque.run();
    ASSERT_EQ(cheque.op.reports.size(), 1u);
    const ReportValue& report = cheque.op.reports[0];
    EXPECT_EQ(report.templateName, "rptMcpDetail.frf");
    EXPECT_EQ(report.variable("ComName"), nullptr);
    EXPECT_EQ(*report.variable("Acct"), "0011111111" + sp(15));
    EXPECT_EQ(*report.variable("AcctFee"), "0011111111" + sp(15));
    EXPECT_EQ(*report.variable("HashCode"), cheque.bankLines()[0]);
    EXPECT_TRUE(query(cheque.tables, "select * from Dcp_Err").rows.empty());

    const ReportDataset& cheques = *report.dataset("frDBDataSet4");
    ASSERT_EQ(cheques.rows.size(), 7u);
    EXPECT_EQ(std::get<double>(value(cheques, 0, "CAmount")), 1234.56);
    EXPECT_EQ(std::get<double>(value(cheques, 0, "VatAmount")), 7.0);
    EXPECT_EQ(std::get<std::string>(value(cheques, 0, "TaxDate")), "30/04/2030");
    EXPECT_EQ(std::get<std::string>(value(cheques, 1, "Name")), std::string("บริษัท ทดสอบ จำกัด") + sp(52));

    // Cheque 5 has tax form "00", unknown to WHT_FORM_TYPE: its tax line is left out. Cheque 2's
    // tax-paid code 9 is unknown to WHT_PAY_TYPE: its lines stay, without pay-type columns.
    const ReportDataset& taxes = *report.dataset("frDBDataSet5");
    std::vector<std::string> ids;
    for (std::size_t row = 0; row < taxes.rows.size(); ++row) {
        ids.push_back(std::get<std::string>(value(taxes, row, "CreditId")));
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"000001", "000002", "000002", "000003", "000004", "000004"}));
    for (std::size_t row = 0; row < taxes.rows.size(); ++row) {
        if (std::get<std::string>(value(taxes, row, "CreditId")) == "000002") {
            EXPECT_TRUE(std::holds_alternative<std::monostate>(value(taxes, row, "PAY_TYPE")));
        }
    }
    EXPECT_EQ(query(cheque.tables, "select * from Wht_Detail").rows.size(), 7u);

    const ReportDataset& invoices = *report.dataset("frDBDataSet6");
    ASSERT_EQ(invoices.rows.size(), 5u);
    auto negative = query(cheque.tables,
                          "select InvoiceAmount, VatAmount, InvoiceDate from Invoice_Detail "
                          "where InvoiceNo like 'CN-0002%'");
    ASSERT_EQ(negative.rows.size(), 1u);
    EXPECT_EQ(std::get<double>(negative.rows[0][0]), -50.0);
    EXPECT_EQ(std::get<double>(negative.rows[0][1]), -3.5);
    EXPECT_EQ(std::get<std::string>(negative.rows[0][2]), "31/03/2030");
}

TEST(ManagerChequeConverter, EmptyPaymentFileEndsWithTheFailureMessageAndAReport) {
    ChequeRun cheque;
    cheque.payments({});
    cheque.run();
    EXPECT_FALSE(cheque.completed());
    EXPECT_EQ(cheque.op.messages,
              (std::vector<std::string>{"Reformat data fail because data are rejected all transactions"}));
    ASSERT_EQ(cheque.op.reports.size(), 1u);
    EXPECT_EQ(*cheque.op.reports[0].variable("DebitRecord"), "0");
    EXPECT_FALSE(fs::exists(cheque.home.out("bank.txt")));
}

}  // namespace
}  // namespace convertor::test
