#pragma once

#include <QString>

#include <array>
#include <atomic>
#include <optional>
#include <vector>

#include "report/PageSource.h"
#include "reports/CopySearch.h"
#include "reports/PageIndex.h"

namespace convertor {

class BandLayout;
class BandRenderer;
class CopyReader;

// Finds a text in a banded report in page order: in the fixed parts and titles as laid out, in the
// header, empty and summary rows as rendered, and in the dataset rows through the copy's own search,
// each row it proposes rendered to see which cell shows the text. Only the first place in a cell
// counts.
class BandFinder {
public:
    BandFinder(BandRenderer& renderer, const BandLayout& layout, CopyReader& reader, const PageIndex& index);

    PageSource::Match find(const QString& text, const PageSource::Match& after,
                           const std::atomic_bool& cancel);

private:
    // item, part (fixed, title, header, detail, empty, summary), row, detail, child, cell
    using Position = std::array<long long, 6>;
    enum Part { Fixed, Title, Header, Detail, Empty, Summary };

    std::optional<PageSource::Match> from(const Position& start, bool after);
    std::optional<PageSource::Match> inLayout(const Position& start, bool after, Part part, double top,
                                              double height);
    std::optional<PageSource::Match> inRows(const Position& start, bool after, Part part,
                                            const std::vector<std::vector<QString>>& rows);
    std::optional<PageSource::Match> inDetail(const Position& start, bool after);
    std::optional<PageSource::Match> inDatasetRow(std::size_t section, std::size_t row, const Position& start,
                                                  bool after);
    std::optional<std::size_t> nextCandidate(std::size_t section, std::size_t from);
    PageSource::Match placed(const Position& at, const QRectF& rect);

    BandRenderer& m_renderer;
    const BandLayout& m_layout;
    CopyReader& m_reader;
    const PageIndex& m_index;
    CopySearch m_search;
    QString m_text;
    const std::atomic_bool* m_cancel = nullptr;
};

}  // namespace convertor
