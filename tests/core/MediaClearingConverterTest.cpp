#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "bankfile/BankFileVerifier.h"
#include "bankfile/Rejection.h"
#include "base/ConversionError.h"
#include "convert/ConversionRun.h"
#include "convert/Session.h"
#include "refdata/TableStore.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

namespace fs = std::filesystem;
using test::cp874;
using test::query;
using test::QueryResult;
using test::readFile;
using test::splitCrlf;

// The mixed source file is dated 6 March 2025.
constexpr Date kDayBefore{2025, 3, 5};

std::string field(const std::string& record, std::size_t start, std::size_t width) {
    return record.substr(start - 1, width);
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

class MediaClearingTest : public ::testing::Test {
protected:
    MediaClearingTest() {
        request.companyId = "C0001";
        request.product = Product::MediaClearing;
        request.destinationFile = home.out("bank.txt").string();
    }

    void convert(const std::string& source, Date today = kDayBefore) {
        fs::copy_file(test::testData("mcl/" + source), home.in(source), fs::copy_options::overwrite_existing);
        request.sourceFile = home.in(source).string();
        FixedClock clock(today);
        session.setClock(clock);
        result = runConversion(request, session, op);
    }

    std::vector<std::string> bankLines() const { return splitCrlf(readFile(home.out("bank.txt"))); }
    bool bankFileWritten() const { return fs::exists(home.out("bank.txt")); }
    bool workFilesLeft() const { return test::workFilesIn(home.out("")); }
    std::vector<std::string> rejected(RejectionKind kind) const {
        fs::path file = home.out(std::string("C0001_MCL") + rejectionSuffix(kind));
        return fs::exists(file) ? splitCrlf(readFile(file)) : std::vector<std::string>{};
    }
    long rows(const std::string& sql) { return static_cast<long>(query(tables, sql).rows.size()); }
    std::string variable(const std::string& name) const {
        const std::string* value = op.reports.at(0).variable(name);
        return value == nullptr ? "<unset>" : *value;
    }

    test::TestHome home;
    Session session{home.home()};
    TableStore& tables = session.tables();
    test::RecordingOperator op;
    ConversionRequest request;
    RunResult result;
};

TEST_F(MediaClearingTest, AcceptedLinesBecomeCreditAndPayeeRecords) {
    convert("mixed.txt");
    std::vector<std::string> lines = bankLines();
    ASSERT_EQ(lines.size(), 2u * 6 + 4);
    EXPECT_TRUE(verifyBankFile(home.out("bank.txt")).empty());

    const std::string& own = lines[3];
    EXPECT_EQ(field(own, 4, 6), "000001");
    EXPECT_EQ(field(own, 10, 25), padded("5550001116", 25));
    EXPECT_EQ(field(own, 35, 16), "0000000000123450");
    EXPECT_EQ(field(own, 181, 3 + 35 + 4 + 35),
              "014" + padded("Sample Home Bank", 35) + "0001" + padded("Sample Head Office", 35));
    EXPECT_EQ(field(own, 284, 2), "01");
    EXPECT_EQ(field(lines[4], 12, 6 + 15), "000001" + std::string(15, ' '));
    EXPECT_EQ(field(lines[4], 33, 100), padded(cp874("นายสมชาย ใจดี"), 100));
    EXPECT_EQ(field(lines[4], 353, 70), std::string(70, ' '));

    const std::string& unknown = lines[5];
    EXPECT_EQ(field(unknown, 10, 25), padded("12345678901", 25));
    EXPECT_EQ(field(unknown, 181, 3 + 35 + 4 + 35),
              "002" + padded("New bank", 35) + "0001" + padded("New branch", 35));
    EXPECT_EQ(field(unknown, 284, 2), "59");
    EXPECT_EQ(field(lines[6], 18, 15), "ID12345678     ");
    EXPECT_EQ(field(lines[6], 33, 100), std::string(100, ' '));
    EXPECT_EQ(field(lines[6], 353, 70), padded("JOHN SMITH", 70));

    EXPECT_EQ(field(lines[7], 10, 25), padded("1234567890", 25));
    EXPECT_EQ(field(lines[7], 284, 2), "08");

    // Line 12 ends before the payee columns: the payee record is blank, not short.
    EXPECT_EQ(field(lines[9], 181, 3 + 35 + 4 + 35),
              "025" + padded("Sample Cooperative Bank", 35) + "0001" + padded("New branch", 35));
    EXPECT_EQ(lines[10], "00400000001000004" + std::string(816 - 17, ' '));

    EXPECT_EQ(field(lines[12], 18, 15), "P000000001     ");
    EXPECT_EQ(field(lines[12], 353, 70), padded("AB CD", 70));
    // Thai vowels and tone marks alone do not make a Thai name.
    EXPECT_EQ(field(lines[14], 353, 70), padded(cp874("ะาิ่"), 70));

    EXPECT_EQ(lines[15],
              "999000001000006"
              "0000000000474950");
}

TEST_F(MediaClearingTest, DebitRecordComesFromTheLastDetailLine) {
    convert("mixed.txt");
    std::vector<std::string> lines = bankLines();
    ASSERT_EQ(lines.size(), 16u);
    std::string debit = padded("9876543214", 25);
    EXPECT_EQ(lines[2], "002MCL20250306" + debit +
                            "060987THB0000000000474950"
                            "00000001"
                            "000006" +
                            debit + "060987");
    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Reformat data and add to 2025-03-05C0001_MCL.zip completed"});
    EXPECT_EQ(op.hashValue, lines[0]);
    EXPECT_FALSE(workFilesLeft());
}

TEST_F(MediaClearingTest, RejectedLinesAreLoggedPerReason) {
    convert("mixed.txt");
    EXPECT_EQ(
        rejected(RejectionKind::InvalidAcct),
        (std::vector<std::string>{"LineNo : 6  Column : 17-27  Credit account is invalid ZVB account",
                                  "LineNo : 9  Column : 17-27  Credit account is zero or not numeric or "
                                  "invalid length"}));
    EXPECT_EQ(rejected(RejectionKind::CreditZeroAmount),
              (std::vector<std::string>{"LineNo : 5  Column : 58-69  Credit amount is zero",
                                        "LineNo : 8  Column : 58-69  Credit amount is zero"}));
    EXPECT_EQ(rejected(RejectionKind::CreditAmountInvalid),
              (std::vector<std::string>{
                  "LineNo : 10  Column : 58-69  Credit amount less than zero or invalid number",
                  "LineNo : 11  Column : 58-69  Credit amount less than zero or invalid number"}));
    EXPECT_EQ(rejected(RejectionKind::BankBranchCode),
              (std::vector<std::string>{"LineNo : 7  Column : 10-12 Column: 13-16 invalid code",
                                        "LineNo : 8  Column : 10-12 Column: 13-16 invalid code"}));
    EXPECT_EQ(result.summary.items, (std::array<std::string, 8>{"2", "9", "2", "8", "2", "11", "8", "2"}));
}

TEST_F(MediaClearingTest, ResultReportCarriesTheRunFigures) {
    convert("mixed.txt");
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(op.reports[0].templateName, "rptResult.frf");
    EXPECT_EQ(variable("PayType"), "Media Clearing");
    EXPECT_EQ(variable("DebitRecord"), "1");
    EXPECT_EQ(variable("CreditRecord"), "6");
    EXPECT_EQ(variable("Amount"), "0000000000474.950");
    EXPECT_EQ(variable("ValueDate"), "06/03/2025");
    EXPECT_EQ(variable("ComName"), padded("Thai Test Trading Co.,Ltd.", 30));
    EXPECT_EQ(variable("CusCap"), "Company Name : ");
    EXPECT_EQ(variable("TotalReject"), "8");
    EXPECT_EQ(variable("TotalBNKBRN"), "2");
    EXPECT_EQ(op.progress.back(), 0);
    EXPECT_NE(std::find(op.progress.begin(), op.progress.end(), 100), op.progress.end());
}

TEST_F(MediaClearingTest, UnknownCodesStayInTheReferenceTablesAndAreAddedOnce) {
    convert("mixed.txt");
    EXPECT_EQ(rows("select * from Bank where BANK_CODE in ('002', 'AB1') and BANK_NAME_EN = 'New bank'"), 2);
    EXPECT_EQ(rows("select * from BRANCH where BRANCH_NAME_EN = 'New branch'"), 4);
    EXPECT_EQ(rows("select * from BRANCH where BANK_CODE = '004' and BRANCH_CODE = '12A '"), 1);

    convert("mixed.txt");
    EXPECT_EQ(rows("select * from Bank where BANK_NAME_EN = 'New bank'"), 2);
    EXPECT_EQ(rows("select * from BRANCH where BRANCH_NAME_EN = 'New branch'"), 4);
}

TEST_F(MediaClearingTest, BlankNamesOfKnownCodesReadAsNewWithoutDuplicates) {
    tables.addBank("026", "  ");
    tables.addBranch("026", "0002", " ");
    convert("blank_names.txt");
    std::vector<std::string> lines = bankLines();
    ASSERT_EQ(lines.size(), 2u * 2 + 4);
    EXPECT_EQ(field(lines[5], 181, 3 + 35 + 4 + 35),
              "026" + padded("New bank", 35) + "0002" + padded("New branch", 35));
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = '026'"), 1);
    EXPECT_EQ(rows("select * from BRANCH where BANK_CODE = '026'"), 1);
}

TEST_F(MediaClearingTest, PrintDetailFillsTheWorkingTablesAndTheDetailReport) {
    request.printDetail = true;
    convert("mixed.txt");
    op = test::RecordingOperator{};
    convert("mixed.txt");  // the second run empties what the first left

    ASSERT_EQ(op.reports.size(), 1u);
    const ReportValue& report = op.reports[0];
    EXPECT_EQ(report.templateName, "rptMclDetail.frf");
    EXPECT_EQ(variable("HashCode"), op.hashValue);
    EXPECT_EQ(variable("ComId"), "C0001");
    EXPECT_EQ(variable("PayType"), "Media Clearing");
    EXPECT_EQ(variable("ValueDate"), "06/03/2025");
    EXPECT_EQ(variable("Acct"), "9876543214");
    EXPECT_EQ(variable("AcctFee"), "9876543214");

    const ReportDataset* details = report.dataset("frDBDataSet3");
    ASSERT_NE(details, nullptr);
    ASSERT_EQ(details->rows.size(), 6u);
    QueryResult mcl =
        query(tables, "select Acct, BankCode, BranchCode, Amount, ServiceType, Name from Mcl_Detail");
    ASSERT_EQ(mcl.rows.size(), 6u);
    EXPECT_EQ(mcl.rows[0], (std::vector<TableValue>{padded("5550001116", 25), "014", "0001", 123.45,
                                                    "(01)Salary, wages, gratuity or retirement",
                                                    std::string("นายสมชาย ใจดี") + std::string(10, ' ')}));
    EXPECT_EQ(mcl.rows[1][4], TableValue("(59)Others"));
    EXPECT_EQ(mcl.rows[2][4], TableValue());
    EXPECT_EQ(mcl.rows[2][3], TableValue(0.5));

    const ReportDataset* errors = report.dataset("frDBDataSet2");
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->rows.size(), 8u);
    QueryResult err = query(tables, "select LnNo, FieldName, ColNo, DesErr from Dcp_Err");
    ASSERT_EQ(err.rows.size(), 8u);
    EXPECT_EQ(err.rows[2], (std::vector<TableValue>{"7", "Bank Code,Branch Code", "10-12,13-16",
                                                    "Bank AB1 branch 0001 invalid code"}));
    EXPECT_EQ(err.rows[4][3], TableValue("Bank 004 branch 12A  invalid code"));
    EXPECT_EQ(err.rows[5],
              (std::vector<TableValue>{"9", "Account", "17-27", "Credit account is invalid account"}));
}

TEST_F(MediaClearingTest, EffectiveDateMustLieAfterToday) {
    convert("mixed.txt", Date{2025, 3, 6});
    EXPECT_EQ(op.messages, std::vector<std::string>{"EFFECTIVE DATE OF TRANSFER should be future date"});
    EXPECT_TRUE(op.reports.empty());
    EXPECT_FALSE(bankFileWritten());
    EXPECT_FALSE(workFilesLeft());
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = '002'"), 0);

    op = test::RecordingOperator{};
    convert("header_feb30.txt");
    EXPECT_EQ(op.messages, std::vector<std::string>{"Invalid  EFFECTIVE DATE OF TRANSFER"});
    EXPECT_TRUE(op.reports.empty());

    // A blank in the month passes as a number but would leave record 002 without a date.
    op = test::RecordingOperator{};
    convert("header_blank_month.txt");
    EXPECT_EQ(op.messages, std::vector<std::string>{"Invalid  EFFECTIVE DATE OF TRANSFER"});
}

TEST_F(MediaClearingTest, RecordCountMustBeAWholeNumber) {
    try {
        convert("header_count.txt");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("'12A456'"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(op.messages.empty());
    EXPECT_FALSE(workFilesLeft());
}

TEST_F(MediaClearingTest, BadDebitAccountStopsTheRunKeepingWhatCameBefore) {
    convert("stop_debit.txt");
    EXPECT_EQ(op.messages, std::vector<std::string>{"Invalid ZVB debit account"});
    EXPECT_TRUE(op.reports.empty());
    EXPECT_FALSE(bankFileWritten());
    EXPECT_FALSE(workFilesLeft());
    EXPECT_TRUE(rejected(RejectionKind::CreditZeroAmount).empty())
        << "a stopped run puts no rejection file in place";
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = '003'"), 1);
    EXPECT_EQ(rows("select * from BRANCH where BANK_CODE = '003' and BRANCH_CODE = '0005'"), 1);

    op = test::RecordingOperator{};
    convert("blank_line.txt");
    EXPECT_EQ(op.messages, std::vector<std::string>{"Invalid ZVB debit account"});
    EXPECT_FALSE(bankFileWritten());
}

TEST_F(MediaClearingTest, NothingAcceptedStillEndsWithTheReport) {
    convert("all_rejected.txt");
    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Reformat data fail because data are rejected all transactions"});
    EXPECT_FALSE(bankFileWritten());
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(variable("DebitRecord"), "0");
    EXPECT_EQ(variable("CreditRecord"), "0");
    EXPECT_EQ(variable("Amount"), "0000000000000.000");
    EXPECT_EQ(variable("HashCode"), "");
}

TEST_F(MediaClearingTest, AmountWithoutAValueStopsTheRunNamingTheLine) {
    try {
        convert("amount_point.txt");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("(line 3)"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(bankFileWritten());
    EXPECT_FALSE(workFilesLeft());
}

}  // namespace
}  // namespace convertor
