#include "reports/ReportBands.h"

#include <algorithm>
#include <cstdint>

namespace convertor {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isDataset(std::string_view name, std::span<const char* const> datasets) {
    return std::any_of(datasets.begin(), datasets.end(), [&](const char* known) { return name == known; });
}

// Reads the body of one table of dataset rows; any turn it does not expect makes it fail.
class TableReader {
public:
    TableReader(std::string_view text, std::span<const char* const> datasets)
        : m_text(text), m_datasets(datasets) {}

    bool read(ReportBands::Section& section) {
        skipBlanks();
        if (take("<thead>")) {
            if (!rowsUntil("</thead>", section.header)) {
                return false;
            }
            skipBlanks();
        }
        const std::string name = sectionTag("{{#");
        if (!isDataset(name, m_datasets)) {
            return false;
        }
        section.dataset = name;
        if (!detailUntil("{{/" + name + "}}", section.detail) || section.detail.empty()) {
            return false;
        }
        skipBlanks();
        if (take("{{^" + name + "}}") && !rowsUntil("{{/" + name + "}}", section.empty)) {
            return false;
        }
        return rowsUntil("", section.summary);
    }

private:
    void skipBlanks() {
        while (m_at < m_text.size() && isBlank(m_text[m_at])) {
            ++m_at;
        }
    }

    bool at(std::string_view what) const { return m_text.substr(m_at, what.size()) == what; }

    bool take(std::string_view what) {
        if (!at(what)) {
            return false;
        }
        m_at += what.size();
        return true;
    }

    // The name of a section tag of this kind here, taken; empty when there is none.
    std::string sectionTag(std::string_view open) {
        if (!at(open)) {
            return {};
        }
        const std::size_t end = m_text.find("}}", m_at);
        if (end == std::string_view::npos) {
            return {};
        }
        std::string name(m_text.substr(m_at + open.size(), end - m_at - open.size()));
        m_at = end + 2;
        return name;
    }

    // Rows up to the closing text (the end of the table when empty).
    bool rowsUntil(const std::string& close, std::vector<ReportBands::Row>& rows) {
        for (;;) {
            skipBlanks();
            if (close.empty() ? m_at == m_text.size() : take(close)) {
                return true;
            }
            ReportBands::Row row;
            if (!readRow(row)) {
                return false;
            }
            rows.push_back(std::move(row));
        }
    }

    bool detailUntil(const std::string& close, std::vector<ReportBands::Detail>& detail) {
        for (;;) {
            skipBlanks();
            if (take(close)) {
                return true;
            }
            if (at("{{#")) {
                const std::string link = sectionTag("{{#");
                std::vector<ReportBands::Row> rows;
                if (link.empty() || isDataset(link, m_datasets) || !rowsUntil("{{/" + link + "}}", rows)) {
                    return false;
                }
                for (auto& row : rows) {
                    detail.push_back({link, std::move(row)});
                }
                continue;
            }
            ReportBands::Row row;
            if (!readRow(row)) {
                return false;
            }
            detail.push_back({std::string(), std::move(row)});
        }
    }

    // The text from here to the end of the tag that starts here.
    bool tag(std::string_view name, std::string& into) {
        if (!at("<" + std::string(name)) || m_at + name.size() + 1 >= m_text.size()) {
            return false;
        }
        const char next = m_text[m_at + name.size() + 1];
        const std::size_t end = m_text.find('>', m_at);
        if ((next != '>' && !isBlank(next)) || end == std::string_view::npos) {
            return false;
        }
        into = std::string(m_text.substr(m_at, end + 1 - m_at));
        m_at = end + 1;
        return true;
    }

    bool readRow(ReportBands::Row& row) {
        if (!tag("tr", row.open)) {
            return false;
        }
        for (;;) {
            skipBlanks();
            if (take("</tr>")) {
                return !row.cells.empty();
            }
            std::string open;
            const bool head = at("<th");
            if (!tag(head ? "th" : "td", open)) {
                return false;
            }
            const std::string close = head ? "</th>" : "</td>";
            const std::size_t end = m_text.find(close, m_at);
            if (end == std::string_view::npos) {
                return false;
            }
            const std::string_view contents = m_text.substr(m_at, end - m_at);
            if (contents.find("<td") != std::string_view::npos ||
                contents.find("<th") != std::string_view::npos ||
                contents.find("<tr") != std::string_view::npos) {
                return false;
            }
            if (!row.cells.empty()) {
                row.contents += ReportBands::kCellSeparator;
            }
            row.contents += contents;
            row.cells.push_back(open + std::string(contents) + close);
            m_at = end + close.size();
        }
    }

    std::string_view m_text;
    std::span<const char* const> m_datasets;
    std::size_t m_at = 0;
};

bool holdsDatasetSection(std::string_view text, std::span<const char* const> datasets) {
    for (const char* name : datasets) {
        for (const char* open : {"{{#", "{{^"}) {
            if (text.find(std::string(open) + name + "}}") != std::string_view::npos) {
                return true;
            }
        }
    }
    return false;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character of an entity's name ("amp", "#160", "#xA0"); nothing for one not known.
std::optional<std::uint32_t> entity(std::string_view name) {
    static constexpr std::pair<std::string_view, std::uint32_t> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    for (const auto& [known, code] : kNamed) {
        if (name == known) {
            return code;
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return std::nullopt;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    if (digits.empty() || digits.size() > 7) {
        return std::nullopt;
    }
    for (char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return code;
}

}  // namespace

std::string_view ReportBands::Row::cellOpen(std::size_t i) const {
    const std::string_view cell = cells[i];
    return cell.substr(0, cell.find('>') + 1);
}

std::string_view ReportBands::Row::cellContents(std::size_t i) const {
    const std::string_view cell = cells[i];
    const std::size_t start = cell.find('>') + 1;
    return cell.substr(start, cell.size() - start - 5);  // "</td>" or "</th>"
}

std::optional<ReportBands> ReportBands::read(std::string_view text, std::span<const char* const> datasets) {
    if (text.find("{{=") != std::string_view::npos) {
        return std::nullopt;
    }
    ReportBands bands;
    std::size_t fixedStart = 0;
    for (std::size_t from = 0;;) {
        const std::size_t start = text.find("<table", from);
        const std::size_t open = start == std::string_view::npos ? start : text.find('>', start);
        const std::size_t end = open == std::string_view::npos ? open : text.find("</table>", open);
        if (end == std::string_view::npos) {
            break;
        }
        from = end + 8;
        const std::string_view body = text.substr(open + 1, end - open - 1);
        if (!holdsDatasetSection(body, datasets)) {
            continue;
        }
        Section section;
        section.table = std::string(text.substr(start, open + 1 - start));
        if (body.find("<table") != std::string_view::npos || !TableReader(body, datasets).read(section)) {
            return std::nullopt;
        }
        std::size_t fixedEnd = start;
        const std::size_t lastText = text.find_last_not_of(" \t\r\n", start == 0 ? 0 : start - 1);
        if (lastText != std::string_view::npos && lastText >= 4 && text.substr(lastText - 4, 5) == "</h2>") {
            const std::size_t heading = text.rfind("<h2", lastText);
            if (heading != std::string_view::npos && heading >= fixedStart) {
                section.title = std::string(text.substr(heading, lastText + 1 - heading));
                fixedEnd = heading;
            }
        }
        bands.fixed.emplace_back(text.substr(fixedStart, fixedEnd - fixedStart));
        bands.sections.push_back(std::move(section));
        fixedStart = from;
    }
    bands.fixed.emplace_back(text.substr(fixedStart));
    if (bands.sections.empty() ||
        std::any_of(bands.fixed.begin(), bands.fixed.end(),
                    [&](const std::string& part) { return holdsDatasetSection(part, datasets); })) {
        return std::nullopt;
    }
    return bands;
}

std::string shownText(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    bool blank = true;  // drops blanks at the start, and runs of them
    for (std::size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t end = html.find('>', i);
            i = end == std::string_view::npos ? html.size() : end;
            continue;
        }
        if (isBlank(c)) {
            if (!blank) {
                out += ' ';
                blank = true;
            }
            continue;
        }
        blank = false;
        if (c == '&') {
            const std::size_t end = html.find(';', i);
            if (end != std::string_view::npos && end - i <= 10) {
                if (const auto code = entity(html.substr(i + 1, end - i - 1))) {
                    appendUtf8(out, *code);
                    i = end;
                    continue;
                }
            }
        }
        out += c;
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

}  // namespace convertor
