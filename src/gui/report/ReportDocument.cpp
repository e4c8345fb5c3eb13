#include "report/ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace convertor {

namespace {

// Layout units are pixels at 96 dpi; the painter scales them to the device.
constexpr int kLayoutDpi = 96;
constexpr double kHeaderHeight = 26;
constexpr double kFooterHeight = 26;

QFont reportFont() {
    QFont font;
    font.setFamilies({"Garuda", "Loma", "Norasi", "DejaVu Sans"});
    font.setPointSizeF(10);
    return font;
}

QFont bandFont() {
    QFont font = reportFont();
    font.setPixelSize(10);
    return font;
}

// Qt lays out one long table in quadratic time, so tables of more rows than this are cut into
// several, each repeating the head row(s). Nested tables are left whole.
constexpr int kRowsPerTable = 400;

bool isRowStart(const QString& html, qsizetype at) {
    return html.mid(at, 4) == QLatin1String("<tr>") || html.mid(at, 4) == QLatin1String("<tr ");
}

QString splitLongTables(const QString& html) {
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = html.indexOf(QLatin1String("<table"), from);
        const qsizetype end = start < 0 ? -1 : html.indexOf(QLatin1String("</table>"), start);
        if (end < 0) {
            break;
        }
        const qsizetype nested = html.indexOf(QLatin1String("<table"), start + 6);
        const qsizetype openEnd = html.indexOf(QLatin1Char('>'), start);
        out += html.mid(from, start - from);
        from = end;
        if ((nested >= 0 && nested < end) || openEnd < 0) {
            out += html.mid(start, end - start);
            continue;
        }
        const QString open = html.mid(start, openEnd + 1 - start);
        QString head;
        qsizetype body = openEnd + 1;
        const qsizetype headStart = html.indexOf(QLatin1String("<thead>"), start);
        const qsizetype headEnd = html.indexOf(QLatin1String("</thead>"), start);
        if (headStart >= 0 && headEnd > headStart && headEnd < end) {
            head = html.mid(headStart, headEnd + 8 - headStart);
            body = headEnd + 8;
        }
        out += html.mid(start, body - start);
        int rows = 0;
        qsizetype copied = body;
        for (qsizetype at = html.indexOf(QLatin1String("<tr"), body); at >= 0 && at < end;
             at = html.indexOf(QLatin1String("<tr"), at + 3)) {
            if (!isRowStart(html, at)) {
                continue;
            }
            if (rows > 0 && rows % kRowsPerTable == 0) {
                out += html.mid(copied, at - copied);
                out += QLatin1String("</table>") + open + head;
                copied = at;
            }
            ++rows;
        }
        out += html.mid(copied, end - copied);
    }
    out += html.mid(from);
    return out;
}

QPageLayout a4Layout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(14, 12, 14, 12),
                       QPageLayout::Millimeter);
}

}  // namespace

struct ReportDocument::Layout {
    std::unique_ptr<QTextDocument> doc;
    double width = 0;
    double bodyHeight = 0;
};

ReportDocument::ReportDocument() : m_printed(QDate::currentDate()), m_metrics(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = static_cast<int>(std::lround(kLayoutDpi / 0.0254));
    m_metrics.setDotsPerMeterX(dotsPerMeter);
    m_metrics.setDotsPerMeterY(dotsPerMeter);
}

ReportDocument::~ReportDocument() = default;

void ReportDocument::setHtml(const QString& html) {
    m_html = html;
}

QString ReportDocument::title() const {
    static const QRegularExpression pattern(
        QStringLiteral("<title>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(m_html);
    if (!match.hasMatch()) {
        return {};
    }
    QTextDocument doc;  // decodes the entities of the title only
    doc.setHtml(match.captured(1));
    return doc.toPlainText().simplified();
}

void ReportDocument::setUpPage(QPagedPaintDevice& device) {
    device.setPageLayout(a4Layout());
}

ReportDocument::Layout ReportDocument::layOut(double pageWidth, double pageHeight) const {
    Layout layout;
    layout.doc = std::make_unique<QTextDocument>();
    layout.doc->documentLayout()->setPaintDevice(const_cast<QImage*>(&m_metrics));
    layout.doc->setDefaultFont(reportFont());
    layout.doc->setDocumentMargin(0);
    layout.doc->setHtml(splitLongTables(m_html));
    layout.width = pageWidth;
    layout.bodyHeight = pageHeight - kHeaderHeight - kFooterHeight;
    layout.doc->setPageSize(QSizeF(layout.width, layout.bodyHeight));
    return layout;
}

ReportDocument::Layout ReportDocument::layOutA4() const {
    const QRect page = a4Layout().paintRectPixels(kLayoutDpi);
    return layOut(page.width(), page.height());
}

bool ReportDocument::paint(QPagedPaintDevice& device, int selectionStart, int selectionEnd) const {
    const double scale = device.logicalDpiX() / double(kLayoutDpi);
    const QRect paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const Layout layout = layOut(paintRect.width() / scale, paintRect.height() / scale);
    const int pages = layout.doc->pageCount();
    const QString title = layout.doc->metaInformation(QTextDocument::DocumentTitle);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    if (selectionStart >= 0 && selectionEnd > selectionStart) {
        QAbstractTextDocumentLayout::Selection selection;
        selection.cursor = QTextCursor(layout.doc.get());
        selection.cursor.setPosition(selectionStart);
        selection.cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
        selection.format.setBackground(QColor(255, 224, 64));
        context.selections.append(selection);
    }

    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QPageRanges ranges = device.pageRanges();
    bool first = true;
    for (int page = 0; page < pages; ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page + 1)) {
            continue;
        }
        if (!first) {
            device.newPage();
        }
        first = false;
        painter.save();
        painter.scale(scale, scale);

        painter.setFont(bandFont());
        painter.setPen(QColor(90, 90, 90));
        const QRectF header(0, 0, layout.width, kHeaderHeight - 8);
        painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.drawText(header, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Printed %1").arg(m_printed.toString(QStringLiteral("dd/MM/yyyy"))));
        painter.drawLine(QPointF(0, kHeaderHeight - 5), QPointF(layout.width, kHeaderHeight - 5));
        const double footerTop = kHeaderHeight + layout.bodyHeight;
        painter.drawLine(QPointF(0, footerTop + 5), QPointF(layout.width, footerTop + 5));
        painter.drawText(QRectF(0, footerTop + 8, layout.width, kFooterHeight - 8),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));

        painter.translate(0, kHeaderHeight - page * layout.bodyHeight);
        const QRectF body(0, page * layout.bodyHeight, layout.width, layout.bodyHeight);
        painter.setClipRect(body);
        context.clip = body;
        layout.doc->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

bool ReportDocument::savePdf(const QString& file) const {
    {
        QPdfWriter writer(file);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Convertor"));
        writer.setTitle(title());
        setUpPage(writer);
        if (!paint(writer)) {
            return false;
        }
    }
    return QFileInfo(file).size() > 0;
}

int ReportDocument::pageCount() const {
    return layOutA4().doc->pageCount();
}

int ReportDocument::pageOf(int position) const {
    const Layout layout = layOutA4();
    const QTextBlock block = layout.doc->findBlock(position);
    if (!block.isValid()) {
        return 0;
    }
    double y = layout.doc->documentLayout()->blockBoundingRect(block).top();
    if (const QTextLayout* text = block.layout()) {
        const QTextLine line = text->lineForTextPosition(position - block.position());
        if (line.isValid()) {
            y += line.y();
        }
    }
    return std::max(0, static_cast<int>(y / layout.bodyHeight));
}

std::pair<int, int> ReportDocument::find(const QString& text, int after) const {
    if (text.isEmpty()) {
        return {-1, -1};
    }
    QTextDocument doc;
    doc.setHtml(splitLongTables(m_html));
    QTextCursor match = doc.find(text, after);
    if (match.isNull()) {
        match = doc.find(text, 0);
    }
    if (match.isNull()) {
        return {-1, -1};
    }
    return {match.selectionStart(), match.selectionEnd()};
}

}  // namespace convertor
