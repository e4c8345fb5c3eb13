#include <gtest/gtest.h>

#include "products/BankBranchLookup.h"
#include "products/MediaClearingChecks.h"
#include "products/MediaClearingLine.h"
#include "refdata/TableStore.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

TEST(MediaClearingChecksTest, CreditAccountAtOwnBankUsesCheckDigitOnLastTenColumns) {
    EXPECT_TRUE(CreditAccountCheck("01234567896", "014"));
    EXPECT_TRUE(CreditAccountCheck("X1234567896", "014"));  // column 17 is not checked
    EXPECT_FALSE(CreditAccountCheck("01234567890", "014"));
    EXPECT_FALSE(CreditAccountCheck("0123456789", "014"));
    // The check digit of ten zeros is zero; the account is still no account.
    EXPECT_FALSE(CreditAccountCheck("00000000000", "014"));
    EXPECT_FALSE(CreditAccountCheck("10000000000", "014"));
}

TEST(MediaClearingChecksTest, CreditAccountElsewhereNeedsElevenNonZeroNumericCharacters) {
    EXPECT_TRUE(CreditAccountCheck("12345678901", "002"));
    EXPECT_TRUE(CreditAccountCheck("01234567890", "002"));
    EXPECT_FALSE(CreditAccountCheck("00000000000", "002"));
    EXPECT_FALSE(CreditAccountCheck("1234567890 ", "002"));
    EXPECT_FALSE(CreditAccountCheck(" 1234567890", "002"));
    EXPECT_FALSE(CreditAccountCheck("1234567890A", "002"));
    EXPECT_FALSE(CreditAccountCheck("1234567890", "002"));
}

TEST(MediaClearingChecksTest, BankAndBranchCodesNeedTheirWidthAndANumber) {
    EXPECT_TRUE(BankBranchCodeCheck("002", "Bank"));
    EXPECT_TRUE(BankBranchCodeCheck("0001", "Branch"));
    EXPECT_FALSE(BankBranchCodeCheck("0001", "Bank"));
    EXPECT_FALSE(BankBranchCodeCheck("002", "Branch"));
    EXPECT_FALSE(BankBranchCodeCheck("AB1", "Bank"));
    EXPECT_FALSE(BankBranchCodeCheck("12A ", "Branch"));
    EXPECT_FALSE(BankBranchCodeCheck(" 12", "Bank"));
    EXPECT_FALSE(BankBranchCodeCheck("002", "bank"));
}

TEST(MediaClearingChecksTest, ServiceTypeCaptionsMatchExactly) {
    EXPECT_EQ(serviceTypeCaption("01"), "(01)Salary, wages, gratuity or retirement");
    EXPECT_EQ(serviceTypeCaption("04"), "(04)Expense for goods or services");
    EXPECT_EQ(serviceTypeCaption("59"), "(59)Others");
    EXPECT_FALSE(serviceTypeCaption("08"));
    EXPECT_FALSE(serviceTypeCaption("1 "));
    EXPECT_FALSE(serviceTypeCaption(""));
}

// Columns 1-69 of a detail line: bank, branch, credit account, debit branch and account, service
// type and amount in their places.
std::string lineStart(const std::string& bank, const std::string& branch, const std::string& credit,
                      const std::string& amount) {
    return "D00000000" + bank + branch + credit + "   0123 1234567896        01  " + amount;
}

TEST(MediaClearingLineTest, ShortLinePadsEveryRecordField) {
    std::string text = lineStart("002", "0001", "12345678901", "000000010000");
    MediaClearingLine line(text);
    EXPECT_EQ(line.payeeIdField(), std::string(10, ' '));
    EXPECT_EQ(line.payeeNameField(), std::string(23, ' '));
    EXPECT_EQ(line.serviceTypeField(), "01");
    EXPECT_TRUE(line.rejections(2).empty());

    std::string cutText = text.substr(0, 54);
    MediaClearingLine cut(cutText);
    EXPECT_EQ(cut.serviceTypeField(), "0 ");
}

TEST(MediaClearingLineTest, ControlBytesNeverReachARecord) {
    std::string text = lineStart("014", "0001", "\t1234567896", "000000010000");
    text += std::string(120, ' ') +
            "ID\x01"
            "4567890" +
            "AB\tCD";
    MediaClearingLine line(text);
    EXPECT_EQ(line.creditAccountField(), " 1234567896" + std::string(14, ' '));
    EXPECT_EQ(line.payeeIdField(), "ID 4567890");
    EXPECT_EQ(line.payeeNameField(), "AB CD" + std::string(18, ' '));
}

TEST(MediaClearingLineTest, CreditAccountDropsOnlyALeadingZero) {
    EXPECT_EQ(MediaClearingLine(lineStart("002", "0001", "01234567890", "")).creditAccountField(),
              "1234567890" + std::string(15, ' '));
    EXPECT_EQ(MediaClearingLine(lineStart("002", "0001", "12345678901", "")).creditAccountField(),
              "12345678901" + std::string(14, ' '));
}

TEST(MediaClearingLineTest, CutAmountIsRefusedAsInvalid) {
    auto entries = MediaClearingLine(lineStart("002", "0001", "12345678901", "0000001")).rejections(4);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, RejectionKind::CreditAmountInvalid);
    EXPECT_EQ(entries[0].lineNumber, 4);
}

TEST(MediaClearingLineTest, EntriesComeInTheirOrderWithTheirTexts) {
    auto entries = MediaClearingLine(lineStart("AB1", "0001", "1234", "-00000000100")).rejections(7);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].kind, RejectionKind::InvalidAcct);
    EXPECT_EQ(entries[0].columnPart + entries[0].messagePart,
              "  Column : 17-27  Credit account is zero or not numeric or invalid length");
    EXPECT_EQ(entries[0].desErr, "Credit account is invalid account");
    EXPECT_EQ(entries[1].kind, RejectionKind::CreditAmountInvalid);
    EXPECT_EQ(entries[1].columnPart + entries[1].messagePart,
              "  Column : 58-69  Credit amount less than zero or invalid number");
    EXPECT_EQ(entries[2].kind, RejectionKind::BankBranchCode);
    EXPECT_EQ(entries[2].columnPart + entries[2].messagePart, "  Column : 10-12 Column: 13-16 invalid code");
    EXPECT_EQ(entries[2].fieldName, "Bank Code,Branch Code");
    EXPECT_EQ(entries[2].colNo, "10-12,13-16");
    EXPECT_EQ(entries[2].desErr, "Bank AB1 branch 0001 invalid code");
}

TEST(MediaClearingLineTest, ZeroAmountAtOwnBankGivesOnlyTheZeroEntry) {
    auto entries = MediaClearingLine(lineStart("014", "0001", "01234567896", "000000000000")).rejections(3);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, RejectionKind::CreditZeroAmount);
    EXPECT_EQ(entries[0].messagePart, "  Credit amount is zero");

    auto zeroAccount =
        MediaClearingLine(lineStart("014", "0001", "00000000000", "000000000100")).rejections(3);
    ASSERT_EQ(zeroAccount.size(), 1u);
    EXPECT_EQ(zeroAccount[0].messagePart, "  Credit account is invalid ZVB account");
    EXPECT_EQ(zeroAccount[0].desErr, "Credit account is invalid ZVB account");
}

class BankBranchLookupTest : public ::testing::Test {
protected:
    long rows(const std::string& sql) { return static_cast<long>(tables.query(sql).rows.size()); }

    test::TestHome home;
    TableStore tables{home.database()};
    BankBranchLookup lookup{tables};
};

TEST_F(BankBranchLookupTest, KnownCodesGiveTheirNamesCutTo35) {
    EXPECT_EQ(lookup.bankName("014"), "Sample Home Bank");
    EXPECT_EQ(lookup.branchName("014", "0001"), "Sample Head Office");
    tables.addBank("030", std::string(40, 'N'));
    EXPECT_EQ(lookup.bankName("030"), std::string(35, 'N'));
}

TEST_F(BankBranchLookupTest, UnknownCodesAreRegisteredOnce) {
    EXPECT_EQ(lookup.bankName("AB1"), "New bank");
    EXPECT_EQ(lookup.bankName("AB1"), "New bank");
    EXPECT_EQ(lookup.branchName("AB1", "12A "), "New branch");
    EXPECT_EQ(lookup.branchName("AB1", "12A "), "New branch");
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = 'AB1' and BANK_NAME_EN = 'New bank'"), 1);
    EXPECT_EQ(rows("select * from BRANCH where BANK_CODE = 'AB1' and BRANCH_CODE = '12A ' "
                   "and BRANCH_NAME_EN = 'New branch'"),
              1);
    // The branch code alone does not identify a branch.
    EXPECT_EQ(lookup.branchName("004", "0111"), "New branch");
    EXPECT_EQ(rows("select * from BRANCH where BRANCH_CODE = '0111'"), 2);
}

TEST_F(BankBranchLookupTest, QuotesInCodesAreOnlyData) {
    EXPECT_EQ(lookup.bankName("'; "), "New bank");
    EXPECT_EQ(lookup.branchName("'; ", "' or"), "New branch");
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = '''; '"), 1);
}

TEST_F(BankBranchLookupTest, BlankNameOfAKnownCodeReadsAsNewAndAddsNoRow) {
    tables.addBank("031", "   ");
    tables.addBranch("031", "0002", "");
    EXPECT_EQ(lookup.bankName("031"), "New bank");
    EXPECT_EQ(lookup.branchName("031", "0002"), "New branch");
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = '031'"), 1);
    EXPECT_EQ(rows("select * from BRANCH where BANK_CODE = '031'"), 1);
}

}  // namespace
}  // namespace convertor
