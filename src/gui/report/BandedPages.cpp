#include "report/BandedPages.h"

#include <QPainter>

#include <algorithm>

#include "report/BandFinder.h"
#include "reports/BandRenderer.h"
#include "reports/CopyReader.h"
#include "reports/ReportBands.h"
#include "reports/ReportCopy.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"

namespace convertor {

struct BandedPages::Shared {
    ReportValue report;
    ReportBands bands;
    Date printedOn;
    std::unique_ptr<const PageIndex> index;
};

// The dataset rows a page shows of one table, and their children under each of its links.
struct BandedPages::Rows {
    std::size_t first = 0;
    CopyReader::Rows values;
    std::vector<std::vector<CopyReader::Rows>> children;  // per row, per link
    std::vector<ChildGroups::Rows> spans;
};

namespace {

using Kind = BandRenderer::RowKind;

std::vector<QString> qtexts(const std::vector<std::string>& texts) {
    std::vector<QString> made;
    for (const auto& text : texts) {
        made.push_back(QString::fromStdString(text));
    }
    return made;
}

}  // namespace

std::unique_ptr<BandedPages> BandedPages::make(const ReportValue& report, const std::string& templateText,
                                               const Date& printedOn) {
    if (!report.copy) {
        return nullptr;
    }
    auto bands = ReportBands::read(templateText, templateDatasetNames());
    if (!bands) {
        return nullptr;
    }
    auto shared = std::make_shared<Shared>();
    shared->report = report;
    shared->bands = std::move(*bands);
    shared->printedOn = printedOn;
    auto pages = std::make_unique<BandedPages>(shared);
    if (!pages->m_renderer->fits()) {
        return nullptr;
    }
    for (std::size_t s = 0; s < shared->bands.sections.size(); ++s) {
        const auto& band = shared->bands.sections[s];
        const BandLayout::Table& table = pages->m_layout->table(s);
        if (table.header.size() != band.header.size() || table.detail.size() != band.detail.size() ||
            table.empty.size() != band.empty.size() || table.summary.size() != band.summary.size()) {
            return nullptr;
        }
    }
    shared->index = std::make_unique<const PageIndex>(pages->items(), bodyRect().height());
    return pages;
}

BandedPages::BandedPages(std::shared_ptr<const Shared> shared)
    : m_shared(std::move(shared)),
      m_renderer(std::make_unique<BandRenderer>(m_shared->bands, m_shared->report, m_shared->printedOn)),
      m_reader(std::make_unique<CopyReader>(m_shared->report.copy)) {
    m_layout = std::make_unique<BandLayout>(*m_renderer, bodyRect().width(), samples());
    setPrintedDate(QDate(m_shared->printedOn.year, m_shared->printedOn.month, m_shared->printedOn.day));
    for (std::size_t s = 0; s < m_shared->bands.sections.size(); ++s) {
        const auto& band = m_shared->bands.sections[s];
        std::array<std::vector<std::vector<QString>>, 3> texts;
        const std::size_t counts[3] = {band.header.size(), band.empty.size(), band.summary.size()};
        for (int kind = 0; kind < 3; ++kind) {
            for (std::size_t row = 0; row < counts[kind]; ++row) {
                texts[kind].push_back(qtexts(m_renderer->fixedRow(s, static_cast<Kind>(kind), row)));
            }
        }
        m_fixedTexts.push_back(std::move(texts));
    }
}

BandedPages::~BandedPages() = default;

// The first rows of each table as HTML, so that its columns take the widths the HTML gives them.
std::vector<QStringList> BandedPages::samples() {
    constexpr std::size_t kSampleRows = 20;
    const ReportCopy& copy = *m_shared->report.copy;
    std::vector<QStringList> samples;
    for (std::size_t s = 0; s < m_shared->bands.sections.size(); ++s) {
        const ReportBands::Section& band = m_shared->bands.sections[s];
        samples.emplace_back();
        const auto dataset = copy.datasetIndex(band.dataset);
        if (!dataset || !m_renderer->fits()) {
            continue;
        }
        Rows rows;
        m_reader->readRows(*dataset, 0, kSampleRows, rows.values);
        const std::vector<std::size_t>& links = m_renderer->links(s);
        std::vector<std::string> cells;
        for (std::size_t r = 0; r < rows.values.size(); ++r) {
            std::vector<CopyReader::Rows> children(links.size());
            rows.spans.clear();
            for (std::size_t l = 0; l < links.size(); ++l) {
                m_reader->readChildren(links[l], r, children[l]);
                rows.spans.emplace_back(children[l]);
            }
            for (std::size_t d = 0; d < band.detail.size(); ++d) {
                const auto link = m_renderer->linkOf(s, d);
                const std::size_t count = link ? children[*link].size() : 1;
                for (std::size_t c = 0; c < count; ++c) {
                    // Numbered as the last rows are, so a column of row numbers is as wide as
                    // the longest of them.
                    m_renderer->detailRow(s, d, rows.values[r], copy.datasets()[*dataset].rows - r,
                                          rows.spans, link ? &children[*link][c] : nullptr, c + 1, cells,
                                          true);
                    samples.back() << BandLayout::renderedRow(band.detail[d].row, cells);
                }
            }
        }
    }
    return samples;
}

std::vector<PageIndex::Item> BandedPages::items() const {
    const ReportCopy& copy = *m_shared->report.copy;
    std::vector<PageIndex::Item> items;
    const std::size_t sections = m_shared->bands.sections.size();
    for (std::size_t s = 0; s <= sections; ++s) {
        PageIndex::Item fixed;
        fixed.height = m_layout->fixedHeight(s);
        items.push_back(fixed);
        if (s == sections) {
            break;
        }
        const BandLayout::Table& table = m_layout->table(s);
        PageIndex::Item item;
        item.table = true;
        item.title = table.titleHeight;
        for (const auto& [rows, into] :
             {std::pair{&table.header, &item.header}, std::pair{&table.empty, &item.empty},
              std::pair{&table.summary, &item.summary}}) {
            for (const auto& row : *rows) {
                into->push_back(row.height);
            }
        }
        for (std::size_t d = 0; d < table.detail.size(); ++d) {
            item.detail.push_back({table.detail[d].height, m_renderer->linkOf(s, d)});
        }
        const auto dataset = copy.datasetIndex(m_shared->bands.sections[s].dataset);
        item.rows = dataset ? copy.datasets()[*dataset].rows : 0;
        for (std::size_t link : m_renderer->links(s)) {
            item.counts.push_back(&copy.childCounts(link));
        }
        items.push_back(std::move(item));
    }
    return items;
}

int BandedPages::pageCount() const {
    return static_cast<int>(m_shared->index->pageCount());
}

QString BandedPages::title() const {
    return m_layout->title();
}

std::unique_ptr<PageSource> BandedPages::clone() const {
    auto copy = std::make_unique<BandedPages>(m_shared);
    copy->setPrintedDate(printedDate());
    return copy;
}

const PageIndex& BandedPages::index() const {
    return *m_shared->index;
}

void BandedPages::readRows(const std::vector<PageIndex::Band>& bands, std::vector<Rows>& rows) {
    const std::size_t sections = m_shared->bands.sections.size();
    rows.assign(sections, Rows{});
    std::vector<std::pair<std::size_t, std::size_t>> range(sections, {SIZE_MAX, 0});
    for (const auto& band : bands) {
        if (band.kind == PageIndex::Band::Detail) {
            auto& [first, last] = range[band.at.item / 2];
            first = std::min(first, band.at.row);
            last = std::max(last, band.at.row);
        }
    }
    const ReportCopy& copy = *m_shared->report.copy;
    for (std::size_t s = 0; s < sections; ++s) {
        const auto [first, last] = range[s];
        const auto dataset = copy.datasetIndex(m_shared->bands.sections[s].dataset);
        if (first > last || !dataset) {
            continue;
        }
        Rows& page = rows[s];
        page.first = first;
        m_reader->readRows(*dataset, first, last - first + 1, page.values);
        const std::vector<std::size_t>& links = m_renderer->links(s);
        page.children.resize(page.values.size());
        for (std::size_t r = 0; r < page.values.size(); ++r) {
            page.children[r].resize(links.size());
            for (std::size_t l = 0; l < links.size(); ++l) {
                m_reader->readChildren(links[l], first + r, page.children[r][l]);
            }
        }
    }
}

const std::vector<QString>& BandedPages::texts(const PageIndex::Band& band, std::vector<Rows>& rows) {
    const std::size_t section = band.at.item / 2;
    if (band.kind != PageIndex::Band::Detail) {
        const int kind = band.kind == PageIndex::Band::Header  ? 0
                         : band.kind == PageIndex::Band::Empty ? 1
                                                               : 2;
        return m_fixedTexts[section][kind][band.at.row];
    }
    Rows& page = rows[section];
    const std::size_t r = band.at.row - page.first;
    page.spans.clear();
    for (const auto& children : page.children[r]) {
        page.spans.emplace_back(children);
    }
    const auto link = m_renderer->linkOf(section, band.at.detail);
    const std::vector<TableValue>* child = link ? &page.children[r][*link][band.at.child] : nullptr;
    m_renderer->detailRow(section, band.at.detail, page.values[r], band.at.row + 1, page.spans, child,
                          band.at.child + 1, m_cells);
    m_texts.resize(m_cells.size());
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        m_texts[i] = QString::fromStdString(m_cells[i]);
    }
    return m_texts;
}

const BandLayout::Row& BandedPages::rowOf(const PageIndex::Band& band) const {
    const BandLayout::Table& table = m_layout->table(band.at.item / 2);
    switch (band.kind) {
        case PageIndex::Band::Header:
            return table.header[band.at.row];
        case PageIndex::Band::Empty:
            return table.empty[band.at.row];
        case PageIndex::Band::Summary:
            return table.summary[band.at.row];
        default:
            return table.detail[band.at.detail];
    }
}

void BandedPages::paintBody(QPainter& painter, int page) {
    const std::vector<PageIndex::Band> bands = index().page(static_cast<std::size_t>(page));
    std::vector<Rows> rows;
    readRows(bands, rows);
    for (const auto& band : bands) {
        const std::size_t section = band.at.item / 2;
        if (band.kind == PageIndex::Band::Fixed) {
            m_layout->paintSlice(painter, m_layout->fixedTop(section) + band.at.from, band.height, band.y);
        } else if (band.kind == PageIndex::Band::Title) {
            m_layout->paintSlice(painter, m_layout->table(section).titleTop, band.height, band.y);
        } else {
            BandLayout::paintRow(painter, rowOf(band), band.y, texts(band, rows));
        }
    }
}

QStringList BandedPages::rowTexts(int page) {
    const std::vector<PageIndex::Band> bands = index().page(static_cast<std::size_t>(page));
    std::vector<Rows> rows;
    readRows(bands, rows);
    QStringList lines;
    for (const auto& band : bands) {
        if (band.kind == PageIndex::Band::Title) {
            lines << QString::fromStdString(shownText(m_renderer->titleHtml(band.at.item / 2)));
        } else if (band.kind != PageIndex::Band::Fixed) {
            QStringList cells;
            for (const QString& text : texts(band, rows)) {
                cells << text;
            }
            lines << cells.join(QLatin1Char('\t'));
        }
    }
    return lines;
}

PageSource::Match BandedPages::find(const QString& text, const Match& after, const std::atomic_bool& cancel) {
    BandFinder finder(*m_renderer, *m_layout, *m_reader, index());
    return finder.find(text, after, cancel);
}

}  // namespace convertor
