#include <gtest/gtest.h>

#include <ctime>
#include <nlohmann/json.hpp>

#include "core/ManagerChequeTestSupport.h"

namespace convertor::test {
namespace {

namespace fs = std::filesystem;

using Outcome = CliOutcome;

// The process takes the machine's date, so every due date is set two days ahead of it.
std::vector<std::string> dueInTwoDays(std::vector<std::string> lines) {
    std::time_t later = std::time(nullptr) + 2 * 24 * 3600;
    std::tm local{};
    localtime_r(&later, &local);
    char date[11];
    std::strftime(date, sizeof date, "%Y/%m/%d", &local);
    for (std::string& line : lines) {
        line = patch(line, 37, date);
    }
    return lines;
}

TEST(ManagerChequeCli, ConvertWritesAVerifiableBankFileAndTheDetailQueries) {
    TestHome home;
    writeFile(home.in("pay.txt"), crlfLines(dueInTwoDays(chequeData("basic.txt"))));
    fs::path report = home.out("report.json");
    Outcome run = runCliProcess(
        {"convert", "--product", "MCP", "--company", "ACME01", "--source", home.in("pay.txt").string(),
         "--invoice", testData("mcp/basic_inv.txt").string(), "--dest", home.out("bank.txt").string(),
         "--home", home.home().string(), "--print-detail", "--report", report.string()},
        home.home());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("ACME01_MCP.zip completed\nHash Value: "), std::string::npos) << run.out;

    Outcome verify = runCliProcess({"verify", home.out("bank.txt").string()}, home.home());
    EXPECT_EQ(verify.out, "OK\n");
    EXPECT_EQ(verify.status, 0);

    auto json = nlohmann::json::parse(readFile(report));
    EXPECT_EQ(json["template"], "rptMcpDetail.frf");
    EXPECT_EQ(json["variables"]["PayType"], "Manager Cheque");
    EXPECT_FALSE(json["variables"].contains("ComName"));
    EXPECT_EQ(json["datasets"]["frDBDataSet4"].size(), 7u);
    // Cheque 000005 has a tax form without a lookup row; cheque 000002 a tax-paid code without one.
    const auto& taxes = json["datasets"]["frDBDataSet5"];
    ASSERT_EQ(taxes.size(), 6u);
    int unpaid = 0;
    for (const auto& row : taxes) {
        EXPECT_NE(row["CreditId"], "000005");
        if (row["CreditId"] == "000002") {
            ++unpaid;
            EXPECT_TRUE(row["PAY_TYPE"].is_null());
            EXPECT_EQ(row["FORM_TYPE"], "53");
        }
    }
    EXPECT_EQ(unpaid, 2);
    const auto& invoices = json["datasets"]["frDBDataSet6"];
    ASSERT_EQ(invoices.size(), 5u);
    bool negative = false;
    for (const auto& row : invoices) {
        negative = negative || (row["InvoiceNo"] == "CN-0002        " && row["InvoiceAmount_1"] == -50.0);
    }
    EXPECT_TRUE(negative);
}

}  // namespace
}  // namespace convertor::test
