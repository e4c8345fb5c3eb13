#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "reports/ReportJson.h"
#include "reports/ReportValue.h"

namespace convertor {
namespace {

std::string toJson(const ReportValue& report) {
    std::ostringstream out;
    writeReportJson(report, out);
    return out.str();
}

TEST(ReportJson, KeepsVariableOrderAndNamesRepeatedColumns) {
    ReportValue report;
    report.templateName = "rptMcpDetail.frf";
    report.variables = {{"HashCode", "ABC"}, {"ComId", "O'Neil <&>"}, {"Acct", "สมชาย"}};
    report.datasets.push_back(
        {"frDBDataSet5",
         {"ID", "Name", "ID", "Rate", "ID"},
         {{std::string("000001"), std::string("x"), std::string("000001"), 1.5, std::monostate{}}}});
    report.datasets.push_back({"frDBDataSet6", {"ID"}, {}});

    std::string text = toJson(report);
    auto json = nlohmann::ordered_json::parse(text);
    EXPECT_EQ(json["template"], "rptMcpDetail.frf");
    std::vector<std::string> order;
    for (const auto& [name, value] : json["variables"].items()) {
        order.push_back(name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"HashCode", "ComId", "Acct"}));
    EXPECT_EQ(json["variables"]["ComId"], "O'Neil <&>");
    EXPECT_EQ(json["variables"]["Acct"], "สมชาย");
    const auto& row = json["datasets"]["frDBDataSet5"][0];
    EXPECT_EQ(row["ID"], "000001");
    EXPECT_EQ(row["ID_1"], "000001");
    EXPECT_TRUE(row["ID_2"].is_null());
    EXPECT_EQ(row["Rate"], 1.5);
    EXPECT_TRUE(json["datasets"]["frDBDataSet6"].is_array());
    EXPECT_TRUE(json["datasets"]["frDBDataSet6"].empty());
}

TEST(ReportJson, ResultReportHasNoDatasets) {
    ReportValue report;
    report.templateName = "rptResult.frf";
    auto json = nlohmann::json::parse(toJson(report));
    EXPECT_TRUE(json["datasets"].is_object());
    EXPECT_TRUE(json["datasets"].empty());
    EXPECT_TRUE(json["variables"].is_object());
}

}  // namespace
}  // namespace convertor
