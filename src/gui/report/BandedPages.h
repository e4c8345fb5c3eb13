#pragma once

#include <QStringList>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "report/BandLayout.h"
#include "report/PageSource.h"
#include "reports/PageIndex.h"

namespace convertor {

class BandRenderer;
class CopyReader;
struct ReportValue;

// The pages of a report whose template reads as bands (ReportBands) and whose rows are in a copy
// (ReportCopy): page n is painted from the bands and that page's rows alone, read when it is
// painted, so the first page shows at once and memory stays flat whatever the length.
class BandedPages : public PageSource {
public:
    // What the pages of every thread share: the report over its copy, its bands, where each falls.
    struct Shared;

    // Nothing when the report has no copy, or its template does not read as bands or runs rows over
    // a link the report lacks. Throws ConversionError for a template that is not valid, TableError
    // when the copy cannot be read.
    static std::unique_ptr<BandedPages> make(const ReportValue& report, const std::string& templateText,
                                             const Date& printedOn);
    explicit BandedPages(std::shared_ptr<const Shared> shared);
    ~BandedPages() override;

    int pageCount() const override;
    QString title() const override;
    std::unique_ptr<PageSource> clone() const override;
    Match find(const QString& text, const Match& after, const std::atomic_bool& cancel) override;

    const PageIndex& index() const;
    // What a page shows of its titles and tables, top to bottom, a row's cells joined by tabs.
    QStringList rowTexts(int page);

protected:
    void paintBody(QPainter& painter, int page) override;

private:
    struct Rows;

    std::vector<QStringList> samples();
    std::vector<PageIndex::Item> items() const;
    void readRows(const std::vector<PageIndex::Band>& bands, std::vector<Rows>& rows);
    const std::vector<QString>& texts(const PageIndex::Band& band, std::vector<Rows>& rows);
    // The look of a band that is a table's row.
    const BandLayout::Row& rowOf(const PageIndex::Band& band) const;

    std::shared_ptr<const Shared> m_shared;
    std::unique_ptr<BandRenderer> m_renderer;
    std::unique_ptr<BandLayout> m_layout;
    std::unique_ptr<CopyReader> m_reader;
    // Per section, the texts of its header, empty and summary rows.
    std::vector<std::array<std::vector<std::vector<QString>>, 3>> m_fixedTexts;
    std::vector<std::string> m_cells;
    std::vector<QString> m_texts;
};

}  // namespace convertor
