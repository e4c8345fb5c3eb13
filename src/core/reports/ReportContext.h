#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "reports/ChildGroups.h"
#include "reports/ReportTables.h"
#include "reports/TemplateContext.h"

namespace convertor {

struct ReportValue;

// The names a report template reaches, over the report's tables. At the root: every variable
// (NAME_money too when it holds a decimal number), PrintedDate, and for every dataset its rows,
// NAME_count and NAME_sum_COLUMN (and _raw) of its number columns. In a row: its columns (numbers
// as money, COLUMN_raw as they are), RowNo, and under each child link its rows, LINK_count and
// LINK_sum_COLUMN (and _raw). Datasets are read row by row, a pass at a time.
class ReportContext : public TemplateContext {
public:
    ReportContext(const ReportTables& tables, const ReportValue& report, const Date& printedOn);
    ~ReportContext() override;
    ReportContext(const ReportContext&) = delete;
    ReportContext& operator=(const ReportContext&) = delete;

    TemplateValue find(const std::string& name) override;
    TemplateValue innermost() override;
    bool isEmpty(const TemplateValue& list) override;
    void forEachItem(const TemplateValue& list, const std::function<void()>& body) override;
    void within(const TemplateValue& value, const std::function<void()>& body) override;

    // Calls body with one row of table the innermost scope, as a section over its dataset would:
    // position is its RowNo, children its rows under each of the table's links in their order
    // (none given: no children).
    void withinRow(const ReportTable& table, const std::vector<TableValue>& values, std::size_t position,
                   std::span<const ChildGroups::Rows> children, const std::function<void()>& body);

private:
    struct Layout;

    // A list a section runs over: a whole dataset, or the children of one parent row.
    struct RowList {
        const ReportTable* table = nullptr;
        const Layout* layout = nullptr;
        bool whole = true;  // the dataset itself, else these rows
        ChildGroups::Rows rows;
    };

    // The children of one parent row under one link.
    struct Group {
        std::size_t position = 0;  // of the parent row they belong to
        ChildGroups::Rows rows;
        ReportTable::Totals totals;
        RowList list;
    };

    // What a name stands for in a row; a row's names are set in order, a later one hiding an
    // earlier one, so each name keeps its candidates last first.
    struct Slot {
        enum Kind { Column, Raw, RowNo, ChildList, ChildCount, ChildSum, ChildSumRaw } kind;
        std::size_t col = 0;
        std::size_t link = 0;
    };

    struct Layout {
        std::unordered_map<std::string, std::vector<Slot>> slots;
        std::vector<const ReportTables::Link*> links;
        std::vector<Group> noChildren;  // for rows not read by a pass over their whole table
    };

    // The child groups of a pass over a whole parent table.
    struct Children {
        std::vector<std::unique_ptr<ChildGroups>> groups;
        std::vector<Group> current;
    };

    // A dataset's count or sum of a column (no sum when the column holds a text), worked out
    // when the template asks for it.
    struct RootEntry {
        enum Kind { Text, List, Count, Sum, SumRaw } kind = Text;
        std::string text;
        RowList list;
        std::size_t col = 0;

        static RootEntry ofText(std::string text) { return {Text, std::move(text), {}}; }
    };

    struct Frame {
        enum Kind { Root, Row, Text, List } kind = Root;
        const Layout* layout = nullptr;  // Row
        const std::vector<TableValue>* values = nullptr;
        std::size_t position = 0;
        Children* children = nullptr;   // in a pass over the whole table of a parent row
        std::string text;               // Text
        const RowList* list = nullptr;  // List
    };

    void layOut(const ReportTable& table);
    TemplateValue made();
    TemplateValue rootValue(const RootEntry& entry);
    TemplateValue rowValue(const Frame& row, const std::string& name);
    const Group& groupOf(const Frame& row, std::size_t link);
    // Calls body with the frame on top of the stack.
    void onTop(const Frame& frame, const std::function<void()>& body);

    const ReportTables& m_tables;
    std::unordered_map<const ReportTable*, Layout> m_layouts;
    std::unordered_map<std::string, RootEntry> m_root;
    std::deque<Frame> m_stack;  // a frame stays put while frames above it come and go
    std::string m_made;         // the text of the last value made for a lookup
};

}  // namespace convertor
