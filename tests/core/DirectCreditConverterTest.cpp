#include <gtest/gtest.h>

#include "bankfile/BankFileVerifier.h"
#include "bankfile/FileDigest.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "refdata/Schema.h"
#include "support/RunFixture.h"

namespace convertor::test {
namespace {

class DirectCreditTest : public RunFixture {};

TEST_F(DirectCreditTest, ElevenDigitLayoutWritesRecordsRejectionsAndSummary) {
    directCredit("dcp/eleven.txt");
    run();

    ASSERT_TRUE(completed());
    EXPECT_TRUE(verifyBankFile(bank()).empty());
    auto lines = bankLines();
    // digest, 001, 002, (003 004) (003 004) (003) (003 004), trailer
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], op.hashValue);
    Sha1 rest;
    rest.update(readFile(bank()).substr(42));
    EXPECT_EQ(lines[0], digestText(rest.finish())) << "the digest covers the bytes after the digest line";
    EXPECT_EQ(lines[2], "002DCP20300102" + std::string("1234567896") + std::string(15, ' ') + "04" + "0123" +
                            "THB" + "0000000001324000" + "00000001" + "000004" + "1234567896" +
                            std::string(15, ' ') + "04" + "0123");
    const std::string& first = lines[3];
    EXPECT_EQ(first.substr(0, 9), "003000001");
    EXPECT_EQ(first.substr(9, 25), "1234567896" + std::string(15, ' '));
    EXPECT_EQ(first.substr(34, 16), "0000000000123450");
    EXPECT_EQ(first.substr(180, 3), "014");
    EXPECT_EQ(first.substr(218, 4), "0123");
    EXPECT_EQ(lines[4].substr(352, 70), "Somchai Example" + std::string(55, ' '));
    EXPECT_EQ(lines[4].substr(32, 100), std::string(100, ' '));
    EXPECT_EQ(lines[6].substr(32, 100), cp874("สมชาย ตัวอย่าง") + std::string(86, ' '));
    EXPECT_EQ(lines[7].substr(0, 9), "003000003") << "a line without a name writes no record 004";
    EXPECT_EQ(lines[9].substr(352, 9), "Tab here ") << "a control byte in a name is written as a blank";
    EXPECT_EQ(lines[10], "9990000010000040000000001324000");

    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Reformat data and add to 2030-01-02ACME01_DCP.zip completed"});
    EXPECT_EQ(readFile(outFile("ACME01_DCP_InvalidAcctRecord.txt")),
              crlfLines({"LineNo : 5  Column : 1-10  Account is zero",
                         "LineNo : 6  Column : 1-10  Account is invalid ZVB account",
                         "LineNo : 7  Column : 1-10  Account is invalid ZVB account"}));
    EXPECT_EQ(readFile(outFile("ACME01_DCP_CreditZeroAmountRecord.txt")),
              crlfLines({"LineNo : 5  Column : 18-28  Credit amount is zero",
                         "LineNo : 9  Column : 18-28  Credit amount is zero"}));
    EXPECT_EQ(readFile(outFile("ACME01_DCP_CreditAmountInvalidRecord.txt")),
              crlfLines({"LineNo : 6  Column : 18-28  Credit amount less than zero or invalid number",
                         "LineNo : 7  Column : 18-28  Credit amount less than zero or invalid number",
                         "LineNo : 8  Column : 18-28  Credit amount less than zero or invalid number"}));
    EXPECT_EQ(result.summary.items, (std::array<std::string, 8>{"3", "7", "2", "9", "3", "8", "8", "0"}));
    EXPECT_FALSE(workFilesIn(home.out("")));
    EXPECT_FALSE(std::filesystem::exists(home.out("bank.txtTemp2")));
    EXPECT_EQ(op.progress.back(), 0) << "the bar returns to 0 at the end";
}

TEST_F(DirectCreditTest, NineDigitLayoutShiftsHeaderAndStopsAtCtrlZ) {
    directCredit("dcp/nine.txt", Product::Payroll);
    run();

    ASSERT_TRUE(completed());
    auto lines = bankLines();
    ASSERT_EQ(lines.size(), 8u);  // digest, 001, 002, 003 004, 003 004, trailer
    EXPECT_EQ(lines[2].substr(0, 14), "002PAY20301231");
    EXPECT_EQ(lines[3].substr(34, 16), "0000000000123450");
    EXPECT_EQ(lines[5].substr(34, 16), "0000000000001000");
    EXPECT_EQ(lines[6].substr(32, 17), cp874("เงินเดือน พนักงาน"));
    EXPECT_EQ(readFile(outFile("ACME01_PAY_CreditZeroAmountRecord.txt")),
              crlfLines({"LineNo : 3  Column : 18-26  Credit amount is zero"}));
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(*op.reports[0].variable("ComName"), "NINE DIGIT COMPANY            ");
    EXPECT_EQ(*op.reports[0].variable("ValueDate"), "31/12/2030");
    EXPECT_EQ(*op.reports[0].variable("PayType"), "PayRoll");
}

TEST_F(DirectCreditTest, HeaderChecksEndTheRunWithoutReport) {
    struct Case {
        const char* file;
        const char* message;
    };
    for (const Case& c : {Case{"dcp/bad_date.txt", "Invalid EFFECTIVE-DATE"},
                          Case{"dcp/signed_date.txt", "Invalid EFFECTIVE-DATE"},
                          Case{"dcp/yesterday.txt", "EFFECTIVE-DATE should be today or future date"}}) {
        op = RecordingOperator();
        directCredit(c.file);
        run();
        EXPECT_EQ(op.messages, std::vector<std::string>{c.message}) << c.file;
        EXPECT_TRUE(op.reports.empty()) << c.file;
        EXPECT_FALSE(std::filesystem::exists(bank())) << c.file;
        EXPECT_TRUE(std::filesystem::is_empty(home.home() / "out")) << c.file;
    }
}

TEST_F(DirectCreditTest, UnreadableNumbersStopTheRunNamingTheLine) {
    directCredit("dcp/bad_count.txt");
    try {
        run();
        FAIL() << "a record count that is no number was taken";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'12A45' is not a valid integer value (line 1)");
    }
    // A NUL in the field is shown, so the message goes on past it.
    std::string withNul = readFile(testData("dcp/bad_count.txt"));
    withNul[withNul.find("12A45") + 2] = '\0';
    writeFile(home.in("nul.txt"), withNul);
    request.sourceFile = home.in("nul.txt").string();
    try {
        run();
        FAIL() << "a record count holding a NUL was taken";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'12\\045' is not a valid integer value (line 1)");
    }
    directCredit("dcp/plus_amount.txt");
    try {
        run();
        FAIL() << "a signed amount was taken";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'0000+00000123.450' is not a valid floating point value (line 3)");
    }
    EXPECT_FALSE(std::filesystem::exists(bank()));
    EXPECT_FALSE(workFilesIn(home.out("")));

    // A run that fails part-way leaves an older bank file as it was.
    writeFile(bank(), "older bank file");
    EXPECT_THROW(run(), ConversionError);
    EXPECT_EQ(readFile(bank()), "older bank file");
}

TEST_F(DirectCreditTest, EveryLineRejectedLeavesOlderBankFileAlone) {
    writeFile(bank(), "older bank file");
    directCredit("dcp/all_rejected.txt");
    op.hashValue = "stale";
    run();
    EXPECT_FALSE(completed());
    EXPECT_EQ(readFile(bank()), "older bank file");
    EXPECT_EQ(op.hashValue, "");
    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Reformat data fail because data are rejected all transactions"});
    ASSERT_EQ(op.reports.size(), 1u) << "the report is still shown";
    EXPECT_EQ(*op.reports[0].variable("DebitRecord"), "0");
    EXPECT_EQ(*op.reports[0].variable("ToFile"), "");
    EXPECT_FALSE(std::filesystem::exists(home.out("2030-01-02ACME01_DCP.zip")));
}

TEST_F(DirectCreditTest, HeaderOnlyFileRejectsEverything) {
    directCredit("dcp/header_only.txt");
    run();
    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Reformat data fail because data are rejected all transactions"});
    EXPECT_TRUE(std::filesystem::is_empty(home.home() / "out"));
}

TEST_F(DirectCreditTest, LoneLineFeedStaysInsideTheLineAndLastLineWithoutEndIsRead) {
    directCredit("dcp/lone_lf.txt");
    run();
    auto lines = bankLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4].substr(352, 10), "Line Feed ");
    EXPECT_EQ(lines[6].substr(352, 9), "Last Line");
}

TEST_F(DirectCreditTest, PrintDetailFillsWorkingTablesAndShowsDetailReport) {
    tables.appendRow(schema::rejection::kTable, {{schema::rejection::kLineNo, std::string("99")}});
    directCredit("dcp/eleven.txt");
    request.printDetail = true;
    request.debitAccount = " 1234567896";
    run();

    ASSERT_EQ(op.reports.size(), 1u);
    const ReportValue& report = op.reports[0];
    EXPECT_EQ(report.templateName, "rptDcpDetail.frf");
    EXPECT_EQ(*report.variable("Acct"), " 1234567896") << "shown as typed";
    const ReportDataset* details = report.dataset("frDBDataSet1");
    ASSERT_NE(details, nullptr);
    ASSERT_EQ(details->rows.size(), 4u);
    EXPECT_EQ(std::get<std::string>(details->rows[0][0]), "1234567896" + std::string(15, ' '));
    EXPECT_DOUBLE_EQ(std::get<double>(details->rows[0][1]), 123.45);
    EXPECT_EQ(std::get<std::string>(details->rows[1][2]), "สมชาย ตัวอย่าง");
    EXPECT_EQ(std::get<std::string>(details->rows[2][2]), "");
    const ReportDataset* errors = report.dataset("frDBDataSet2");
    ASSERT_NE(errors, nullptr);
    ASSERT_EQ(errors->rows.size(), 8u) << "the rows of the earlier run are gone";
    EXPECT_EQ(std::get<std::string>(errors->rows[0][0]), "5");
    EXPECT_EQ(std::get<std::string>(errors->rows[0][1]), "Account");
    EXPECT_EQ(std::get<std::string>(errors->rows[0][3]), "Account is zero");
    EXPECT_EQ(std::get<std::string>(errors->rows[3][2]), "18-28");

    // Debit account typed with a leading blank: the record uses the account itself.
    EXPECT_EQ(bankLines()[2].substr(14, 31), "1234567896" + std::string(15, ' ') + "040123");
}

}  // namespace
}  // namespace convertor::test

namespace convertor::test {
namespace {

// A header and `count` detail lines of the largest amount a line can carry.
std::string largestAmounts(long count) {
    std::string file = "H" + std::string(14, '0') + std::string(30, 'X') + "  020130" + "99999" + "\r\n";
    std::string line =
        "1234567896" + std::string(7, '0') + std::string(11, '9') + std::string(60, ' ') + "\r\n";
    for (long i = 0; i < count; ++i) {
        file += line;
    }
    return file;
}

TEST_F(DirectCreditTest, TotalThatDoesNotFitItsFieldWritesNoBankFile) {
    directCredit("dcp/eleven.txt");
    request.sourceFile = home.in("large.txt").string();
    writeFile(home.in("large.txt"), largestAmounts(10'000));  // 9,999,999,999,900.00 fits
    run();
    ASSERT_TRUE(completed());
    EXPECT_EQ(bankLines()[2].substr(48, 16), "9999999999900000");

    std::filesystem::remove(bank());
    writeFile(home.in("large.txt"), largestAmounts(10'001));
    try {
        run();
        FAIL() << "a total of 10,000,000,000,000 or more was written";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("10,000,000,000,000 or more"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(bank()));
    EXPECT_FALSE(workFilesIn(home.out("")));
}

TEST(BankFileAssembly, SequenceNumbersStopPastSixDigits) {
    EXPECT_EQ(BankFileAssembly::sequenceText(1), "000001");
    EXPECT_EQ(BankFileAssembly::sequenceText(999'999), "999999");
    EXPECT_THROW(BankFileAssembly::sequenceText(1'000'000), ConversionError);
}

}  // namespace
}  // namespace convertor::test
