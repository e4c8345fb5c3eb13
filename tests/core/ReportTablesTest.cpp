#include <gtest/gtest.h>

#include "reports/ReportTables.h"
#include "reports/ReportValue.h"

namespace convertor {
namespace {

// The tables serve any renderer: counts and sums, and the children of each parent row, read
// alongside when both keys rise or else held grouped, the same rows either way.
TEST(ReportTables, GroupChildrenUnderTheirParentRows) {
    struct Case {
        std::vector<std::string> parents;
        std::vector<std::string> children;
        bool alongside;
        std::vector<std::size_t> sizes;
    };
    const std::vector<Case> cases = {
        {{"1", "2", "3"}, {"1", "3", "3"}, true, {1, 0, 2}},
        {{"2", "1", "3"}, {"1", "3", "3"}, false, {0, 1, 2}},
        {{"1", "2", "3"}, {"3", "1", "3", "9"}, false, {1, 0, 2}},
        {{"1", "1"}, {"1"}, false, {1, 1}},
    };
    for (const Case& c : cases) {
        ReportValue report;
        ReportDataset parents{"P", {"ID"}};
        ReportDataset children{"C", {"ParentId", "Amount"}};
        for (const auto& id : c.parents) {
            parents.rows.push_back({id});
        }
        for (const auto& id : c.children) {
            children.rows.push_back({id, 1.25});
        }
        report.datasets = {parents, children};
        report.children = {{"P", "ID", "C", "ParentId", "items"}};
        const ReportTables tables(report, {});
        const ReportTable& parent = *tables.find("P");
        const auto links = tables.linksOf(parent);
        ASSERT_EQ(links.size(), 1u);
        const ReportTable& child = *tables.find("C");
        EXPECT_EQ(parent.keyOrder(parent.column("ID")).strictlyRises &&
                      child.keyOrder(child.column("ParentId")).neverFalls,
                  c.alongside);
        auto groups = tables.childGroups(*links[0]);
        std::vector<std::size_t> sizes;
        for (ReportTable::Pass pass(parent); pass.next();) {
            sizes.push_back(groups->rowsOf(ReportTables::parentKey(*links[0], pass.row())).size());
        }
        EXPECT_EQ(sizes, c.sizes);
        EXPECT_EQ(child.totals().count, c.children.size());
        EXPECT_EQ(child.totals().sum(1), 1.25 * static_cast<double>(c.children.size()));
    }
}

}  // namespace
}  // namespace convertor
