#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

#include "refdata/Schema.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

// The clock starts there and runs on.
constexpr const char* kNow = "2030-01-02 10:00:00";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        found.push_back(line);
    }
    return found;
}

class HistoryCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v faketime >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "faketime is not installed";
        }
    }
    // A Direct Credit run of the file, on a clock started at kNow.
    CliOutcome convert(const fs::path& source, const std::string& dest, std::vector<std::string> more = {}) {
        auto args = directCreditArgs(source, home.out(dest), home.home());
        args.insert(args.end(), more.begin(), more.end());
        return runCliProcess(args, scratch.path(), kNow);
    }
    CliOutcome history(std::vector<std::string> more = {}) {
        std::vector<std::string> args{"history", "--home", home.home().string()};
        args.insert(args.end(), more.begin(), more.end());
        return runCliProcess(args, scratch.path());
    }
    std::vector<nlohmann::ordered_json> jsonRuns() {
        CliOutcome shown = history({"--json"});
        EXPECT_EQ(shown.status, 0) << shown.err;
        std::vector<nlohmann::ordered_json> runs;
        for (const std::string& line : lines(shown.out)) {
            runs.push_back(nlohmann::ordered_json::parse(line));
        }
        return runs;
    }

    TestHome home;
    TempDir scratch;
};

TEST_F(HistoryCliTest, EmptyHistoryAndUnreadableDatabase) {
    CliOutcome table = history();
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(
        table.out,
        "Started  Product  CompanyId  Outcome  Accepted  Rejected  TotalAmount  HashValue  SourcePath\n");
    EXPECT_EQ(history({"--json"}).out, "");
    EXPECT_EQ(history({"--limit", "0"}).status, 64);

    fs::remove(home.database());
    writeFile(home.database(), std::string(4096, 'x'));
    CliOutcome broken = history();
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.err.rfind("error: Cannot open the table database", 0), 0u) << broken.err;
}

// Runs in quick succession are rows of their own; the newest comes first; a Thai name with blanks is kept as
// typed; the JSON keys are the table's columns.
TEST_F(HistoryCliTest, RunsAreListedNewestFirstAsTableAndJson) {
    const fs::path thai = home.in("เงินเดือน มีนาคม.txt");
    writeFile(thai, readFile(testData("dcp/nine.txt")));
    ASSERT_EQ(convert(testData("dcp/eleven.txt"), "first.txt").status, 0);
    ASSERT_EQ(convert(thai, "second.txt").status, 0);
    ASSERT_EQ(convert(testData("dcp/all_rejected.txt"), "third.txt").status, 1);

    const auto listed = jsonRuns();
    ASSERT_EQ(listed.size(), 3u);
    // Newest first by start time, then by the order written; each process's clock starts at kNow.
    auto order = [](const nlohmann::ordered_json& run) {
        return std::make_pair(run["Started"].get<std::string>(), run["Id"].get<int>());
    };
    EXPECT_GT(order(listed[0]), order(listed[1]));
    EXPECT_GT(order(listed[1]), order(listed[2]));
    auto runs = listed;  // in the order they were written, newest first
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a["Id"] > b["Id"]; });
    std::vector<std::string> keys;
    for (const auto& item : runs[0].items()) {
        keys.push_back(item.key());
    }
    const auto columns = schema::runHistory::columns();
    EXPECT_EQ(keys, std::vector<std::string>(columns.begin(), columns.end()));
    EXPECT_EQ(runs[0]["Outcome"], "all rejected");
    EXPECT_EQ(runs[1]["SourcePath"], thai.string());
    EXPECT_EQ(runs[1]["Destination"], home.out("second.txt").string());
    EXPECT_EQ(runs[2]["Outcome"], "completed");
    EXPECT_TRUE(runs[2]["Accepted"].is_number_integer());
    EXPECT_TRUE(runs[0]["InvoicePath"].is_null());
    for (const auto& run : runs) {
        EXPECT_EQ(run["Started"].get<std::string>().rfind("2030-01-02 10:0", 0), 0u) << run["Started"];
    }

    EXPECT_EQ(lines(history({"--limit", "2"}).out).size(), 3u);
    const auto table = lines(history().out);
    ASSERT_EQ(table.size(), 4u);
    for (std::size_t row = 1; row < table.size(); ++row) {
        EXPECT_EQ(table[0].find("Product"), table[row].find("DCP")) << "the columns are aligned";
        EXPECT_NE(table[row].find(listed[row - 1]["SourcePath"].get<std::string>()), std::string::npos);
    }
    const auto thaiRow = std::find_if(table.begin(), table.end(), [&](const std::string& line) {
        return line.find(thai.string()) != std::string::npos;
    });
    ASSERT_NE(thaiRow, table.end());
    EXPECT_NE(thaiRow->find(runs[1]["HashValue"].get<std::string>()), std::string::npos) << *thaiRow;
}

// The guard's warning leaves the run as it was; --no-repeat refuses it with nothing written.
TEST_F(HistoryCliTest, RepeatedSourceWarnsOrIsRefused) {
    const CliOutcome first = convert(testData("dcp/eleven.txt"), "first.txt");
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string hash = readFile(home.out("first.txt")).substr(0, 40);
    // The newest run comes first, and each process's clock starts at kNow.
    auto notice = [&] {
        return "this file was converted on " + jsonRuns().at(0)["Started"].get<std::string>() + " into " +
               home.out("first.txt").string() + " (Hash Value " + hash + ")";
    };
    const std::string earlier = notice();

    const fs::path renamed = home.in("copy of eleven.txt");
    writeFile(renamed, readFile(testData("dcp/eleven.txt")));
    const CliOutcome again = convert(renamed, "first.txt");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, first.out);
    EXPECT_EQ(again.err, "warning: " + earlier + "\n");

    const std::string newest = notice();
    const CliOutcome refused = convert(renamed, "refused.txt", {"--no-repeat"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, newest + "\n");
    EXPECT_EQ(refused.err, "");
    EXPECT_FALSE(fs::exists(home.out("refused.txt")));
    EXPECT_FALSE(workFilesIn(home.out("")));
    EXPECT_EQ(jsonRuns().size(), 2u) << "a refused run leaves no row";

    // Not the same content: no warning, and --no-repeat lets it through.
    const CliOutcome other = convert(testData("dcp/nine.txt"), "other.txt", {"--no-repeat"});
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.err, "");
}

}  // namespace
}  // namespace convertor::test
