#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "reports/ChildGroups.h"
#include "reports/ReportBands.h"

namespace convertor {

class ReportContext;
class ReportTable;
class ReportTables;
class TemplateRenderer;
struct ReportValue;

// Renders a report's bands against its values, as its HTML would show them: the fixed parts and
// titles as HTML, a row as the texts its cells show, at the root or for one dataset row (and one
// child row under it). Each part is parsed once. The bands and the report must outlive it.
class BandRenderer {
public:
    enum class RowKind { Header, Empty, Summary };

    // Throws ConversionError when a part is not a valid template.
    BandRenderer(const ReportBands& bands, const ReportValue& report, const Date& printedOn);
    ~BandRenderer();
    BandRenderer(const BandRenderer&) = delete;
    BandRenderer& operator=(const BandRenderer&) = delete;

    const ReportBands& bands() const { return m_bands; }
    // False when a detail row runs over a link the report does not have for that dataset.
    bool fits() const { return m_fits; }

    std::string fixedHtml(std::size_t index);
    std::string titleHtml(std::size_t section);
    // The cells' texts, or with html their rendered HTML.
    std::vector<std::string> fixedRow(std::size_t section, RowKind kind, std::size_t row, bool html = false);

    const ReportTable& table(std::size_t section) const;
    // The links of a section's table in the order children are handed in, as indexes into the
    // report's links; and which of them a detail row runs over (none for a row of the table).
    const std::vector<std::size_t>& links(std::size_t section) const;
    std::optional<std::size_t> linkOf(std::size_t section, std::size_t detail) const;

    // A detail row for one dataset row, position its RowNo, children its rows under each link; a
    // row under a link is shown for child, the childPosition-th under it.
    void detailRow(std::size_t section, std::size_t detail, const std::vector<TableValue>& row,
                   std::size_t position, std::span<const ChildGroups::Rows> children,
                   const std::vector<TableValue>* child, std::size_t childPosition,
                   std::vector<std::string>& texts, bool html = false);

private:
    struct Section;

    std::string render(const TemplateRenderer& part);
    void cellTexts(const TemplateRenderer& row, std::vector<std::string>& texts, bool html);

    const ReportBands& m_bands;
    std::unique_ptr<ReportTables> m_tables;
    std::unique_ptr<ReportContext> m_context;
    std::vector<std::unique_ptr<TemplateRenderer>> m_fixed;
    std::vector<Section> m_sections;
    bool m_fits = true;
};

}  // namespace convertor
