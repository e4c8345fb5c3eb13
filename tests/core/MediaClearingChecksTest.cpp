#include <gtest/gtest.h>

#include "products/BankBranchLookup.h"
#include "products/MediaClearingChecks.h"
#include "refdata/TableStore.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

using test::query;

TEST(MediaClearingChecksTest, CreditAccountAtOwnBankUsesCheckDigitOnLastTenColumns) {
    EXPECT_TRUE(creditAccountCheck("01234567896", "014"));
    EXPECT_TRUE(creditAccountCheck("X1234567896", "014"));  // column 17 is not checked
    EXPECT_FALSE(creditAccountCheck("01234567890", "014"));
    EXPECT_FALSE(creditAccountCheck("0123456789", "014"));
    // The check digit of ten zeros is zero; the account is still no account.
    EXPECT_FALSE(creditAccountCheck("00000000000", "014"));
    EXPECT_FALSE(creditAccountCheck("10000000000", "014"));
}

TEST(MediaClearingChecksTest, CreditAccountElsewhereNeedsElevenNonZeroNumericCharacters) {
    EXPECT_TRUE(creditAccountCheck("12345678901", "002"));
    EXPECT_TRUE(creditAccountCheck("01234567890", "002"));
    EXPECT_FALSE(creditAccountCheck("00000000000", "002"));
    EXPECT_FALSE(creditAccountCheck("1234567890 ", "002"));
    EXPECT_FALSE(creditAccountCheck(" 1234567890", "002"));
    EXPECT_FALSE(creditAccountCheck("1234567890A", "002"));
    EXPECT_FALSE(creditAccountCheck("1234567890", "002"));
}

TEST(MediaClearingChecksTest, BankAndBranchCodesNeedTheirWidthAndANumber) {
    EXPECT_TRUE(bankBranchCodeCheck("002", "Bank"));
    EXPECT_TRUE(bankBranchCodeCheck("0001", "Branch"));
    EXPECT_FALSE(bankBranchCodeCheck("0001", "Bank"));
    EXPECT_FALSE(bankBranchCodeCheck("002", "Branch"));
    EXPECT_FALSE(bankBranchCodeCheck("AB1", "Bank"));
    EXPECT_FALSE(bankBranchCodeCheck("12A ", "Branch"));
    EXPECT_FALSE(bankBranchCodeCheck(" 12", "Bank"));
    EXPECT_FALSE(bankBranchCodeCheck("002", "bank"));
}

class BankBranchLookupTest : public ::testing::Test {
protected:
    long rows(const std::string& sql) { return static_cast<long>(query(tables, sql).rows.size()); }

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

// Names are remembered for the run: one row per unknown code however often it comes, and codes
// whose texts run together ("01"+"40001", "014"+"0001") are still told apart.
TEST_F(BankBranchLookupTest, EachCodeIsLookedUpOnceAndKeptApart) {
    tables.addBranch("01", "40001", "Run Together");
    tables.addBank("031", "Tab\there");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lookup.branch("014", "0001").text, "Sample Head Office");
        EXPECT_EQ(lookup.branch("01", "40001").text, "Run Together");
        EXPECT_EQ(lookup.branch("014", "9999").text, "New branch");
        EXPECT_EQ(lookup.bank("031").field, "Tab here" + std::string(27, ' ')) << "the record 003 field";
    }
    EXPECT_EQ(lookup.bank("031").text, "Tab\there");
    EXPECT_EQ(rows("select * from Branch where BANK_CODE = '014' and BRANCH_CODE = '9999'"), 1);
}

TEST_F(BankBranchLookupTest, QuotesInCodesAreOnlyData) {
    EXPECT_EQ(lookup.bankName("'; "), "New bank");
    EXPECT_EQ(lookup.branchName("'; ", "' or"), "New branch");
    EXPECT_EQ(rows("select * from Bank where BANK_CODE = '''; '"), 1);
}

}  // namespace
}  // namespace convertor
