#include "reports/ReportEngine.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <unordered_map>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string_view>

#include <kainjow/mustache.hpp>

#include "base/ConversionError.h"
#include "refdata/Schema.h"
#include "reports/ReportValue.h"

namespace convertor {

namespace {

namespace kmu = kainjow::mustache;

constexpr const char* kEmptyReport =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title></title></head><body></body></html>\n";

std::string rawNumber(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc{} ? std::string(buf, end) : std::string{};
}

std::string dayMonthYear(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", date.day % 100, date.month % 100, date.year % 10000);
    return buf;
}

// A variable such as Amount ("0000000000124.000") also gets a readable money form.
std::optional<double> decimalNumber(const std::string& text) {
    const std::size_t point = text.find('.');
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (point == std::string::npos || point == start || point + 1 == text.size() ||
        text.find_first_not_of("0123456789", start) != point ||
        text.find_first_not_of("0123456789", point + 1) != std::string::npos) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Amounts are whole thousandths, so they are summed as integers to stay exact.
long long thousandths(double value) {
    return std::llround(value * 1000.0);
}

using Rows = std::span<const std::vector<TableValue>>;

void keyText(const TableValue& value, std::string& into) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        into = *text;
    } else if (const auto* number = std::get_if<double>(&value)) {
        into = rawNumber(*number);
    } else {
        into.clear();
    }
}

std::string keyText(const TableValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return rawNumber(*number);
    }
    return {};
}

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&#34;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
}

// The sums of a set of rows: a column has one when none of the rows holds a text in it, so an
// empty dataset still prints 0.00 totals.
struct Totals {
    std::size_t count = 0;
    std::vector<long long> sums;  // thousandths
    std::vector<bool> numeric;

    Totals(std::size_t columns = 0) : sums(columns, 0), numeric(columns, true) {}

    void add(const std::vector<TableValue>& row) {
        ++count;
        for (std::size_t col = 0; col < sums.size(); ++col) {
            if (col >= row.size() || !numeric[col]) {
                continue;
            }
            if (std::holds_alternative<std::string>(row[col])) {
                numeric[col] = false;
            } else if (const auto* number = std::get_if<double>(&row[col])) {
                sums[col] += thousandths(*number);
            }
        }
    }
    double total(std::size_t col) const { return static_cast<double>(sums[col]) / 1000.0; }
};

// What a name of the template stands for in one row, in the order the row sets its names (a
// later one of the same name hides an earlier one).
struct Slot {
    enum Kind { Column, Raw, RowNo, ChildList, ChildCount, ChildSum, ChildSumRaw } kind;
    std::size_t col = 0;
    int child = 0;  // 0: wht, 1: invoices
};

struct Table;

// A dataset with its column keys and totals resolved once; its rows are read on every pass.
struct Table {
    const ReportDataset* dataset = nullptr;  // null: no rows
    std::vector<std::string> keys;
    // Known after a pass over every row: the pass that renders them when nothing asks for the
    // totals earlier, so a report that shows them after its rows reads its rows once.
    mutable std::optional<Totals> totals;
    // The column of the key children are grouped by (cheque ID, credit ID), and whether the keys
    // come in rising order: strictly for the cheques, never falling for their tax and invoice rows.
    int keyColumn = -1;
    mutable bool keysStrictlyRise = true;
    mutable bool keysNeverFall = true;
    // Every name a row of this table answers, each with its candidates last first.
    std::unordered_map<std::string, std::vector<Slot>> layout;

    int column(const std::string& key) const {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == key) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    std::unique_ptr<QueryCursor> open() const {
        static const ReportDataset kEmpty;
        return (dataset != nullptr ? *dataset : kEmpty).open();
    }
};

const TableValue& valueAt(const std::vector<TableValue>& row, std::size_t col) {
    static const TableValue kNull;
    return col < row.size() ? row[col] : kNull;
}

// One pass over a table: its count and sums, and how its key column runs.
void scanTable(const Table& table);

const Totals& totalsOf(const Table& table) {
    if (!table.totals) {
        scanTable(table);
    }
    return *table.totals;
}

void scanTable(const Table& table) {
    table.totals = Totals(table.keys.size());
    std::optional<std::string> previous;
    auto cursor = table.open();
    cursor->readTextsOnlyIn(table.keyColumn < 0 ? std::string::npos : static_cast<std::size_t>(table.keyColumn));
    while (cursor->next()) {
        const std::vector<TableValue>& row = cursor->row();
        table.totals->add(row);
        if (table.keyColumn >= 0 && (table.keysStrictlyRise || table.keysNeverFall)) {
            std::string key = keyText(valueAt(row, static_cast<std::size_t>(table.keyColumn)));
            if (previous) {
                table.keysStrictlyRise = table.keysStrictlyRise && *previous < key;
                table.keysNeverFall = table.keysNeverFall && !(key < *previous);
            }
            previous = std::move(key);
        }
    }
    if (table.keyColumn < 0) {
        // Without the column every row has the empty key.
        table.keysStrictlyRise = table.keysNeverFall = table.totals->count <= 1;
    }
}

void layOut(Table& table, const Table* children[2]) {
    std::vector<std::pair<std::string, Slot>> order;
    for (std::size_t col = 0; col < table.keys.size(); ++col) {
        order.push_back({table.keys[col], {Slot::Column, col}});
        order.push_back({table.keys[col] + "_raw", {Slot::Raw, col}});
    }
    order.push_back({"RowNo", {Slot::RowNo}});
    if (children != nullptr) {
        const char* names[2] = {"wht", "invoices"};
        for (int child = 0; child < 2; ++child) {
            const std::string name = names[child];
            order.push_back({name, {Slot::ChildList, 0, child}});
            order.push_back({name + "_count", {Slot::ChildCount, 0, child}});
            for (std::size_t col = 0; col < children[child]->keys.size(); ++col) {
                const std::string sum = name + "_sum_" + children[child]->keys[col];
                order.push_back({sum, {Slot::ChildSum, col, child}});
                order.push_back({sum + "_raw", {Slot::ChildSumRaw, col, child}});
            }
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        table.layout[it->first].push_back(it->second);
    }
}

// The tax or invoice rows of one cheque after another. When the cheques come in rising ID order
// and the child rows never fall in theirs, they are read alongside, one group at a time; else
// they are held, grouped, for the whole report.
class ChildGroups {
public:
    ChildGroups(const Table& table, bool chequesRise) : m_table(table) {
        m_merge = table.keyColumn >= 0 && chequesRise && table.keysNeverFall;
    }

    Rows rowsOf(const std::string& id) {
        if (m_table.keyColumn < 0) {
            return {};
        }
        const auto col = static_cast<std::size_t>(m_table.keyColumn);
        if (!m_merge) {
            if (!m_held) {
                m_held.emplace();
                for (auto cursor = m_table.open(); cursor->next();) {
                    (*m_held)[keyText(valueAt(cursor->row(), col))].push_back(cursor->row());
                }
            }
            const auto found = m_held->find(id);
            return found == m_held->end() ? Rows() : Rows(found->second);
        }
        if (!m_cursor) {
            m_cursor = m_table.open();
            m_pending = m_cursor->next();
        }
        // The rows of a group go into the slots of the last one, reusing what they hold.
        std::size_t size = 0;
        while (m_pending) {
            const std::vector<TableValue>& row = m_cursor->row();
            keyText(valueAt(row, col), m_key);
            if (id < m_key) {
                break;
            }
            if (m_key == id) {
                if (size == m_group.size()) {
                    m_group.push_back(row);
                } else {
                    m_group[size] = row;
                }
                ++size;
            }
            m_pending = m_cursor->next();
        }
        return Rows(m_group.data(), size);
    }

private:
    const Table& m_table;
    bool m_merge = false;
    std::optional<std::unordered_map<std::string, std::vector<std::vector<TableValue>>>> m_held;
    std::unique_ptr<QueryCursor> m_cursor;
    bool m_pending = false;
    std::vector<std::vector<TableValue>> m_group;
    std::string m_key;
};

struct RowList;

// What a name resolves to.
struct Found {
    enum Kind { None, Text, List, Object } kind = None;
    const RowList* list = nullptr;
    const struct Frame* object = nullptr;

    Found() = default;
    explicit Found(Kind k) : kind(k) {}
    static Found made(std::string value) {
        Found found(Text);
        found.m_owned = true;
        found.m_storage = std::move(value);
        return found;
    }
    static Found view(std::string_view value) {
        Found found(Text);
        found.m_view = value;
        return found;
    }
    std::string_view text() const { return m_owned ? std::string_view(m_storage) : m_view; }

private:
    std::string_view m_view;
    std::string m_storage;  // the text, when it was made for the lookup
    bool m_owned = false;
};

class Renderer;

// A list a section runs over: a whole dataset, or the children of one cheque.
struct RowList {
    const Table* table = nullptr;
    bool whole = true;  // the dataset itself, else these rows
    Rows rows;

    bool empty() const {
        if (!whole) {
            return rows.empty();
        }
        return table->totals ? table->totals->count == 0 : !table->open()->next();
    }
};

struct ChildState {
    std::unique_ptr<ChildGroups> groups[2];
};

// One entry of the context stack.
struct Frame {
    enum Kind { Root, Row, Text, List } kind = Root;
    // Row
    const Table* table = nullptr;
    const std::vector<TableValue>* values = nullptr;
    std::size_t position = 0;
    ChildState* children = nullptr;  // the cheque rows only
    mutable std::optional<Rows> group[2];
    mutable std::optional<Totals> groupTotals[2];
    mutable RowList groupList[2];
    // Text
    std::string text;
    // List
    const RowList* list = nullptr;
};

struct RootEntry {
    // A dataset's count or sum of a column (no sum when the column holds a text), worked out when
    // the template asks for it.
    enum Total { NoTotal, Count, Sum, SumRaw };

    std::string text;
    const Table* table = nullptr;  // a dataset
    RowList list;
    Total total = NoTotal;
    const Table* totalOf = nullptr;
    std::size_t col = 0;

    static RootEntry of(std::string value) { return RootEntry{std::move(value), nullptr, {}}; }
    static RootEntry totalEntry(Total total, const Table& table, std::size_t col = 0) {
        RootEntry entry;
        entry.total = total;
        entry.totalOf = &table;
        entry.col = col;
        return entry;
    }

    std::optional<std::string> totalText() const {
        const Totals& totals = totalsOf(*totalOf);
        if (total == Count) {
            return std::to_string(totals.count);
        }
        if (!totals.numeric[col]) {
            return std::nullopt;
        }
        const double sum = totals.total(col);
        return total == Sum ? formatMoney(sum) : rawNumber(sum);
    }
};

class Renderer {
public:
    Renderer(const std::unordered_map<std::string, RootEntry>& root, const std::string& templateName,
             const std::function<void(std::string_view)>& sink)
        : m_root(root), m_templateName(templateName), m_sink(sink) {}

    void render(const kmu::component<std::string>& tree) {
        m_stack.push_back(Frame{});
        walk(tree.children);
        flushLine(nullptr);
    }

private:
    using Component = kmu::component<std::string>;

    void walk(const std::vector<Component>& children) {
        for (const Component& child : children) {
            renderComponent(child);
        }
    }

    void flushLine(const Component* newline) {
        bool blank = true;
        for (char c : m_line) {
            if (c != ' ' && c != '\t') {
                blank = false;
                break;
            }
        }
        if (!(m_sectionTag && blank)) {
            m_line += newline != nullptr ? newline->text : std::string();
            m_sink(m_line);
        }
        m_line.clear();
        m_sectionTag = false;
    }

    void renderComponent(const Component& comp) {
        if (comp.is_text()) {
            if (comp.is_newline()) {
                flushLine(&comp);
            } else {
                m_line += comp.text;
            }
            return;
        }
        const auto& tag = comp.tag;
        switch (tag.type) {
            case kmu::tag_type::variable:
            case kmu::tag_type::unescaped_variable: {
                Found found = get(tag.name);
                if (found.kind == Found::Text) {
                    if (tag.type == kmu::tag_type::variable) {
                        appendEscaped(m_line, found.text());
                    } else {
                        m_line += found.text();
                    }
                }
                break;
            }
            case kmu::tag_type::section_begin: {
                Found found = get(tag.name);
                if (found.kind != Found::None && !(found.kind == Found::List && found.list->empty())) {
                    renderSection(comp, found);
                }
                break;
            }
            case kmu::tag_type::section_begin_inverted: {
                Found found = get(tag.name);
                if (found.kind == Found::None || (found.kind == Found::List && found.list->empty())) {
                    renderSection(comp, found);
                }
                break;
            }
            case kmu::tag_type::partial: {
                Found found = lookUp(tag.name);
                if (found.kind == Found::Text) {
                    kmu::context<std::string> none;
                    kmu::context_internal<std::string> parseContext{none};
                    Component tree;
                    std::string error;
                    kmu::parser<std::string> parser{std::string(found.text()), parseContext, tree, error};
                    if (!error.empty()) {
                        throw ConversionError("Report template " + m_templateName + ": " + error);
                    }
                    walk(tree.children);
                }
                break;
            }
            default:
                break;
        }
    }

    void renderSection(const Component& comp, const Found& found) {
        if (found.kind == Found::List && !found.list->empty()) {
            forEachRow(*found.list, [&] {
                m_sectionTag = true;
                walk(comp.children);
                m_sectionTag = true;
            });
            return;
        }
        m_sectionTag = true;
        if (found.kind != Found::None) {
            m_stack.push_back(asFrame(found));
            walk(comp.children);
            m_stack.pop_back();
        } else {
            walk(comp.children);
        }
        m_sectionTag = true;
    }

    Frame asFrame(const Found& found) const {
        if (found.kind == Found::Object) {
            return *found.object;
        }
        Frame frame;
        if (found.kind == Found::Text) {
            frame.kind = Frame::Text;
            frame.text = std::string(found.text());
        } else {
            frame.kind = Frame::List;
            frame.list = found.list;
        }
        return frame;
    }

    // Pushes each row of the list in turn and calls body.
    template <typename Body>
    void forEachRow(const RowList& list, Body&& body) {
        const Table& table = *list.table;
        Frame frame;
        frame.kind = Frame::Row;
        frame.table = &table;
        if (!list.whole) {
            for (std::size_t i = 0; i < list.rows.size(); ++i) {
                frame.values = &list.rows[i];
                frame.position = i + 1;
                m_stack.push_back(frame);
                body();
                m_stack.pop_back();
            }
            return;
        }
        // A pass over the cheques reads their tax and invoice rows alongside.
        ChildState children;
        const bool cheques = m_cheques != nullptr && &table == m_cheques;
        if (cheques) {
            for (int child = 0; child < 2; ++child) {
                children.groups[child] = std::make_unique<ChildGroups>(*m_children[child], table.keysStrictlyRise);
            }
            frame.children = &children;
        }
        std::optional<Totals> totals;
        if (!table.totals) {
            totals.emplace(table.keys.size());
        }
        std::size_t position = 0;
        for (auto cursor = table.open(); cursor->next();) {
            frame.values = &cursor->row();
            frame.position = ++position;
            if (totals) {
                totals->add(*frame.values);
            }
            m_stack.push_back(frame);
            body();
            m_stack.pop_back();
        }
        if (totals && !table.totals) {
            table.totals = std::move(totals);
        }
    }

    // The name as the stack resolves it, top first; "." is the top itself.
    Found get(const std::string& name) {
        if (name == ".") {
            const Frame& top = m_stack.back();
            return frameValue(top);
        }
        if (name.find('.') == std::string::npos) {
            return lookUp(name);
        }
        // Only an object has members, and no name leads to one.
        const auto names = kmu::split(name, '.');
        return names.size() == 1 ? lookUp(names[0]) : Found{};
    }

    Found frameValue(const Frame& frame) const {
        switch (frame.kind) {
            case Frame::Text:
                return Found::view(frame.text);
            case Frame::List: {
                Found found(Found::List);
                found.list = frame.list;
                return found;
            }
            default: {
                Found found(Found::Object);
                found.object = &frame;
                return found;
            }
        }
    }

    Found lookUp(const std::string& name) {
        for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
            if (it->kind == Frame::Root) {
                const auto entry = m_root.find(name);
                if (entry == m_root.end()) {
                    continue;
                }
                if (entry->second.table != nullptr) {
                    Found found(Found::List);
                    found.list = &entry->second.list;
                    return found;
                }
                if (entry->second.total != RootEntry::NoTotal) {
                    std::optional<std::string> total = entry->second.totalText();
                    if (!total) {
                        continue;
                    }
                    return Found::made(std::move(*total));
                }
                return Found::view(entry->second.text);
            }
            if (it->kind == Frame::Row) {
                Found found = rowValue(*it, name);
                if (found.kind != Found::None) {
                    return found;
                }
            }
        }
        return {};
    }

    Rows groupOf(const Frame& row, int child) {
        if (row.children == nullptr) {
            return {};
        }
        if (!row.group[child]) {
            const Table& table = *row.table;
            const std::string id =
                table.keyColumn < 0 ? std::string()
                                    : keyText(valueAt(*row.values, static_cast<std::size_t>(table.keyColumn)));
            row.group[child] = row.children->groups[child]->rowsOf(id);
            row.groupTotals[child].emplace(m_children[child]->keys.size());
            for (const auto& values : *row.group[child]) {
                row.groupTotals[child]->add(values);
            }
            row.groupList[child] = RowList{m_children[child], false, *row.group[child]};
        }
        return *row.group[child];
    }

    Found rowValue(const Frame& row, const std::string& name) {
        const auto candidates = row.table->layout.find(name);
        if (candidates == row.table->layout.end()) {
            return {};
        }
        const std::vector<TableValue>& values = *row.values;
        for (const Slot& slot : candidates->second) {
            switch (slot.kind) {
                case Slot::Column: {
                    const TableValue& value = valueAt(values, slot.col);
                    if (const auto* number = std::get_if<double>(&value)) {
                        return Found::made(formatMoney(*number));
                    }
                    if (const auto* text = std::get_if<std::string>(&value)) {
                        return Found::view(*text);
                    }
                    return Found::view({});
                }
                case Slot::Raw:
                    if (const auto* number = std::get_if<double>(&valueAt(values, slot.col))) {
                        return Found::made(rawNumber(*number));
                    }
                    break;
                case Slot::RowNo:
                    return Found::made(std::to_string(row.position));
                case Slot::ChildList: {
                    groupOf(row, slot.child);
                    Found found(Found::List);
                    found.list = &row.groupList[slot.child];
                    return found;
                }
                case Slot::ChildCount:
                    return Found::made(std::to_string(groupOf(row, slot.child).size()));
                case Slot::ChildSum:
                case Slot::ChildSumRaw: {
                    groupOf(row, slot.child);
                    const Totals& totals = *row.groupTotals[slot.child];
                    if (totals.numeric[slot.col]) {
                        const double total = totals.total(slot.col);
                        return Found::made(slot.kind == Slot::ChildSum ? formatMoney(total) : rawNumber(total));
                    }
                    break;
                }
            }
        }
        return {};
    }

public:
    const Table* m_cheques = nullptr;
    const Table* m_children[2] = {nullptr, nullptr};

private:
    const std::unordered_map<std::string, RootEntry>& m_root;
    const std::string& m_templateName;
    const std::function<void(std::string_view)>& m_sink;
    std::deque<Frame> m_stack;  // a frame stays put while frames above it come and go
    std::string m_line;
    bool m_sectionTag = false;
};

void renderStreaming(const kmu::component<std::string>& tree, const std::string& templateName,
                     const ReportValue& report, const Date& printedOn,
                     const std::function<void(std::string_view)>& sink) {
    // Every dataset a template may name is there (possibly empty) whatever the run handed over.
    std::map<std::string, Table> tables;
    for (const char* name : schema::dataset::kAll) {
        tables[name] = Table{};
    }
    for (const auto& dataset : report.datasets) {
        Table& table = tables[dataset.name];
        table = Table{};
        table.dataset = &dataset;
        table.keys = uniqueColumnNames(dataset.columns);
    }
    Table& cheques = tables[schema::dataset::kCheques];
    Table& taxes = tables[schema::dataset::kChequeTaxes];
    Table& invoices = tables[schema::dataset::kChequeInvoices];
    cheques.keyColumn = cheques.column(schema::mcpDetail::kId);
    taxes.keyColumn = taxes.column(schema::whtDetail::kCreditId);
    invoices.keyColumn = invoices.column(schema::invoiceDetail::kCreditId);
    const Table* children[2] = {&taxes, &invoices};
    for (auto& [name, table] : tables) {
        // The cheques and their children are read alongside only when their keys run in order.
        if (&table == &cheques || &table == &taxes || &table == &invoices) {
            scanTable(table);
        }
        layOut(table, &table == &cheques ? children : nullptr);
    }

    std::unordered_map<std::string, RootEntry> root;
    for (const auto& [name, value] : report.variables) {
        root[name] = RootEntry::of(value);
        if (const auto number = decimalNumber(value)) {
            root[name + "_money"] = RootEntry::of(formatMoney(*number));
        }
    }
    root["PrintedDate"] = RootEntry::of(dayMonthYear(printedOn));
    for (const auto& [name, table] : tables) {
        root[name] = RootEntry{{}, &table, RowList{&table, true, {}}};
        root[name + "_count"] = RootEntry::totalEntry(RootEntry::Count, table);
        for (std::size_t col = 0; col < table.keys.size(); ++col) {
            root[name + "_sum_" + table.keys[col]] = RootEntry::totalEntry(RootEntry::Sum, table, col);
            root[name + "_sum_" + table.keys[col] + "_raw"] = RootEntry::totalEntry(RootEntry::SumRaw, table, col);
        }
    }

    Renderer renderer(root, templateName, sink);
    renderer.m_cheques = &cheques;
    renderer.m_children[0] = &taxes;
    renderer.m_children[1] = &invoices;
    renderer.render(tree);
}

}  // namespace

std::string formatMoney(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, 2);
    if (ec != std::errc{}) {
        return rawNumber(value);
    }
    const std::string digits(buf, end);
    const std::size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            out += ',';
        }
        out += whole[i];
    }
    out += digits.substr(point);
    // No "-0.00" for a value that rounds to zero.
    if (value < 0 && out.find_first_not_of("0.,") != std::string::npos) {
        out.insert(out.begin(), '-');
    }
    return out;
}

bool ReportEngine::load(const std::filesystem::path& templateFile) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(templateFile, ec)) {
        return false;
    }
    std::ifstream in(templateFile, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return false;
    }
    const std::string name = templateFile.filename().string();
    kainjow::mustache::mustache parsed{text};
    if (!parsed.is_valid()) {
        throw ConversionError("Report template " + name + ": " + parsed.error_message());
    }
    m_template = std::move(text);
    m_templateName = name;
    return true;
}

void ReportEngine::render(const ReportValue& report, const std::function<void(std::string_view)>& sink,
                          std::optional<Date> printedOn) const {
    if (m_template.empty()) {
        sink(kEmptyReport);
        return;
    }
    const Date date = printedOn ? *printedOn : report.printedOn ? *report.printedOn : SystemClock{}.today();
    kmu::context<std::string> none;
    kmu::context_internal<std::string> parseContext{none};
    kmu::component<std::string> tree;
    std::string error;
    kmu::parser<std::string> parser{m_template, parseContext, tree, error};
    if (!error.empty()) {
        throw ConversionError("Report template " + m_templateName + ": " + error);
    }
    renderStreaming(tree, m_templateName, report, date, sink);
}

std::string ReportEngine::render(const ReportValue& report, std::optional<Date> printedOn) const {
    std::string html;
    render(report, [&](std::string_view text) { html += text; }, printedOn);
    return html;
}

std::string renderReportFile(const ReportValue& report, const std::filesystem::path& reportDir,
                             std::optional<Date> printedOn) {
    ReportEngine engine;
    engine.load(reportDir / report.templateName);
    return engine.render(report, printedOn);
}

namespace {

constexpr std::size_t kHtmlBlock = 1 << 16;

}  // namespace

void writeReportHtml(const ReportValue& report, const std::filesystem::path& reportDir, std::ostream& out) {
    ReportEngine engine;
    engine.load(reportDir / report.templateName);
    // Lines are gathered into blocks: a stream write per line costs more than the line.
    std::string block;
    block.reserve(kHtmlBlock + 4096);
    auto flush = [&] {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        block.clear();
    };
    engine.render(report, [&](std::string_view text) {
        block += text;
        if (block.size() >= kHtmlBlock) {
            flush();
        }
    });
    flush();
}

}  // namespace convertor
