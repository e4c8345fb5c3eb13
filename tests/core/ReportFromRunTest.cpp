#include <gtest/gtest.h>

#include "reports/ReportEngine.h"
#include "support/RunFixture.h"

namespace convertor::test {
namespace {

// The delivered templates rendered from the report values of real runs.
class ReportFromRunTest : public RunFixture {
protected:
    std::string render() {
        if (op.reports.size() != 1u) {
            ADD_FAILURE() << op.reports.size() << " reports shown";
            return {};
        }
        return renderReportFile(op.reports.back(), home.home() / "Report", Date{2030, 1, 2});
    }
    static bool has(const std::string& html, const std::string& text) {
        return html.find(text) != std::string::npos;
    }
};

TEST_F(ReportFromRunTest, ResultReportOfADirectCreditRun) {
    directCredit("dcp/eleven.txt");
    request.companyId = "O'NEIL&CO";
    run();
    std::string html = render();
    EXPECT_TRUE(has(html, "SAMPLE TRADING CO LTD"));
    EXPECT_TRUE(has(html, op.hashValue));
    EXPECT_TRUE(has(html, "O&#39;NEIL&amp;CO")) << "the company ID shows as typed";
    EXPECT_TRUE(has(html, "Direct Credit"));
    EXPECT_TRUE(has(html, "02/01/2030"));
    EXPECT_TRUE(has(html, "1,324.00"));
}

TEST_F(ReportFromRunTest, DetailReportOfADirectCreditRunListsLinesAndRejections) {
    directCredit("dcp/eleven.txt");
    request.printDetail = true;
    run();
    std::string html = render();
    EXPECT_TRUE(has(html, "Somchai Example"));
    EXPECT_TRUE(has(html, "สมชาย ตัวอย่าง"));
    EXPECT_TRUE(has(html, "123.45"));
    EXPECT_TRUE(has(html, "Account is invalid ZVB account"));
    EXPECT_TRUE(has(html, "Credit amount less than zero or invalid number"));
    EXPECT_LT(html.find("Somchai Example"), html.find("สมชาย ตัวอย่าง")) << "rows in the order of the file";
}

TEST_F(ReportFromRunTest, DetailReportOfAMediaClearingRun) {
    clock = FixedClock(Date{2025, 3, 5});
    request.companyId = "C0001";
    request.product = Product::MediaClearing;
    request.sourceFile = testData("mcl/mixed.txt").string();
    request.destinationFile = bank().string();
    request.printDetail = true;
    run();
    ASSERT_TRUE(completed());
    std::string html = render();
    EXPECT_TRUE(has(html, "Thai Test Trading Co.,Ltd."));
    EXPECT_TRUE(has(html, "9876543214")) << "the debit account of the last line";
    EXPECT_TRUE(has(html, "Sample Home Bank") || has(html, "014"));
    EXPECT_TRUE(has(html, "(01)Salary, wages, gratuity or retirement"));
    EXPECT_TRUE(has(html, "Credit amount is zero"));
}

TEST_F(ReportFromRunTest, DetailReportOfAManagerChequeRunNestsTaxAndInvoiceRows) {
    request.companyId = "ACME01";
    request.product = Product::ManagerCheque;
    request.sourceFile = testData("mcp/basic.txt").string();
    request.invoiceFile = testData("mcp/basic_inv.txt").string();
    request.destinationFile = bank().string();
    request.printDetail = true;
    run();
    ASSERT_TRUE(completed()) << (op.messages.empty() ? "" : op.messages[0]);
    const ReportValue& report = op.reports.back();
    const ReportDataset* cheques = report.dataset("frDBDataSet4");
    const ReportDataset* invoices = report.dataset("frDBDataSet6");
    ASSERT_NE(cheques, nullptr);
    ASSERT_NE(invoices, nullptr);
    ASSERT_FALSE(cheques->rows.empty());
    std::string html = render();
    EXPECT_TRUE(has(html, "Manager Cheque"));
    EXPECT_TRUE(has(html, op.hashValue));
    std::string firstName = std::get<std::string>(cheques->rows[0][1]);
    EXPECT_TRUE(has(html, firstName.substr(0, firstName.find_last_not_of(' ') + 1)));
    if (!invoices->rows.empty()) {
        std::size_t invoiceNo = 0;
        while (invoices->columns[invoiceNo] != "InvoiceNo") {
            ++invoiceNo;
        }
        std::string number = std::get<std::string>(invoices->rows[0][invoiceNo]);
        EXPECT_TRUE(has(html, number.substr(0, number.find_last_not_of(' ') + 1)));
    }
}

}  // namespace
}  // namespace convertor::test
