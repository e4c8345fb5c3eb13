#pragma once

#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class QPainter;

namespace convertor {

class ReportEngine;
struct ReportValue;

// A report's A4 pages, painted one at a time on any device (the screen, a printer, a PDF file):
// a header (the title, the printed date) and a footer ("Page n of N") around the body, which each
// kind of report fills its own way. One thread uses a source; clone() gives another thread its own.
class PageSource {
public:
    // Where a find stopped: a page, and the text's place on its body.
    struct Match {
        int page = -1;
        QRectF rect;
        std::vector<long long> key;  // where it stopped, in the source's own terms, for the next find

        explicit operator bool() const { return page >= 0; }
    };

    static constexpr double kLayoutDpi = 96;
    static constexpr double kHeaderHeight = 26;
    static constexpr double kFooterHeight = 26;

    virtual ~PageSource() = default;

    virtual int pageCount() const = 0;
    virtual QString title() const = 0;
    virtual std::unique_ptr<PageSource> clone() const = 0;
    // The next place text is shown (in any case) after the one given, from the start again past the
    // end; nothing when it is nowhere, or when cancel is set part-way.
    virtual Match find(const QString& text, const Match& after, const std::atomic_bool& cancel) = 0;

    // The report with its rows copied into a file of its own, unless they are already.
    static ReportValue withCopy(const ReportValue& report);
    // The pages of a report whose rows are copied, through the engine's template: painted from its
    // bands, or for a template that does not read as bands from the whole HTML. Throws
    // ConversionError as the engine does.
    static std::unique_ptr<PageSource> ofReport(const ReportValue& report, const ReportEngine& engine,
                                                const QDate& printedOn);

    void setPrintedDate(const QDate& date) { m_printed = date; }
    const QDate& printedDate() const { return m_printed; }

    // A4 portrait with the report's margins.
    static QPageLayout pageLayout();
    // The families a report is set in, Thai first; the size is the caller's.
    static QFont reportFont();
    // The printable area and the body within it, in layout units (pixels at 96 dpi).
    static QSizeF printableSize();
    static QRectF bodyRect();

    // Paints page (0-based) on a painter whose unit is a layout pixel and whose origin is the
    // printable area's top left.
    void paint(QPainter& painter, int page);

protected:
    // The body, the painter's origin at its top left.
    virtual void paintBody(QPainter& painter, int page) = 0;

private:
    QDate m_printed = QDate::currentDate();
};

}  // namespace convertor
