#include <gtest/gtest.h>

#include <ctime>
#include <nlohmann/json.hpp>

#include "refdata/TableStore.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

namespace fs = std::filesystem;

using Outcome = test::CliOutcome;

class MediaClearingCliTest : public ::testing::Test {
protected:
    std::vector<std::string> convertArgs(const std::string& source) {
        test::writeFile(home.in("mcl.txt"),
                        test::withFutureDate(test::readFile(test::testData("mcl/" + source))));
        return {"convert",
                "--product",
                "MCL",
                "--company",
                "C0001",
                "--source",
                home.in("mcl.txt").string(),
                "--dest",
                home.out("bank.txt").string(),
                "--home",
                home.home().string()};
    }
    Outcome runCli(const std::vector<std::string>& args) { return test::runCliProcess(args, home.home()); }

    test::TestHome home;
};

TEST_F(MediaClearingCliTest, ConvertWritesAVerifiableBankFileTheTableRowsAndTheDetailReport) {
    fs::path report = home.out("report.json");
    std::vector<std::string> args = convertArgs("mixed.txt");
    args.insert(args.end(), {"--print-detail", "--report", report.string()});
    Outcome run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Hash Value: "), std::string::npos) << run.out;

    EXPECT_EQ(test::splitCrlf(test::readFile(home.out("bank.txt"))).size(), 2u * 6 + 4);
    Outcome verify = runCli({"verify", home.out("bank.txt").string()});
    EXPECT_EQ(verify.status, 0) << verify.out;
    EXPECT_EQ(verify.out, "OK\n");

    TableStore tables(home.database());
    EXPECT_EQ(test::query(tables, "select * from Bank where BANK_NAME_EN = 'New bank'").rows.size(), 2u);
    EXPECT_EQ(test::query(tables, "select * from BRANCH where BRANCH_NAME_EN = 'New branch'").rows.size(),
              4u);

    auto json = nlohmann::json::parse(test::readFile(report));
    EXPECT_EQ(json["template"], "rptMclDetail.frf");
    EXPECT_EQ(json["variables"]["PayType"], "Media Clearing");
    EXPECT_EQ(json["variables"]["Acct"], "9876543214");
    EXPECT_EQ(json["variables"]["AcctFee"], "9876543214");
    ASSERT_EQ(json["datasets"]["frDBDataSet2"].size(), 8u);
    EXPECT_EQ(json["datasets"]["frDBDataSet2"][2]["DesErr"], "Bank AB1 branch 0001 invalid code");
    ASSERT_EQ(json["datasets"]["frDBDataSet3"].size(), 6u);
    EXPECT_EQ(json["datasets"]["frDBDataSet3"][0]["Amount"], 123.45);
    EXPECT_EQ(json["datasets"]["frDBDataSet3"][0]["Name"], "นายสมชาย ใจดี          ");
}

TEST_F(MediaClearingCliTest, BadDebitAccountEndsWithoutBankFile) {
    Outcome run = runCli(convertArgs("stop_debit.txt"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Invalid ZVB debit account\n");
    EXPECT_FALSE(fs::exists(home.out("bank.txt")));
}

}  // namespace
}  // namespace convertor
