#include "report/BandLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <cmath>

#include "report/PageSource.h"
#include "reports/BandRenderer.h"

namespace convertor {

namespace {

QString html(const std::string& text) {
    return QString::fromStdString(text);
}

// A cell's contents with their tags but one letter for all their text: the row is laid out with
// the cell's fonts, and the texts of each dataset row are drawn over it.
QString sampleContents(std::string_view contents) {
    std::string out;
    bool placed = false;
    for (std::size_t i = 0; i < contents.size();) {
        if (contents[i] == '<') {
            const std::size_t end = std::min(contents.find('>', i), contents.size() - 1);
            out.append(contents.substr(i, end + 1 - i));
            i = end + 1;
            continue;
        }
        const std::size_t end = std::min(contents.find('<', i), contents.size());
        if (!placed && shownText(contents.substr(i, end - i)).size() > 0) {
            out += 'X';
            placed = true;
        }
        i = end;
    }
    return QString::fromStdString(out);
}

QString sampleRow(const ReportBands::Row& row, const QString& marker = {}) {
    QString out = QString::fromStdString(row.open);
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        const bool head = row.cells[i].rfind("<th", 0) == 0;
        out += QString::fromStdString(std::string(row.cellOpen(i))) + sampleContents(row.cellContents(i)) +
               (i == 0 ? marker : QString()) + (head ? QStringLiteral("</th>") : QStringLiteral("</td>"));
    }
    return out + QStringLiteral("</tr>");
}

}  // namespace

QString BandLayout::renderedRow(const ReportBands::Row& row, const std::vector<std::string>& cells) {
    QString out = QString::fromStdString(row.open);
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        const bool head = row.cells[i].rfind("<th", 0) == 0;
        out += QString::fromStdString(std::string(row.cellOpen(i))) +
               (i < cells.size() ? QString::fromStdString(cells[i]) : QString()) +
               (head ? QStringLiteral("</th>") : QStringLiteral("</td>"));
    }
    return out + QStringLiteral("</tr>");
}

namespace {

QString marker(std::size_t section) {
    return QStringLiteral("\u2063S%1\u2063").arg(section);
}

}  // namespace

BandLayout::BandLayout(BandRenderer& renderer, double width, const std::vector<QStringList>& samples)
    : m_width(width),
      m_metrics(1, 1, QImage::Format_RGB32),
      m_doc(std::make_unique<QTextDocument>()),
      m_bands(&renderer.bands()) {
    const int dotsPerMeter = static_cast<int>(std::lround(PageSource::kLayoutDpi / 0.0254));
    m_metrics.setDotsPerMeterX(dotsPerMeter);
    m_metrics.setDotsPerMeterY(dotsPerMeter);

    const ReportBands& bands = *m_bands;
    QString text = html(renderer.fixedHtml(0));
    for (std::size_t s = 0; s < bands.sections.size(); ++s) {
        const ReportBands::Section& section = bands.sections[s];
        text += html(renderer.titleHtml(s)) + html(section.table);
        using Kind = BandRenderer::RowKind;
        auto fixedRows = [&](Kind kind, const std::vector<ReportBands::Row>& rows) {
            for (std::size_t r = 0; r < rows.size(); ++r) {
                text += renderedRow(rows[r], renderer.fixedRow(s, kind, r, true));
            }
        };
        if (!section.header.empty()) {
            text += QStringLiteral("<thead>");
            fixedRows(Kind::Header, section.header);
            text += QStringLiteral("</thead>");
        }
        for (std::size_t d = 0; d < section.detail.size(); ++d) {
            text += sampleRow(section.detail[d].row, d == 0 ? marker(s) : QString());
        }
        if (s < samples.size()) {
            text += samples[s].join(QString());
        }
        fixedRows(Kind::Empty, section.empty);
        fixedRows(Kind::Summary, section.summary);
        text += QStringLiteral("</table>") + html(renderer.fixedHtml(s + 1));
    }

    QFont font = PageSource::reportFont();
    font.setPointSizeF(10);
    m_doc->documentLayout()->setPaintDevice(&m_metrics);
    m_doc->setDefaultFont(font);
    m_doc->setDocumentMargin(0);
    m_doc->setHtml(text);
    m_doc->setTextWidth(width);

    for (std::size_t s = 0; s < bands.sections.size(); ++s) {
        measure(s, s < samples.size() ? static_cast<int>(samples[s].size()) : 0);
    }
    // A fixed part runs from the end of the table before it to its table's title; one that shows
    // nothing takes no room.
    const double end = m_doc->documentLayout()->documentSize().height();
    for (std::size_t i = 0; i <= m_tables.size(); ++i) {
        const double top = i == 0 ? 0 : m_tables[i - 1].bottom;
        const double bottom = i < m_tables.size() ? m_tables[i].titleTop : end;
        m_fixed.emplace_back(top, shows(top, bottom) ? std::max(0.0, bottom - top) : 0.0);
    }
}

BandLayout::~BandLayout() = default;

QString BandLayout::title() const {
    return m_doc->metaInformation(QTextDocument::DocumentTitle).simplified();
}

void BandLayout::measure(std::size_t section, int samples) {
    const QTextCursor found = m_doc->find(marker(section));
    const QTextTable* table = found.currentTable();
    Table measured;
    if (table == nullptr) {
        m_tables.push_back(measured);
        return;
    }
    const ReportBands::Section& band = m_bands->sections[section];
    // The rows of the bands, without the samples that only set the columns' widths.
    const int header = static_cast<int>(band.header.size());
    const int details = static_cast<int>(band.detail.size());
    std::vector<Measured> rows;
    for (int r = 0; r < table->rows(); ++r) {
        if (r < header + details || r >= header + details + samples) {
            rows.push_back(measureRow(*table, r));
        }
    }
    const double tableTop = rows.empty() ? 0 : rows.front().top;
    measured.bottom = rows.empty() ? 0 : rows.back().bottom;

    QTextCursor before(m_doc.get());
    before.setPosition(table->firstPosition());
    before.movePosition(QTextCursor::PreviousBlock);
    const double blockTop = m_doc->documentLayout()->blockBoundingRect(before.block()).top();
    const bool titled =
        !band.title.empty() && before.block() != table->firstCursorPosition().block() && blockTop < tableTop;
    measured.titleTop = titled ? blockTop : tableTop;
    measured.titleHeight = tableTop - measured.titleTop;

    auto take = [&](std::size_t count, std::vector<Row>& into, std::size_t& next) {
        for (std::size_t i = 0; i < count && next < rows.size(); ++i) {
            into.push_back(rows[next++].row);
        }
    };
    std::size_t next = 0;
    take(band.header.size(), measured.header, next);
    take(band.detail.size(), measured.detail, next);
    take(band.empty.size(), measured.empty, next);
    take(band.summary.size(), measured.summary, next);
    m_tables.push_back(std::move(measured));
}

BandLayout::Measured BandLayout::measureRow(const QTextTable& table, int r) const {
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    Measured measured;
    Row& row = measured.row;
    double top = 1e300;
    double bottom = -1e300;
    double oneLine = 0;
    for (int c = 0; c < table.columns(); ++c) {
        const QTextTableCell cell = table.cellAt(r, c);
        if (cell.row() != r || cell.column() != c) {
            continue;
        }
        const QTextTableCellFormat format = cell.format().toTableCellFormat();
        const QTextBlock block = cell.firstCursorPosition().block();
        const QRectF text = layout->blockBoundingRect(block);
        Cell made;
        const QTextFrameFormat::BorderStyle styles[4] = {format.leftBorderStyle(), format.topBorderStyle(),
                                                         format.rightBorderStyle(),
                                                         format.bottomBorderStyle()};
        const double widths[4] = {format.leftBorder(), format.topBorder(), format.rightBorder(),
                                  format.bottomBorder()};
        const QBrush brushes[4] = {format.leftBorderBrush(), format.topBorderBrush(),
                                   format.rightBorderBrush(), format.bottomBorderBrush()};
        for (int side = 0; side < 4; ++side) {
            const bool drawn = styles[side] != QTextFrameFormat::BorderStyle_None && widths[side] > 0;
            made.border[side] = drawn ? widths[side] : 0;
            made.borderBrush[side] =
                brushes[side].style() == Qt::NoBrush ? QBrush(Qt::darkGray) : brushes[side];
        }
        const double left = format.leftPadding() + widths[0];
        const double above = format.topPadding() + widths[1];
        const double right = format.rightPadding() + widths[2];
        const double below = format.bottomPadding() + widths[3];
        made.rect = QRectF(text.left() - left, text.top() - above, text.width() + left + right, 0);
        made.text = text;
        made.baseline = text.top();
        double lineHeight = text.height();
        if (const QTextLayout* lines = block.layout(); lines && lines->lineCount() > 0) {
            made.baseline += lines->lineAt(0).y() + lines->lineAt(0).ascent();
            lineHeight = lines->lineAt(0).y() + lines->lineAt(0).height();
        }
        made.text.setHeight(lineHeight);
        if (format.hasProperty(QTextFormat::BackgroundBrush)) {
            made.background = format.background();
        }
        const QTextCharFormat chars =
            block.begin() != block.end() ? block.begin().fragment().charFormat() : block.charFormat();
        made.font = chars.font().resolve(m_doc->defaultFont());
        made.metrics = std::make_shared<const QFontMetricsF>(made.font, &m_metrics);
        made.color =
            chars.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : chars.foreground().color();
        made.align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        made.nowrap = block.blockFormat().nonBreakableLines();
        top = std::min(top, made.rect.top());
        bottom = std::max(bottom, text.bottom() + below);
        oneLine = std::max(oneLine, above + lineHeight + below);
        row.cells.push_back(made);
    }
    if (row.cells.empty()) {
        return measured;
    }
    // Every row is one line high: a text too long for its cell is cut short when painted.
    row.height = oneLine;
    for (Cell& cell : row.cells) {
        cell.rect = QRectF(cell.rect.left(), 0, cell.rect.width(), oneLine);
        cell.text.translate(0, -top);
        cell.baseline -= top;
    }
    measured.top = top;
    measured.bottom = bottom;
    return measured;
}

bool BandLayout::shows(double top, double bottom) const {
    for (QTextBlock block = m_doc->begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty()) {
            continue;
        }
        const double middle = m_doc->documentLayout()->blockBoundingRect(block).center().y();
        if (middle >= top && middle < bottom) {
            return true;
        }
    }
    return false;
}

void BandLayout::paintSlice(QPainter& painter, double top, double height, double y) const {
    painter.save();
    painter.translate(0, y - top);
    const QRectF clip(0, top, m_width, height);
    painter.setClipRect(clip, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = clip;
    m_doc->documentLayout()->draw(&painter, context);
    painter.restore();
}

std::vector<QRectF> BandLayout::matches(double top, double height, const QString& text) const {
    std::vector<QRectF> found;
    if (text.isEmpty() || height <= 0) {
        return found;
    }
    for (QTextCursor match = m_doc->find(text); !match.isNull(); match = m_doc->find(text, match)) {
        const QTextBlock block = match.block();
        const QTextLayout* lines = block.layout();
        const QRectF at = m_doc->documentLayout()->blockBoundingRect(block);
        if (lines == nullptr || at.center().y() < top || at.center().y() >= top + height) {
            continue;
        }
        const int start = match.selectionStart() - block.position();
        const int end = match.selectionEnd() - block.position();
        const QTextLine line = lines->lineForTextPosition(start);
        if (line.isValid()) {
            const double x = line.cursorToX(start);
            const double right =
                lines->lineForTextPosition(end).isValid() && line.textStart() + line.textLength() >= end
                    ? line.cursorToX(end)
                    : line.naturalTextWidth();
            found.emplace_back(at.left() + x, at.top() + line.y(), right - x, line.height());
        }
    }
    return found;
}

}  // namespace convertor
