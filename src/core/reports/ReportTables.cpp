#include "reports/ReportTables.h"

#include "reports/ReportValue.h"

namespace convertor {

ReportTables::ReportTables(const ReportValue& report, std::span<const char* const> alwaysThere) {
    for (const char* name : alwaysThere) {
        m_tables.try_emplace(name);
    }
    for (const auto& link : report.children) {
        m_tables.try_emplace(link.parent);
        m_tables.try_emplace(link.child);
    }
    // Each table learns the order of the keys it is grouped by with its totals, in one pass.
    for (const auto& dataset : report.datasets) {
        std::vector<std::string> groupKeys;
        for (const auto& link : report.children) {
            if (link.parent == dataset.name) {
                groupKeys.push_back(link.parentKey);
            }
            if (link.child == dataset.name) {
                groupKeys.push_back(link.childKey);
            }
        }
        m_tables.insert_or_assign(dataset.name, ReportTable(dataset, groupKeys));
    }
    for (const auto& link : report.children) {
        const ReportTable& parent = m_tables.at(link.parent);
        const ReportTable& child = m_tables.at(link.child);
        m_links.push_back(
            {link.name, &parent, &child, parent.column(link.parentKey), child.column(link.childKey)});
    }
}

const ReportTable* ReportTables::find(std::string_view name) const {
    const auto found = m_tables.find(name);
    return found == m_tables.end() ? nullptr : &found->second;
}

std::vector<const ReportTables::Link*> ReportTables::linksOf(const ReportTable& parent) const {
    std::vector<const Link*> links;
    for (const Link& link : m_links) {
        if (link.parent == &parent) {
            links.push_back(&link);
        }
    }
    return links;
}

std::unique_ptr<ChildGroups> ReportTables::childGroups(const Link& link) const {
    const bool parentsRise = link.parent->keyOrder(link.parentColumn).strictlyRises;
    return std::make_unique<ChildGroups>(*link.child, link.childColumn, parentsRise);
}

std::string ReportTables::parentKey(const Link& link, const std::vector<TableValue>& parentRow) {
    return link.parentColumn ? keyText(valueAt(parentRow, *link.parentColumn)) : std::string();
}

}  // namespace convertor
