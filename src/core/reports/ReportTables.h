#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ChildGroups.h"
#include "reports/ReportTable.h"

namespace convertor {

struct ReportValue;

// The datasets of a report as tables by name, and the child rows its links group under their
// parent rows. What a renderer needs of the rows, whatever it renders them into.
class ReportTables {
public:
    // One of the report's child links, resolved to its tables and columns.
    struct Link {
        std::string name;
        const ReportTable* parent = nullptr;
        const ReportTable* child = nullptr;
        std::optional<std::size_t> parentColumn;
        std::optional<std::size_t> childColumn;
    };

    // alwaysThere: datasets shown empty when the report does not hold them. The report must
    // outlive the tables.
    ReportTables(const ReportValue& report, std::span<const char* const> alwaysThere);
    ReportTables(const ReportTables&) = delete;
    ReportTables& operator=(const ReportTables&) = delete;

    const std::map<std::string, ReportTable, std::less<>>& byName() const { return m_tables; }
    const ReportTable* find(std::string_view name) const;

    // The links of a table's rows to their children, in the order the report declares them.
    std::vector<const Link*> linksOf(const ReportTable& parent) const;
    // The children of a link for one pass over its parent table, its rows asked for in turn.
    std::unique_ptr<ChildGroups> childGroups(const Link& link) const;
    // The key a parent row's children are grouped under.
    static std::string parentKey(const Link& link, const std::vector<TableValue>& parentRow);

private:
    std::map<std::string, ReportTable, std::less<>> m_tables;
    std::vector<Link> m_links;
};

}  // namespace convertor
