#include "reports/ReportEngine.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <unordered_map>

#include <kainjow/mustache.hpp>

#include "base/ConversionError.h"
#include "refdata/Schema.h"
#include "reports/ReportValue.h"

namespace convertor {

namespace {

using Data = kainjow::mustache::data;

constexpr const char* kEmptyReport =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title></title></head><body></body></html>\n";

// Numeric entities rather than &apos;, which not every HTML reader (the Qt one included) knows.
std::string escapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
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
    return out;
}

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

std::string keyText(const TableValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return rawNumber(*number);
    }
    return {};
}

// A dataset with its column keys resolved once.
struct Table {
    std::vector<std::string> keys;
    const std::vector<std::vector<TableValue>>* rows = nullptr;

    int column(const std::string& key) const {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == key) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    const TableValue& at(std::size_t row, std::size_t col) const {
        static const TableValue kNull;
        const auto& values = (*rows)[row];
        return col < values.size() ? values[col] : kNull;
    }
};

Data rowData(const Table& table, std::size_t row, std::size_t position) {
    Data object{Data::type::object};
    for (std::size_t col = 0; col < table.keys.size(); ++col) {
        const std::string& key = table.keys[col];
        const TableValue& value = table.at(row, col);
        if (const auto* number = std::get_if<double>(&value)) {
            object[key] = Data{formatMoney(*number)};
            object[key + "_raw"] = Data{rawNumber(*number)};
        } else {
            // Nulls are set too, so a nested row never shows its parent's value by fallback.
            object[key] = Data{keyText(value)};
        }
    }
    object["RowNo"] = Data{std::to_string(position)};
    return object;
}

// prefix_count and prefix_sum_COL (with _raw) for the given rows of a table. A column gets a sum
// when none of these rows holds a text in it, so an empty dataset still prints 0.00 totals.
void addTotals(Data& target, const std::string& prefix, const Table& table,
               const std::vector<std::size_t>& rows) {
    target[prefix + "_count"] = Data{std::to_string(rows.size())};
    for (std::size_t col = 0; col < table.keys.size(); ++col) {
        long long sum = 0;
        bool numeric = true;
        for (std::size_t row : rows) {
            const TableValue& value = table.at(row, col);
            if (std::holds_alternative<std::string>(value)) {
                numeric = false;
                break;
            }
            if (const auto* number = std::get_if<double>(&value)) {
                sum += thousandths(*number);
            }
        }
        if (numeric) {
            const double total = static_cast<double>(sum) / 1000.0;
            target[prefix + "_sum_" + table.keys[col]] = Data{formatMoney(total)};
            target[prefix + "_sum_" + table.keys[col] + "_raw"] = Data{rawNumber(total)};
        }
    }
}

std::vector<std::size_t> allRows(const Table& table) {
    std::vector<std::size_t> rows(table.rows->size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = i;
    }
    return rows;
}

// Rows of a table grouped by the text of one column.
std::unordered_map<std::string, std::vector<std::size_t>> groupBy(const Table& table,
                                                                  const std::string& key) {
    std::unordered_map<std::string, std::vector<std::size_t>> groups;
    const int col = table.column(key);
    if (col < 0) {
        return groups;
    }
    for (std::size_t row = 0; row < table.rows->size(); ++row) {
        groups[keyText(table.at(row, static_cast<std::size_t>(col)))].push_back(row);
    }
    return groups;
}

// Under each cheque row: its tax rows as "wht" and its invoice rows as "invoices", with counts and
// sums, because a logic-less template cannot join.
void addChildren(Data& object, const std::string& name, const Table& table,
                 const std::unordered_map<std::string, std::vector<std::size_t>>& groups,
                 const std::string& id) {
    const auto found = groups.find(id);
    const std::vector<std::size_t> none;
    const std::vector<std::size_t>& rows = found == groups.end() ? none : found->second;
    Data list{Data::type::list};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.push_back(rowData(table, rows[i], i + 1));
    }
    object[name] = std::move(list);
    addTotals(object, name, table, rows);
}

Data buildContext(const ReportValue& report, const Date& printedOn) {
    Data root{Data::type::object};
    for (const auto& [name, value] : report.variables) {
        root[name] = Data{value};
        if (const auto number = decimalNumber(value)) {
            root[name + "_money"] = Data{formatMoney(*number)};
        }
    }
    root["PrintedDate"] = Data{dayMonthYear(printedOn)};

    static const std::vector<std::vector<TableValue>> kNoRows;
    std::map<std::string, Table> tables;
    // Every dataset a template may name is there (possibly empty) whatever the run handed over.
    for (const char* name : schema::dataset::kAll) {
        tables[name] = Table{{}, &kNoRows};
    }
    for (const auto& dataset : report.datasets) {
        tables[dataset.name] = Table{uniqueColumnNames(dataset.columns), &dataset.rows};
    }

    const Table& taxes = tables[schema::dataset::kChequeTaxes];
    const Table& invoices = tables[schema::dataset::kChequeInvoices];
    const auto taxesById = groupBy(taxes, schema::whtDetail::kCreditId);
    const auto invoicesById = groupBy(invoices, schema::invoiceDetail::kCreditId);

    for (const auto& [name, table] : tables) {
        const bool cheques = name == schema::dataset::kCheques;
        const int idColumn = table.column(schema::mcpDetail::kId);
        Data list{Data::type::list};
        for (std::size_t row = 0; row < table.rows->size(); ++row) {
            Data object = rowData(table, row, row + 1);
            if (cheques) {
                const std::string id =
                    idColumn < 0 ? std::string{} : keyText(table.at(row, static_cast<std::size_t>(idColumn)));
                addChildren(object, "wht", taxes, taxesById, id);
                addChildren(object, "invoices", invoices, invoicesById, id);
            }
            list.push_back(object);
        }
        root[name] = std::move(list);
        addTotals(root, name, table, allRows(table));
    }
    return root;
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

std::string ReportEngine::render(const ReportValue& report, std::optional<Date> printedOn) const {
    if (m_template.empty()) {
        return kEmptyReport;
    }
    const Date date = printedOn ? *printedOn : report.printedOn ? *report.printedOn : SystemClock{}.today();
    kainjow::mustache::mustache parsed{m_template};
    parsed.set_custom_escape(escapeHtml);
    std::string html = parsed.render(buildContext(report, date));
    if (!parsed.is_valid()) {
        throw ConversionError("Report template " + m_templateName + ": " + parsed.error_message());
    }
    return html;
}

std::string renderReportFile(const ReportValue& report, const std::filesystem::path& reportDir,
                             std::optional<Date> printedOn) {
    ReportEngine engine;
    engine.load(reportDir / report.templateName);
    return engine.render(report, printedOn);
}

}  // namespace convertor
