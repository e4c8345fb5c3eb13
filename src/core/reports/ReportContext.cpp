#include "reports/ReportContext.h"

#include <utility>

#include "reports/ReportValue.h"
#include "reports/TextFormat.h"

namespace convertor {

namespace {

using Kind = TemplateValue::Kind;

TemplateValue listValue(const void* list) {
    return {Kind::List, {}, list};
}

}  // namespace

ReportContext::ReportContext(const ReportTables& tables, const ReportValue& report, const Date& printedOn)
    : m_tables(tables) {
    for (const auto& [name, table] : tables.byName()) {
        layOut(table);
    }
    for (auto& [table, layout] : m_layouts) {
        for (const ReportTables::Link* link : layout.links) {
            const RowList none{link->child, &m_layouts.at(link->child), false, {}};
            layout.noChildren.push_back({0, {}, ReportTable::Totals(link->child->keys().size()), none});
        }
    }

    for (const auto& [name, value] : report.variables) {
        m_root[name] = RootEntry::ofText(value);
        if (const auto number = decimalNumber(value)) {
            m_root[name + "_money"] = RootEntry::ofText(formatMoney(*number));
        }
    }
    m_root["PrintedDate"] = RootEntry::ofText(dayMonthYear(printedOn));
    for (const auto& [name, table] : tables.byName()) {
        const RowList whole{&table, &m_layouts.at(&table), true, {}};
        m_root[name] = RootEntry{RootEntry::List, {}, whole};
        m_root[name + "_count"] = RootEntry{RootEntry::Count, {}, whole};
        for (std::size_t col = 0; col < table.keys().size(); ++col) {
            const std::string sum = name + "_sum_" + table.keys()[col];
            m_root[sum] = RootEntry{RootEntry::Sum, {}, whole, col};
            m_root[sum + "_raw"] = RootEntry{RootEntry::SumRaw, {}, whole, col};
        }
    }
    m_stack.emplace_back();
}

ReportContext::~ReportContext() = default;

void ReportContext::layOut(const ReportTable& table) {
    Layout& layout = m_layouts[&table];
    layout.links = m_tables.linksOf(table);
    std::vector<std::pair<std::string, Slot>> order;
    for (std::size_t col = 0; col < table.keys().size(); ++col) {
        order.push_back({table.keys()[col], {Slot::Column, col}});
        order.push_back({table.keys()[col] + "_raw", {Slot::Raw, col}});
    }
    order.push_back({"RowNo", {Slot::RowNo}});
    for (std::size_t link = 0; link < layout.links.size(); ++link) {
        const std::string& name = layout.links[link]->name;
        order.push_back({name, {Slot::ChildList, 0, link}});
        order.push_back({name + "_count", {Slot::ChildCount, 0, link}});
        const auto& childKeys = layout.links[link]->child->keys();
        for (std::size_t col = 0; col < childKeys.size(); ++col) {
            const std::string sum = name + "_sum_" + childKeys[col];
            order.push_back({sum, {Slot::ChildSum, col, link}});
            order.push_back({sum + "_raw", {Slot::ChildSumRaw, col, link}});
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        layout.slots[it->first].push_back(it->second);
    }
}

TemplateValue ReportContext::made() {
    return TemplateValue::ofText(m_made);
}

TemplateValue ReportContext::find(const std::string& name) {
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
        if (it->kind == Frame::Root) {
            const auto entry = m_root.find(name);
            if (entry == m_root.end()) {
                continue;
            }
            TemplateValue found = rootValue(entry->second);
            if (found.kind == Kind::None) {
                continue;
            }
            return found;
        }
        if (it->kind == Frame::Row) {
            TemplateValue found = rowValue(*it, name);
            if (found.kind != Kind::None) {
                return found;
            }
        }
    }
    return {};
}

TemplateValue ReportContext::rootValue(const RootEntry& entry) {
    switch (entry.kind) {
        case RootEntry::Text:
            return TemplateValue::ofText(entry.text);
        case RootEntry::List:
            return listValue(&entry.list);
        case RootEntry::Count:
            m_made = std::to_string(entry.list.table->totals().count);
            return made();
        case RootEntry::Sum:
        case RootEntry::SumRaw: {
            const ReportTable::Totals& totals = entry.list.table->totals();
            if (!totals.hasSum(entry.col)) {
                return {};
            }
            m_made.clear();
            if (entry.kind == RootEntry::Sum) {
                appendMoney(m_made, totals.sum(entry.col));
            } else {
                appendRawNumber(m_made, totals.sum(entry.col));
            }
            return made();
        }
    }
    return {};
}

TemplateValue ReportContext::rowValue(const Frame& row, const std::string& name) {
    const auto candidates = row.layout->slots.find(name);
    if (candidates == row.layout->slots.end()) {
        return {};
    }
    for (const Slot& slot : candidates->second) {
        switch (slot.kind) {
            case Slot::Column: {
                const TableValue& value = valueAt(*row.values, slot.col);
                if (const auto* number = std::get_if<double>(&value)) {
                    m_made.clear();
                    appendMoney(m_made, *number);
                    return made();
                }
                const auto* text = std::get_if<std::string>(&value);
                return TemplateValue::ofText(text != nullptr ? std::string_view(*text) : std::string_view());
            }
            case Slot::Raw:
                if (const auto* number = std::get_if<double>(&valueAt(*row.values, slot.col))) {
                    m_made.clear();
                    appendRawNumber(m_made, *number);
                    return made();
                }
                break;
            case Slot::RowNo:
                m_made = std::to_string(row.position);
                return made();
            case Slot::ChildList:
                return listValue(&groupOf(row, slot.link).list);
            case Slot::ChildCount:
                m_made = std::to_string(groupOf(row, slot.link).rows.size());
                return made();
            case Slot::ChildSum:
            case Slot::ChildSumRaw: {
                const ReportTable::Totals& totals = groupOf(row, slot.link).totals;
                if (totals.hasSum(slot.col)) {
                    m_made.clear();
                    if (slot.kind == Slot::ChildSum) {
                        appendMoney(m_made, totals.sum(slot.col));
                    } else {
                        appendRawNumber(m_made, totals.sum(slot.col));
                    }
                    return made();
                }
                break;
            }
        }
    }
    return {};
}

// Worked out once per parent row, when the template first asks for it: the children are read
// alongside the parents, so they cannot be asked for again.
const ReportContext::Group& ReportContext::groupOf(const Frame& row, std::size_t link) {
    if (row.children == nullptr) {
        return row.layout->noChildren[link];
    }
    Group& group = row.children->current[link];
    if (group.position != row.position) {
        const ReportTables::Link& declared = *row.layout->links[link];
        group.position = row.position;
        group.rows = row.children->groups[link]->rowsOf(ReportTables::parentKey(declared, *row.values));
        group.totals = ReportTable::Totals(declared.child->keys().size());
        for (const auto& values : group.rows) {
            group.totals.add(values);
        }
        group.list.rows = group.rows;
    }
    return group;
}

TemplateValue ReportContext::innermost() {
    const Frame& top = m_stack.back();
    switch (top.kind) {
        case Frame::Text:
            return TemplateValue::ofText(top.text);
        case Frame::List:
            return listValue(top.list);
        default:
            return {Kind::Object, {}, &top};
    }
}

bool ReportContext::isEmpty(const TemplateValue& list) {
    const auto& rows = *static_cast<const RowList*>(list.ref);
    return rows.whole ? rows.table->empty() : rows.rows.empty();
}

void ReportContext::onTop(const Frame& frame, const std::function<void()>& body) {
    m_stack.push_back(frame);
    struct Pop {
        std::deque<Frame>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{m_stack};
    body();
}

void ReportContext::within(const TemplateValue& value, const std::function<void()>& body) {
    if (value.kind == Kind::Object) {
        onTop(*static_cast<const Frame*>(value.ref), body);
        return;
    }
    Frame frame;
    if (value.kind == Kind::Text) {
        frame.kind = Frame::Text;
        frame.text = std::string(value.text);
    } else {
        frame.kind = Frame::List;
        frame.list = static_cast<const RowList*>(value.ref);
    }
    onTop(frame, body);
}

void ReportContext::withinRow(const ReportTable& table, const std::vector<TableValue>& values,
                              std::size_t position, std::span<const ChildGroups::Rows> children,
                              const std::function<void()>& body) {
    Frame frame;
    frame.kind = Frame::Row;
    frame.layout = &m_layouts.at(&table);
    frame.values = &values;
    frame.position = position;
    Children given;
    if (!children.empty()) {
        const auto& links = frame.layout->links;
        for (std::size_t link = 0; link < links.size(); ++link) {
            Group group{position,
                        link < children.size() ? children[link] : ChildGroups::Rows(),
                        ReportTable::Totals(links[link]->child->keys().size()),
                        {links[link]->child, &m_layouts.at(links[link]->child), false, {}}};
            for (const auto& row : group.rows) {
                group.totals.add(row);
            }
            group.list.rows = group.rows;
            given.current.push_back(std::move(group));
        }
        frame.children = &given;
    }
    onTop(frame, body);
}

void ReportContext::forEachItem(const TemplateValue& value, const std::function<void()>& body) {
    const auto& list = *static_cast<const RowList*>(value.ref);
    Frame frame;
    frame.kind = Frame::Row;
    frame.layout = list.layout;
    if (!list.whole) {
        for (std::size_t i = 0; i < list.rows.size(); ++i) {
            frame.values = &list.rows[i];
            frame.position = i + 1;
            onTop(frame, body);
        }
        return;
    }
    // A pass over a parent table reads the children of its rows alongside.
    Children children;
    for (const ReportTables::Link* link : list.layout->links) {
        children.groups.push_back(m_tables.childGroups(*link));
        const RowList none{link->child, &m_layouts.at(link->child), false, {}};
        children.current.push_back({0, {}, ReportTable::Totals(), none});
    }
    if (!children.groups.empty()) {
        frame.children = &children;
    }
    std::size_t position = 0;
    for (ReportTable::Pass pass(*list.table); pass.next();) {
        frame.values = &pass.row();
        frame.position = ++position;
        onTop(frame, body);
    }
}

}  // namespace convertor
