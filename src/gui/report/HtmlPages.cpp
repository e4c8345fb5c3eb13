#include "report/HtmlPages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace convertor {

namespace {

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

}  // namespace

HtmlPages::HtmlPages(const QString& html) : HtmlPages(std::make_shared<const QString>(html)) {}

HtmlPages::HtmlPages(std::shared_ptr<const QString> html)
    : m_html(std::move(html)),
      m_metrics(1, 1, QImage::Format_RGB32),
      m_doc(std::make_unique<QTextDocument>()),
      m_bodyHeight(bodyRect().height()) {
    const int dotsPerMeter = static_cast<int>(std::lround(kLayoutDpi / 0.0254));
    m_metrics.setDotsPerMeterX(dotsPerMeter);
    m_metrics.setDotsPerMeterY(dotsPerMeter);
    QFont font = PageSource::reportFont();
    font.setPointSizeF(10);
    m_doc->documentLayout()->setPaintDevice(&m_metrics);
    m_doc->setDefaultFont(font);
    m_doc->setDocumentMargin(0);
    m_doc->setHtml(splitLongTables(*m_html));
    m_doc->setPageSize(QSizeF(bodyRect().width(), m_bodyHeight));
}

HtmlPages::~HtmlPages() = default;

int HtmlPages::pageCount() const {
    return m_doc->pageCount();
}

QString HtmlPages::title() const {
    return m_doc->metaInformation(QTextDocument::DocumentTitle).simplified();
}

std::unique_ptr<PageSource> HtmlPages::clone() const {
    std::unique_ptr<HtmlPages> copy(new HtmlPages(m_html));
    copy->setPrintedDate(printedDate());
    return copy;
}

void HtmlPages::paintBody(QPainter& painter, int page) {
    const QRectF body(0, page * m_bodyHeight, bodyRect().width(), m_bodyHeight);
    painter.translate(0, -body.top());
    painter.setClipRect(body, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = body;
    m_doc->documentLayout()->draw(&painter, context);
}

PageSource::Match HtmlPages::find(const QString& text, const Match& after, const std::atomic_bool& cancel) {
    if (text.isEmpty() || cancel) {
        return {};
    }
    const int from = after && !after.key.empty() ? static_cast<int>(after.key.front()) : 0;
    QTextCursor match = m_doc->find(text, from);
    if (match.isNull()) {
        match = m_doc->find(text, 0);
    }
    if (match.isNull()) {
        return {};
    }
    const QTextBlock block = match.block();
    const QRectF at = m_doc->documentLayout()->blockBoundingRect(block);
    QRectF rect = at;
    if (const QTextLayout* lines = block.layout()) {
        const int start = match.selectionStart() - block.position();
        const QTextLine line = lines->lineForTextPosition(start);
        if (line.isValid()) {
            const double x = line.cursorToX(start);
            const int end =
                std::min(match.selectionEnd() - block.position(), line.textStart() + line.textLength());
            rect = QRectF(at.left() + x, at.top() + line.y(), line.cursorToX(end) - x, line.height());
        }
    }
    Match found;
    found.page = std::max(0, static_cast<int>(rect.top() / m_bodyHeight));
    found.rect = rect.translated(0, -found.page * m_bodyHeight);
    found.key = {match.selectionEnd()};
    return found;
}

}  // namespace convertor
