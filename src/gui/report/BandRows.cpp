// The rows of a report's bands painted: their borders and backgrounds, and each cell's text cut
// short to its cell.
#include "report/BandLayout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

#include "report/PageSource.h"

namespace convertor {

namespace {

// The font as large on a device of this resolution, under a painter scaled from layout pixels to
// the device's, as the layout's font is at 96 dpi.
QFont deviceFont(const QFont& font, double dpi) {
    QFont made(font);
    const double pixels =
        font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * PageSource::kLayoutDpi / 72;
    made.setPointSizeF(pixels * 72 / dpi);
    made.setStyleStrategy(QFont::PreferNoShaping);
    return made;
}

// Adds a border's rectangle to those of its colour, joined with one it continues: neighbouring cells'
// lines become one rectangle, fewer operations on a PDF page.
void addTouching(std::vector<QRectF>& rects, const QRectF& side) {
    auto same = [](double a, double b) { return std::abs(a - b) < 1e-6; };
    for (QRectF& rect : rects) {
        if (same(rect.top(), side.top()) && same(rect.height(), side.height()) &&
            (same(rect.right(), side.left()) || same(side.right(), rect.left()))) {
            rect = rect.united(side);
            return;
        }
        if (same(rect.left(), side.left()) && same(rect.width(), side.width()) &&
            (same(rect.bottom(), side.top()) || same(side.bottom(), rect.top()))) {
            rect = rect.united(side);
            return;
        }
    }
    rects.push_back(side);
}

}  // namespace

void BandLayout::paintRow(QPainter& painter, const BandLayout::Row& row, double y,
                          const std::vector<QString>& texts) {
    const double dpi = painter.device()->logicalDpiY();
    // A PDF page gets an operation for every call: the row's borders go in one call per colour,
    // and a font or colour is set only when it changes.
    thread_local std::vector<std::pair<QBrush, std::vector<QRectF>>> borders;
    for (auto& [brush, rects] : borders) {
        rects.clear();
    }
    for (const Cell& cell : row.cells) {
        const QRectF rect = cell.rect.translated(0, y);
        if (cell.background.style() != Qt::NoBrush) {
            painter.fillRect(rect, cell.background);
        }
        const double* border = cell.border;
        const QRectF sides[4] = {{rect.left(), rect.top(), border[0], rect.height()},
                                 {rect.left(), rect.top(), rect.width(), border[1]},
                                 {rect.right() - border[2], rect.top(), border[2], rect.height()},
                                 {rect.left(), rect.bottom() - border[3], rect.width(), border[3]}};
        for (int side = 0; side < 4; ++side) {
            if (border[side] <= 0) {
                continue;
            }
            auto group = std::find_if(borders.begin(), borders.end(), [&](const auto& known) {
                return known.first == cell.borderBrush[side];
            });
            if (group == borders.end()) {
                group = borders.insert(borders.end(), {cell.borderBrush[side], {}});
            }
            addTouching(group->second, sides[side]);
        }
    }
    // Set and unset by hand: a restored state is written to a PDF page again in full.
    painter.setPen(Qt::NoPen);
    for (const auto& [brush, rects] : borders) {
        if (!rects.empty()) {
            painter.setBrush(brush);
            painter.drawRects(rects.data(), static_cast<int>(rects.size()));
        }
    }
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < row.cells.size() && i < texts.size(); ++i) {
        const Cell& cell = row.cells[i];
        if (texts[i].isEmpty()) {
            continue;
        }
        if (cell.deviceDpi != dpi) {
            cell.deviceFont = deviceFont(cell.font, dpi);
            cell.deviceDpi = dpi;
        }
        if (painter.font() != cell.deviceFont) {
            painter.setFont(cell.deviceFont);
        }
        if (painter.pen().color() != cell.color || painter.pen().style() != Qt::SolidLine) {
            painter.setPen(cell.color);
        }
        const Shown fitted = shown(cell, texts[i]);
        painter.drawText(QPointF(fitted.left, y + cell.baseline), fitted.text);
    }
}

BandLayout::Shown BandLayout::shown(const Cell& cell, const QString& text) {
    // A row keeps its height: a text longer than its cell is cut short, never wrapped. The layout
    // gave the cell the width of a text that fits it, which elidedText() may find a hair too wide.
    // Qt lays a cell that does not wrap out with no-break spaces, which are narrower. A text is
    // measured once where it fits: shaping it is most of a PDF row's time.
    Shown out{text, cell.text.left()};
    if (cell.nowrap) {
        out.text.replace(QLatin1Char(' '), QChar::Nbsp);
    }
    const double room = cell.text.width();
    if (!(cell.align & (Qt::AlignRight | Qt::AlignHCenter))) {
        out.text = cell.metrics->elidedText(out.text, Qt::ElideRight, room + 0.5);
        return out;
    }
    double width = cell.metrics->horizontalAdvance(out.text);
    if (width > room + 0.5) {
        out.text = cell.metrics->elidedText(out.text, Qt::ElideRight, room);
        width = cell.metrics->horizontalAdvance(out.text);
    }
    out.left += (cell.align & Qt::AlignRight) ? room - width : (room - width) / 2;
    return out;
}

QRectF BandLayout::textRect(const Cell& cell, const QString& text, const QString& part) {
    const Shown fitted = shown(cell, text);
    QString wanted = part;
    if (cell.nowrap) {
        wanted.replace(QLatin1Char(' '), QChar::Nbsp);
    }
    const int at = fitted.text.indexOf(wanted, 0, Qt::CaseInsensitive);
    if (at < 0) {
        return cell.text;
    }
    const double left = fitted.left + cell.metrics->horizontalAdvance(fitted.text.left(at));
    return QRectF(left, cell.text.top(), cell.metrics->horizontalAdvance(fitted.text.mid(at, wanted.size())),
                  cell.text.height());
}

}  // namespace convertor
