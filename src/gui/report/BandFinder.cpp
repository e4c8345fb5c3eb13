#include "report/BandFinder.h"

#include <algorithm>

#include "report/BandLayout.h"
#include "reports/BandRenderer.h"
#include "reports/CopyReader.h"
#include "reports/ReportCopy.h"
#include "reports/ReportValue.h"

namespace convertor {

namespace {

using Cursor = PageIndex::Cursor;
using Kind = PageIndex::Band::Kind;

bool shows(const QString& text, const QString& part) {
    return text.contains(part, Qt::CaseInsensitive);
}

// The names a row's template prints: {{Name}}, {{{Name}}}, {{&Name}}.
std::vector<std::string> printedNames(const std::string& contents) {
    std::vector<std::string> names;
    for (std::size_t at = contents.find("{{"); at != std::string::npos; at = contents.find("{{", at + 2)) {
        std::size_t start = at + 2;
        if (start < contents.size() && (contents[start] == '{' || contents[start] == '&')) {
            ++start;
        }
        const std::size_t end = contents.find("}}", start);
        if (end == std::string::npos) {
            break;
        }
        std::string name = contents.substr(start, end - start);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!name.empty() && std::string_view("!#^/>=").find(name[0]) == std::string_view::npos) {
            names.push_back(name);
        }
    }
    return names;
}

// What a row's template shows whatever the values: its text without the tags.
QString fixedWords(const std::string& contents) {
    std::string words;
    std::size_t from = 0;
    for (std::size_t at = contents.find("{{"); at != std::string::npos; at = contents.find("{{", from)) {
        words += contents.substr(from, at - from);
        const std::size_t end = contents.find("}}", at);
        from = end == std::string::npos ? contents.size() : end + 2;
        if (from < contents.size() && contents[from] == '}') {
            ++from;
        }
    }
    words += contents.substr(std::min(from, contents.size()));
    return QString::fromStdString(shownText(words));
}

std::vector<CopySearch::Column> searchedColumns(const std::string& contents,
                                                const std::vector<std::string>& columns) {
    const std::vector<std::string> keys = uniqueColumnNames(columns);
    std::vector<CopySearch::Column> found;
    for (const std::string& name : printedNames(contents)) {
        const bool raw = name.size() > 4 && name.compare(name.size() - 4, 4, "_raw") == 0;
        const std::string key = raw ? name.substr(0, name.size() - 4) : name;
        const auto column = std::find(keys.begin(), keys.end(), key);
        if (column != keys.end()) {
            found.push_back({static_cast<std::size_t>(column - keys.begin()), raw});
        }
    }
    return found;
}

}  // namespace

BandFinder::BandFinder(BandRenderer& renderer, const BandLayout& layout, CopyReader& reader,
                       const PageIndex& index)
    : m_renderer(renderer), m_layout(layout), m_reader(reader), m_index(index), m_search(reader) {}

PageSource::Match BandFinder::find(const QString& text, const PageSource::Match& after,
                                   const std::atomic_bool& cancel) {
    m_text = text;
    m_cancel = &cancel;
    if (text.isEmpty()) {
        return {};
    }
    Position start{};
    if (after && after.key.size() == start.size()) {
        std::copy(after.key.begin(), after.key.end(), start.begin());
    }
    auto found = from(start, bool(after));
    if (!found && after && !cancel) {
        found = from(Position{}, false);
    }
    return cancel ? PageSource::Match{} : found.value_or(PageSource::Match{});
}

std::optional<PageSource::Match> BandFinder::from(const Position& start, bool after) {
    const auto& items = m_index.items();
    for (std::size_t item = static_cast<std::size_t>(start[0]); item < items.size() && !*m_cancel; ++item) {
        const bool here = static_cast<long long>(item) == start[0];
        const Position at = here ? start : Position{static_cast<long long>(item)};
        const bool strict = here && after;
        const std::size_t index = item / 2;
        std::optional<PageSource::Match> found;
        if (!items[item].table) {
            found = inLayout(at, strict, Fixed, m_layout.fixedTop(index), m_layout.fixedHeight(index));
        } else {
            const auto& table = m_layout.table(index);
            found = inLayout(at, strict, Title, table.titleTop, table.titleHeight);
            using Kind = BandRenderer::RowKind;
            auto rows = [&](Kind kind, std::size_t count) {
                std::vector<std::vector<QString>> texts;
                for (std::size_t row = 0; row < count; ++row) {
                    texts.emplace_back();
                    for (const auto& cell : m_renderer.fixedRow(index, kind, row)) {
                        texts.back().push_back(QString::fromStdString(cell));
                    }
                }
                return texts;
            };
            if (!found) {
                found = inRows(at, strict, Header, rows(Kind::Header, table.header.size()));
            }
            if (!found) {
                found = inDetail(at, strict);
            }
            if (!found && items[item].rows == 0) {
                found = inRows(at, strict, Empty, rows(Kind::Empty, table.empty.size()));
            }
            if (!found) {
                found = inRows(at, strict, Summary, rows(Kind::Summary, table.summary.size()));
            }
        }
        if (found) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<PageSource::Match> BandFinder::inLayout(const Position& start, bool after, Part part,
                                                      double top, double height) {
    const std::vector<QRectF> rects = m_layout.matches(top, height, m_text);
    for (std::size_t k = 0; k < rects.size(); ++k) {
        const Position at{start[0], part, 0, 0, 0, static_cast<long long>(k)};
        if (after ? at > start : at >= start) {
            return placed(at, rects[k].translated(0, -top));
        }
    }
    return std::nullopt;
}

std::optional<PageSource::Match> BandFinder::inRows(const Position& start, bool after, Part part,
                                                    const std::vector<std::vector<QString>>& rows) {
    const auto& table = m_layout.table(static_cast<std::size_t>(start[0]) / 2);
    const auto& styles = part == Header ? table.header : part == Empty ? table.empty : table.summary;
    for (std::size_t row = 0; row < rows.size() && row < styles.size(); ++row) {
        for (std::size_t cell = 0; cell < rows[row].size() && cell < styles[row].cells.size(); ++cell) {
            const Position at{start[0], part, static_cast<long long>(row),
                              0,        0,    static_cast<long long>(cell)};
            if ((after ? at > start : at >= start) && shows(rows[row][cell], m_text)) {
                return placed(at, BandLayout::textRect(styles[row].cells[cell], rows[row][cell], m_text));
            }
        }
    }
    return std::nullopt;
}

std::optional<PageSource::Match> BandFinder::inDetail(const Position& start, bool after) {
    const std::size_t item = static_cast<std::size_t>(start[0]);
    const std::size_t rows = m_index.items()[item].rows;
    if (start[1] > Detail) {
        return std::nullopt;
    }
    std::size_t row = start[1] == Detail ? static_cast<std::size_t>(start[2]) : 0;
    while (row < rows && !*m_cancel) {
        if (auto found = inDatasetRow(item / 2, row, start, after)) {
            return found;
        }
        const auto next = nextCandidate(item / 2, row + 1);
        if (!next) {
            break;
        }
        row = *next;
    }
    return std::nullopt;
}

std::optional<PageSource::Match> BandFinder::inDatasetRow(std::size_t section, std::size_t row,
                                                          const Position& start, bool after) {
    const ReportCopy& copy = m_reader.copy();
    const auto dataset = copy.datasetIndex(m_renderer.bands().sections[section].dataset);
    if (!dataset) {
        return std::nullopt;
    }
    CopyReader::Rows values;
    m_reader.readRows(*dataset, row, 1, values);
    if (values.empty()) {
        return std::nullopt;
    }
    const std::vector<std::size_t>& links = m_renderer.links(section);
    std::vector<CopyReader::Rows> children(links.size());
    std::vector<ChildGroups::Rows> spans;
    for (std::size_t l = 0; l < links.size(); ++l) {
        m_reader.readChildren(links[l], row, children[l]);
        spans.emplace_back(children[l]);
    }
    const auto& styles = m_layout.table(section).detail;
    std::vector<std::string> cells;
    for (std::size_t d = 0; d < styles.size(); ++d) {
        const auto link = m_renderer.linkOf(section, d);
        const std::size_t count = link ? children[*link].size() : 1;
        for (std::size_t child = 0; child < count; ++child) {
            m_renderer.detailRow(section, d, values.front(), row + 1, spans,
                                 link ? &children[*link][child] : nullptr, child + 1, cells);
            for (std::size_t c = 0; c < cells.size() && c < styles[d].cells.size(); ++c) {
                const Position at{start[0],
                                  Detail,
                                  static_cast<long long>(row),
                                  static_cast<long long>(d),
                                  static_cast<long long>(child),
                                  static_cast<long long>(c)};
                const QString text = QString::fromStdString(cells[c]);
                if ((after ? at > start : at >= start) && shows(text, m_text)) {
                    return placed(at, BandLayout::textRect(styles[d].cells[c], text, m_text));
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> BandFinder::nextCandidate(std::size_t section, std::size_t from) {
    const ReportCopy& copy = m_reader.copy();
    const ReportBands::Section& band = m_renderer.bands().sections[section];
    const auto dataset = copy.datasetIndex(band.dataset);
    const std::size_t rows = dataset ? copy.datasets()[*dataset].rows : 0;
    if (!dataset || from >= rows) {
        return std::nullopt;
    }
    const std::string text = m_text.toStdString();
    std::optional<std::size_t> best;
    auto take = [&](std::optional<std::size_t> row) {
        if (row && (!best || *row < *best)) {
            best = row;
        }
    };
    std::vector<CopySearch::Column> own;
    for (std::size_t d = 0; d < band.detail.size(); ++d) {
        const std::string& contents = band.detail[d].row.contents;
        const auto link = m_renderer.linkOf(section, d);
        const bool everyRow = shows(fixedWords(contents), m_text);
        if (!link) {
            if (everyRow) {
                return from;
            }
            const auto columns = searchedColumns(contents, copy.datasets()[*dataset].columns);
            own.insert(own.end(), columns.begin(), columns.end());
            continue;
        }
        const std::size_t global = m_renderer.links(section)[*link];
        if (everyRow) {
            const auto& counts = copy.childCounts(global);
            const auto withChildren = std::find_if(counts.begin() + static_cast<std::ptrdiff_t>(from),
                                                   counts.end(), [](auto n) { return n > 0; });
            take(withChildren == counts.end() ? std::nullopt
                                              : std::optional<std::size_t>(withChildren - counts.begin()));
        } else {
            const auto& childColumns = copy.datasets()[copy.childOf(global)].columns;
            take(m_search.nextParent(global, searchedColumns(contents, childColumns), text, from, *m_cancel));
        }
    }
    if (!own.empty()) {
        take(m_search.nextRow(*dataset, own, text, from, *m_cancel));
    }
    return best;
}

PageSource::Match BandFinder::placed(const Position& at, const QRectF& rect) {
    const std::size_t item = static_cast<std::size_t>(at[0]);
    Cursor cursor{item, Cursor::Title};
    Kind kind = Kind::Title;
    switch (at[1]) {
        case Fixed:
            cursor = Cursor{item, Cursor::Fixed, 0, 0, 0, rect.top()};
            kind = Kind::Fixed;
            break;
        case Header:
            kind = Kind::Header;
            break;
        case Detail:
            cursor = Cursor{item, Cursor::Detail, static_cast<std::size_t>(at[2]),
                            static_cast<std::size_t>(at[3]), static_cast<std::size_t>(at[4])};
            kind = Kind::Detail;
            break;
        case Empty:
        case Summary:
            cursor = Cursor{item, at[1] == Empty ? Cursor::Empty : Cursor::Summary,
                            static_cast<std::size_t>(at[2])};
            kind = at[1] == Empty ? Kind::Empty : Kind::Summary;
            break;
        default:
            break;
    }
    PageSource::Match match;
    match.page = static_cast<int>(m_index.pageOf(cursor));
    match.key.assign(at.begin(), at.end());
    match.rect = rect;
    for (const auto& band : m_index.page(static_cast<std::size_t>(match.page))) {
        if (band.kind != kind || band.at.item != item) {
            continue;
        }
        const bool same =
            kind == Kind::Fixed    ? rect.top() >= band.at.from && rect.top() < band.at.from + band.height
            : kind == Kind::Detail ? band.at.row == cursor.row && band.at.detail == cursor.detail &&
                                         band.at.child == cursor.child
            : kind == Kind::Title ? true
                                  : band.at.row == static_cast<std::size_t>(at[2]);
        if (same) {
            match.rect = rect.translated(0, band.y - (kind == Kind::Fixed ? band.at.from : 0));
            break;
        }
    }
    return match;
}

}  // namespace convertor
