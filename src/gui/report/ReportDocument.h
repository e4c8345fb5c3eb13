#pragma once

#include <QDate>
#include <QImage>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace convertor {

// A rendered report laid out on A4 pages: the HTML body between a header (title, printed date)
// and a footer (page n of N). The same painting serves the preview, the printer and PDF files.
class ReportDocument {
public:
    ReportDocument();
    ~ReportDocument();

    void setHtml(const QString& html);
    const QString& html() const { return m_html; }
    QString title() const;
    void setPrintedDate(const QDate& date) { m_printed = date; }

    // A4 portrait with the report margins, for a printer or PDF writer about to receive the pages.
    static void setUpPage(QPagedPaintDevice& device);

    // Paints the pages (only the device's page ranges when it has any) and highlights the
    // characters [selectionStart, selectionEnd) when given. False when the device cannot be painted.
    bool paint(QPagedPaintDevice& device, int selectionStart = -1, int selectionEnd = -1) const;
    bool savePdf(const QString& file) const;

    int pageCount() const;
    // The 0-based page holding a character position, as the pages come out on A4.
    int pageOf(int position) const;
    // The next match of text after position (wrapping), as [start, end); start is -1 when none.
    std::pair<int, int> find(const QString& text, int after) const;

private:
    struct Layout;
    Layout layOut(double pageWidth, double pageHeight) const;
    Layout layOutA4() const;

    QString m_html;
    QDate m_printed;
    QImage m_metrics;  // fixes the layout resolution, so pages break the same on any screen
};

}  // namespace convertor
