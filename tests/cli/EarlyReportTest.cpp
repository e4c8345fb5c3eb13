#include "EarlyReport.h"

#include <gtest/gtest.h>

#include <sstream>

#include "MarkingBuffer.h"

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace convertor::cli {
namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The placeholder is found wherever the blocks written split it, and only where it stands whole.
TEST(EarlyReportTest, PlaceholderIsFoundAcrossTheEndsOfBlocks) {
    const std::string placeholder = "0123456789";
    const std::string text = "ab0123456789c012345678" + placeholder + "0123";
    for (std::size_t first = 0; first <= text.size(); ++first) {
        for (std::size_t second = first; second <= text.size(); second += 3) {
            std::stringbuf file;
            std::atomic<bool> abandon{false};
            std::vector<std::uint64_t> places;
            MarkingBuffer marking(file, placeholder, abandon, places);
            std::ostream out(&marking);
            out << text.substr(0, first) << text.substr(first, second - first) << text.substr(second);
            EXPECT_EQ(file.str(), text);
            EXPECT_EQ(places, (std::vector<std::uint64_t>{2, 22})) << first << " " << second;
        }
    }
}

// A report whose digest text stands in many rows, at every alignment against the blocks the file
// is written in: the digest fills each place once the run is over, and a report that is not the
// one the run ended with, or not wanted at all, leaves nothing behind.
TEST(EarlyReportTest, TheDigestFillsEveryPlaceOfItsPlaceholder) {
    test::TempDir dir;
    const std::string digest(40, 'D');
    auto report = [&](const std::string& hash) {
        ReportValue value;
        value.templateName = "rptDcpDetail.frf";
        value.variables = {{"HashCode", hash}, {"ComId", "ACME01"}};
        ReportDataset rows("frDBDataSet1", {"Filler", "Hash"});
        for (int i = 0; i < 5000; ++i) {
            rows.rows.push_back({std::string(static_cast<std::size_t>(i % 97), 'x'), hash});
        }
        value.datasets.push_back(std::move(rows));
        return value;
    };

    EarlyReport early(dir / "report.json", dir.path());
    early.begin(report(early.placeholder()));
    early.wait(false);
    ASSERT_TRUE(fs::exists(dir / "report.json.part"));
    ASSERT_TRUE(early.complete(report(digest)));
    const std::string written = test::readFile(dir / "report.json");
    EXPECT_EQ(occurrences(written, digest), 5001u);
    EXPECT_EQ(occurrences(written, early.placeholder()), 0u);
    EXPECT_FALSE(fs::exists(dir / "report.json.part"));

    ReportValue other = report(digest);
    other.variables[1].second = "OTHER1";
    EarlyReport differs(dir / "other.json", dir.path());
    differs.begin(report(differs.placeholder()));
    EXPECT_FALSE(differs.complete(other));
    {
        EarlyReport unwanted(dir / "unwanted.json", dir.path());
        unwanted.begin(report(unwanted.placeholder()));
        unwanted.wait(true);
    }
    for (const char* name : {"other.json", "other.json.part", "unwanted.json", "unwanted.json.part"}) {
        EXPECT_FALSE(fs::exists(dir / name)) << name;
    }
}

}  // namespace
}  // namespace convertor::cli
