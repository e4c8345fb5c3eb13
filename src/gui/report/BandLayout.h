#pragma once

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include "reports/ReportBands.h"

class QPainter;
class QTextDocument;
class QTextTable;

namespace convertor {

class BandRenderer;

// The look of a report's bands, taken from its template as Qt lays it out: a small document of the
// fixed parts and titles (rendered once) with each table holding one row of each kind, whose
// heights, cells, fonts, colours, borders and alignments the rows of every page are then painted
// with. Units are pixels at 96 dpi; one thread uses it.
class BandLayout {
public:
    struct Cell {
        QRectF rect;  // within the row
        QRectF text;  // where the text goes
        double baseline = 0;
        QBrush background;
        double border[4] = {0, 0, 0, 0};  // left, top, right, bottom
        QBrush borderBrush[4];
        QFont font;                                    // as laid out at 96 dpi
        std::shared_ptr<const QFontMetricsF> metrics;  // of the font at 96 dpi
        QColor color;
        Qt::Alignment align = Qt::AlignLeft;
        bool nowrap = false;
        // The font for the last device painted on, by its resolution.
        mutable QFont deviceFont;
        mutable double deviceDpi = 0;
    };

    struct Row {
        double height = 0;
        std::vector<Cell> cells;
    };

    struct Table {
        double titleTop = 0, titleHeight = 0, bottom = 0;
        std::vector<Row> header, detail, empty, summary;
    };

    // Lays the bands out at the width of a page's body. samples holds for each table some of its
    // rows as HTML (<tr>...</tr>), rendered from its first dataset rows: the columns take the widths
    // they take in the HTML.
    BandLayout(BandRenderer& renderer, double width, const std::vector<QStringList>& samples);
    ~BandLayout();
    BandLayout(const BandLayout&) = delete;
    BandLayout& operator=(const BandLayout&) = delete;

    double width() const { return m_width; }
    QString title() const;
    // Where fixed part i lies in the layout (its height 0 when it shows nothing).
    double fixedTop(std::size_t i) const { return m_fixed[i].first; }
    double fixedHeight(std::size_t i) const { return m_fixed[i].second; }
    const Table& table(std::size_t section) const { return m_tables[section]; }

    // Paints a row at y with the texts of its cells.
    static void paintRow(QPainter& painter, const Row& row, double y, const std::vector<QString>& texts);
    // Where part shows within a cell holding text (the whole text's place when it is cut off).
    static QRectF textRect(const Cell& cell, const QString& text, const QString& part);

    // Paints the layout's stretch [top, top + height) at y.
    void paintSlice(QPainter& painter, double top, double height, double y) const;
    // Where text is shown (any case) in the layout's stretch [top, top + height), in reading order.
    std::vector<QRectF> matches(double top, double height, const QString& text) const;

    // A 96 dpi device: every text is measured as it is laid out here.
    const QImage& metrics() const { return m_metrics; }

    // A row of the template as HTML, with the cells' rendered contents.
    static QString renderedRow(const ReportBands::Row& row, const std::vector<std::string>& cells);

private:
    // A text as it fits its cell (cut short with an ellipsis when too long) and where it starts.
    struct Shown {
        QString text;
        double left = 0;
    };
    static Shown shown(const Cell& cell, const QString& text);
    void measure(std::size_t section, int samples);
    struct Measured {
        Row row;  // as high as its texts on one line
        double top = 0, bottom = 0;
    };
    Measured measureRow(const QTextTable& table, int row) const;
    bool shows(double top, double bottom) const;

    double m_width;
    QImage m_metrics;
    std::unique_ptr<QTextDocument> m_doc;
    const ReportBands* m_bands;
    std::vector<std::pair<double, double>> m_fixed;
    std::vector<Table> m_tables;
};

}  // namespace convertor
