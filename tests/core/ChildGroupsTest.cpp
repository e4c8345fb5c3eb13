#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "reports/ChildGroups.h"
#include "reports/ReportTable.h"
#include "reports/ReportValue.h"

namespace convertor {
namespace {

// Parents and children at random, in order or not, keyed by texts or by numbers: each parent gets
// exactly its children, in their order, whether they are read alongside the parents or held.
TEST(ChildGroups, EachParentGetsItsChildrenInOrder) {
    std::mt19937 random(7);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const bool numbers = between(0, 1) == 1;  // 9 < 10, but "10" < "9"
        auto key = [&](int k) -> TableValue {
            return numbers ? TableValue(static_cast<double>(k)) : TableValue(std::to_string(100 + k));
        };
        std::vector<int> parentKeys;
        for (int k = 0, count = between(0, 30); k < count; ++k) {
            parentKeys.push_back(between(0, 40));
        }
        std::sort(parentKeys.begin(), parentKeys.end());
        parentKeys.erase(std::unique(parentKeys.begin(), parentKeys.end()), parentKeys.end());
        if (between(0, 3) == 0) {
            std::shuffle(parentKeys.begin(), parentKeys.end(), random);
        }
        ReportDataset parents("P", {"ID"});
        for (int k : parentKeys) {
            parents.rows.push_back({key(k)});
        }
        ReportDataset children("C", {"Text", "ParentId"});
        for (int c = 0, count = between(0, 80); c < count; ++c) {
            // Some rows under no parent, some short of their key.
            children.rows.push_back(
                between(0, 15) == 0 ? std::vector<TableValue>{std::string("short")}
                                    : std::vector<TableValue>{"c" + std::to_string(c), key(between(0, 45))});
        }
        if (between(0, 1) == 1) {
            std::stable_sort(children.rows.begin(), children.rows.end(), [](const auto& a, const auto& b) {
                return keyText(valueAt(a, 1)) < keyText(valueAt(b, 1));
            });
        }
        const ReportTable parentTable(parents, {"ID"});
        const ReportTable childTable(children, {"ParentId"});
        ChildGroups groups(childTable, childTable.column("ParentId"),
                           parentTable.keyOrder(parentTable.column("ID")).strictlyRises);
        for (const auto& parent : parents.rows) {
            const std::string wanted = keyText(parent[0]);
            std::vector<std::vector<TableValue>> expected;
            std::copy_if(children.rows.begin(), children.rows.end(), std::back_inserter(expected),
                         [&](const auto& row) { return row.size() > 1 && keyText(row[1]) == wanted; });
            const ChildGroups::Rows got = groups.rowsOf(wanted);
            EXPECT_EQ(std::vector<std::vector<TableValue>>(got.begin(), got.end()), expected)
                << "parent " << wanted;
        }
    }
}

}  // namespace
}  // namespace convertor
