#include "reports/BandRenderer.h"

#include "reports/BlockWriter.h"
#include "reports/ReportContext.h"
#include "reports/ReportQueries.h"
#include "reports/ReportTables.h"
#include "reports/ReportValue.h"
#include "reports/TemplateRenderer.h"

namespace convertor {

struct BandRenderer::Section {
    const ReportTable* table = nullptr;
    std::vector<std::size_t> links;
    std::unique_ptr<TemplateRenderer> title;
    std::vector<std::unique_ptr<TemplateRenderer>> header, empty, summary, detail;
    std::vector<std::optional<std::size_t>> detailLinks;  // into links
};

namespace {

std::vector<std::unique_ptr<TemplateRenderer>> compile(const std::string& name,
                                                       const std::vector<ReportBands::Row>& rows) {
    std::vector<std::unique_ptr<TemplateRenderer>> compiled;
    for (const auto& row : rows) {
        compiled.push_back(std::make_unique<TemplateRenderer>(name, row.contents));
    }
    return compiled;
}

}  // namespace

BandRenderer::BandRenderer(const ReportBands& bands, const ReportValue& report, const Date& printedOn)
    : m_bands(bands), m_tables(std::make_unique<ReportTables>(report, templateDatasetNames())) {
    m_context = std::make_unique<ReportContext>(*m_tables, report, printedOn);
    const std::string& name = report.templateName;
    for (const auto& part : bands.fixed) {
        m_fixed.push_back(std::make_unique<TemplateRenderer>(name, part));
    }
    for (const auto& band : bands.sections) {
        Section section;
        section.table = m_tables->find(band.dataset);
        const std::vector<const ReportTables::Link*> links = m_tables->linksOf(*section.table);
        for (const ReportTables::Link* link : links) {
            for (std::size_t i = 0; i < report.children.size(); ++i) {
                if (report.children[i].name == link->name && report.children[i].parent == band.dataset) {
                    section.links.push_back(i);
                }
            }
        }
        section.title = std::make_unique<TemplateRenderer>(name, band.title);
        section.header = compile(name, band.header);
        section.empty = compile(name, band.empty);
        section.summary = compile(name, band.summary);
        for (const auto& detail : band.detail) {
            section.detail.push_back(std::make_unique<TemplateRenderer>(name, detail.row.contents));
            std::optional<std::size_t> link;
            for (std::size_t i = 0; i < links.size() && !detail.link.empty(); ++i) {
                if (links[i]->name == detail.link) {
                    link = i;
                }
            }
            m_fits = m_fits && (detail.link.empty() || link);
            section.detailLinks.push_back(link);
        }
        m_sections.push_back(std::move(section));
    }
}

BandRenderer::~BandRenderer() = default;

std::string BandRenderer::render(const TemplateRenderer& part) {
    BlockWriter out;
    part.render(*m_context, out);
    return std::move(out.text());
}

void BandRenderer::cellTexts(const TemplateRenderer& row, std::vector<std::string>& texts, bool html) {
    const std::string made = render(row);
    texts.clear();
    for (std::size_t from = 0;;) {
        const std::size_t end = made.find(ReportBands::kCellSeparator, from);
        const std::string_view cell = std::string_view(made).substr(from, end - from);
        texts.push_back(html ? std::string(cell) : shownText(cell));
        if (end == std::string::npos) {
            break;
        }
        from = end + ReportBands::kCellSeparator.size();
    }
}

std::string BandRenderer::fixedHtml(std::size_t index) {
    return render(*m_fixed[index]);
}

std::string BandRenderer::titleHtml(std::size_t section) {
    return render(*m_sections[section].title);
}

std::vector<std::string> BandRenderer::fixedRow(std::size_t section, RowKind kind, std::size_t row,
                                                bool html) {
    const Section& at = m_sections[section];
    const auto& rows = kind == RowKind::Header ? at.header : kind == RowKind::Empty ? at.empty : at.summary;
    std::vector<std::string> texts;
    cellTexts(*rows[row], texts, html);
    return texts;
}

const ReportTable& BandRenderer::table(std::size_t section) const {
    return *m_sections[section].table;
}

const std::vector<std::size_t>& BandRenderer::links(std::size_t section) const {
    return m_sections[section].links;
}

std::optional<std::size_t> BandRenderer::linkOf(std::size_t section, std::size_t detail) const {
    return m_sections[section].detailLinks[detail];
}

void BandRenderer::detailRow(std::size_t section, std::size_t detail, const std::vector<TableValue>& row,
                             std::size_t position, std::span<const ChildGroups::Rows> children,
                             const std::vector<TableValue>* child, std::size_t childPosition,
                             std::vector<std::string>& texts, bool html) {
    const Section& at = m_sections[section];
    const TemplateRenderer& band = *at.detail[detail];
    m_context->withinRow(*at.table, row, position, children, [&] {
        const auto link = at.detailLinks[detail];
        if (child == nullptr || !link) {
            cellTexts(band, texts, html);
            return;
        }
        const ReportTable& childTable = *m_tables->linksOf(*at.table)[*link]->child;
        m_context->withinRow(childTable, *child, childPosition, {}, [&] { cellTexts(band, texts, html); });
    });
}

}  // namespace convertor
