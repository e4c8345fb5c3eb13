#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "reports/CopyReader.h"
#include "reports/CopySearch.h"
#include "reports/ReportBands.h"
#include "reports/ReportCopy.h"
#include "reports/ReportValue.h"

namespace convertor {
namespace {

namespace fs = std::filesystem;

// Cheques P with their items C under "items", and a dataset of no rows.
ReportValue cheques() {
    ReportValue report;
    report.templateName = "rpt.frf";
    report.variables = {{"ComId", "ACME01"}};
    ReportDataset parents{"P", {"ID", "Name", "Amount"}};
    parents.rows = {{std::string("1"), std::string("Somchai"), 1234.5},
                    {std::string("2"), std::string("100% Ltd_"), 10.0},
                    {std::string("3"), std::string("สมหญิง"), 7.25}};
    ReportDataset children{"C", {"ParentId", "Text"}};
    children.rows = {{std::string("3"), std::string("c")},
                     {std::string("1"), std::string("a")},
                     {std::string("3"), std::string("d")},
                     {std::string("9"), std::string("orphan")}};
    report.datasets = {parents, children, ReportDataset{"E", {"X"}}};
    report.children = {{"P", "ID", "C", "ParentId", "items"}};
    return report;
}

std::string texts(const CopyReader::Rows& rows) {
    std::ostringstream out;
    for (const auto& row : rows) {
        for (const auto& value : row) {
            if (const auto* text = std::get_if<std::string>(&value)) {
                out << *text;
            } else if (const auto* number = std::get_if<double>(&value)) {
                out << *number;
            }
            out << ';';
        }
        out << '|';
    }
    return out.str();
}

TEST(ReportCopy, KeepsRowsInOrderWithTheirTotalsAndChildren) {
    fs::path file;
    {
        const auto copy = ReportCopy::make(cheques(), fs::temp_directory_path());
        file = copy->file();
        ASSERT_TRUE(fs::exists(file));
        ASSERT_EQ(copy->datasets().size(), 3u);
        EXPECT_EQ(copy->datasets()[0].rows, 3u);
        EXPECT_EQ(copy->datasets()[0].totals.count, 3u);
        EXPECT_DOUBLE_EQ(copy->datasets()[0].totals.sum(2), 1251.75);
        EXPECT_EQ(copy->datasets()[2].rows, 0u);
        EXPECT_EQ(copy->childCounts(0), (std::vector<std::uint32_t>{1, 0, 2}));

        CopyReader reader(copy);
        CopyReader::Rows rows;
        reader.readRows(0, 1, 5, rows);  // past the end: what there is
        EXPECT_EQ(texts(rows), "2;100% Ltd_;10;|3;สมหญิง;7.25;|");
        reader.readRows(0, 0, 1, rows);  // the slots are reused
        EXPECT_EQ(texts(rows), "1;Somchai;1234.5;|");
        reader.readChildren(0, 2, rows);
        EXPECT_EQ(texts(rows), "3;c;|3;d;|");
        reader.readChildren(0, 1, rows);
        EXPECT_TRUE(rows.empty());

        // The report over the copy reads the same rows and knows its totals without reading them.
        const ReportValue again = copy->report();
        ASSERT_TRUE(again.datasets[0].totals);
        EXPECT_EQ(again.datasets[0].totals->count, 3u);
        auto cursor = again.datasets[1].open();
        std::size_t count = 0;
        while (cursor->next()) {
            ++count;
        }
        EXPECT_EQ(count, 4u);
    }
    EXPECT_FALSE(fs::exists(file)) << "the copy goes with its last owner";
}

TEST(ReportCopy, FailsWithoutLeavingAFile) {
    EXPECT_ANY_THROW(ReportCopy::make(cheques(), "/no/such/folder"));
}

TEST(CopySearch, FindsTextsAsTheReportPrintsThem) {
    const auto copy = ReportCopy::make(cheques(), fs::temp_directory_path());
    CopyReader reader(copy);
    CopySearch search(reader);
    const std::atomic_bool go{false};
    const std::vector<CopySearch::Column> nameAndAmount = {{1, false}, {2, false}};
    struct Case {
        std::string text;
        std::size_t from;
        std::optional<std::size_t> row;
    };
    const std::vector<Case> cases = {
        {"somCHAI", 0, 0},   // any case
        {"1,234.50", 0, 0},  // money as printed
        {"1234.5", 0, std::nullopt},
        {"100%", 0, 1},  // LIKE's own characters are plain text
        {"d_", 0, 1},
        {"0%", 2, std::nullopt},
        {"หญิง", 0, 2},
        {"7.25", 1, 2},
        {"nowhere", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(search.nextRow(0, nameAndAmount, c.text, c.from, go), c.row) << c.text;
    }
    EXPECT_EQ(search.nextRow(0, {{2, true}}, "1234.5", 0, go), 0u) << "a column printed raw";
    EXPECT_EQ(search.nextParent(0, {{1, false}}, "D", 0, go), 2u);
    EXPECT_EQ(search.nextParent(0, {{1, false}}, "orphan", 0, go), std::nullopt);
    const std::atomic_bool stop{true};
    EXPECT_EQ(search.nextRow(0, nameAndAmount, "Somchai", 0, stop), std::nullopt);
}

TEST(ReportBands, ReadsTheDeliveredTemplates) {
    const char* names[] = {"frDBDataSet1", "frDBDataSet2", "frDBDataSet4", "frDBDataSet5", "frDBDataSet6"};
    auto read = [&](const char* file) {
        std::ifstream in(fs::path(DELIVERED_DATA_DIR) / "reports" / file);
        std::stringstream text;
        text << in.rdbuf();
        return ReportBands::read(text.str(), names);
    };
    const auto dcp = read("rptDcpDetail.frf");
    ASSERT_TRUE(dcp);
    ASSERT_EQ(dcp->sections.size(), 2u);
    EXPECT_EQ(dcp->fixed.size(), 3u);
    EXPECT_EQ(dcp->sections[0].title, "<h2>Accepted lines</h2>");
    EXPECT_EQ(dcp->sections[0].dataset, "frDBDataSet1");
    EXPECT_EQ(dcp->sections[0].header.size(), 1u);
    ASSERT_EQ(dcp->sections[0].detail.size(), 1u);
    EXPECT_EQ(dcp->sections[0].detail[0].row.cells.size(), 4u);
    EXPECT_EQ(dcp->sections[0].detail[0].row.cellContents(2), "{{Name}}");
    EXPECT_EQ(dcp->sections[0].empty.size(), 1u);
    EXPECT_EQ(dcp->sections[0].summary.size(), 1u);

    const auto mcp = read("rptMcpDetail.frf");
    ASSERT_TRUE(mcp);
    ASSERT_EQ(mcp->sections.size(), 1u);
    std::vector<std::string> links;
    for (const auto& detail : mcp->sections[0].detail) {
        links.push_back(detail.link);
    }
    EXPECT_EQ(links, (std::vector<std::string>{"", "", "wht", "invoices"}));
}

TEST(ReportBands, LeavesWhatBandsCannotHold) {
    const char* names[] = {"D"};
    const std::string table =
        "<table><thead><tr><th>A</th></tr></thead>{{#D}}<tr><td>{{A}}</td></tr>{{/D}}</table>";
    EXPECT_TRUE(ReportBands::read("<h1>x</h1>" + table, names));
    EXPECT_FALSE(ReportBands::read("<p>no table</p>", names));
    EXPECT_FALSE(ReportBands::read("{{#D}}<p>{{A}}</p>{{/D}}" + table, names)) << "rows outside a table";
    EXPECT_FALSE(ReportBands::read("{{=<% %>=}}" + table, names));
    EXPECT_FALSE(ReportBands::read("<table>{{#D}}<tr><td><table></table></td></tr>{{/D}}</table>", names));
    EXPECT_FALSE(ReportBands::read("<table>{{#D}}<p>{{A}}</p>{{/D}}</table>", names)) << "not a row";
}

TEST(ReportBands, ShownTextIsWhatABrowserShows) {
    EXPECT_EQ(shownText("  <b>A</b>\n  &amp;&#160;B&#x41;  "), "A &\u00a0BA");
    EXPECT_EQ(shownText("&unknown; &#0; &lt;x&gt;"), "&unknown; &#0; <x>");
    EXPECT_EQ(shownText("<td class=\"a\"></td>"), "");
}

}  // namespace
}  // namespace convertor
