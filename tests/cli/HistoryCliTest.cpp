#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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

    const auto runs = jsonRuns();
    ASSERT_EQ(runs.size(), 3u);
    std::vector<std::string> keys;
    for (const auto& [key, value] : runs[0].items()) {
        keys.push_back(key);
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
    EXPECT_GT(runs[1]["Id"].get<int>(), runs[2]["Id"].get<int>());

    const auto table = lines(history({"--limit", "2"}).out);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].find("Product"), table[1].find("DCP")) << "the columns are aligned";
    EXPECT_EQ(table[1].find("DCP"), table[2].find("DCP"));
    EXPECT_NE(table[2].find(thai.string()), std::string::npos) << table[2];
    EXPECT_NE(table[2].find(runs[1]["HashValue"].get<std::string>()), std::string::npos) << table[2];
}

// The guard's warning leaves the run as it was; --no-repeat refuses it with nothing written.
TEST_F(HistoryCliTest, RepeatedSourceWarnsOrIsRefused) {
    const CliOutcome first = convert(testData("dcp/eleven.txt"), "first.txt");
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string hash = readFile(home.out("first.txt")).substr(0, 40);
    const std::string notice = "this file was converted on " +
                               jsonRuns().at(0)["Started"].get<std::string>() + " into " +
                               home.out("first.txt").string() + " (Hash Value " + hash + ")";

    const fs::path renamed = home.in("copy of eleven.txt");
    writeFile(renamed, readFile(testData("dcp/eleven.txt")));
    const CliOutcome again = convert(renamed, "first.txt");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, first.out);
    EXPECT_EQ(again.err, "warning: " + notice + "\n");

    const CliOutcome refused = convert(renamed, "refused.txt", {"--no-repeat"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, notice + "\n");
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
