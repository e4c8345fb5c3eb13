#include "report/PageView.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>

#include "report/PageSource.h"

namespace convertor {

namespace {

constexpr int kGap = 12;  // around and between the pages
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 5;

// The whole sheet and the printable area's place on it, in layout units.
QSizeF paperSize() {
    return PageSource::pageLayout().fullRect(QPageLayout::Inch).size() * PageSource::kLayoutDpi;
}

QPointF printableOffset() {
    return PageSource::pageLayout().paintRect(QPageLayout::Inch).topLeft() * PageSource::kLayoutDpi;
}

}  // namespace

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(40);
}

void PageView::setSource(PageSource* source) {
    m_source = source;
    m_highlightPage = 0;
    // The zoom is bounded by the page count: applied again for this source's pages.
    if (m_fitWidth) {
        fitToWidth();
    } else {
        setZoom(m_zoom);
    }
    refresh();
    setCurrentPage(1);
}

void PageView::refresh() {
    m_images.clear();
    updateScrollBars();
    viewport()->update();
    const int page = currentPage();
    if (page != m_lastPage) {
        m_lastPage = page;
        emit currentPageChanged(page);
    }
}

QSizeF PageView::pageSize() const {
    return paperSize() * m_zoom;
}

double PageView::pitch() const {
    return std::ceil(pageSize().height()) + kGap;
}

int PageView::currentPage() const {
    const int pages = m_source ? m_source->pageCount() : 0;
    if (pages == 0) {
        return 0;
    }
    const double top = verticalScrollBar()->value();
    return std::clamp(static_cast<int>((top + pitch() / 2) / pitch()) + 1, 1, pages);
}

void PageView::setCurrentPage(int page) {
    const int pages = m_source ? m_source->pageCount() : 0;
    page = std::clamp(page, 1, std::max(1, pages));
    verticalScrollBar()->setValue(static_cast<int>((page - 1) * pitch()));
    viewport()->update();
    if (currentPage() != m_lastPage) {
        m_lastPage = currentPage();
        emit currentPageChanged(m_lastPage);
    }
}

void PageView::setZoom(double zoom) {
    const int pages = std::max(1, m_source ? m_source->pageCount() : 1);
    // The scroll bar counts in int: the pages together must stay within its range.
    const double most = (INT_MAX / 2.0) / (pages * (paperSize().height() + kGap));
    zoom = std::clamp(zoom, kMinZoom, std::max(kMinZoom, std::min(kMaxZoom, most)));
    const int page = currentPage();
    m_zoom = zoom;
    m_images.clear();
    updateScrollBars();
    setCurrentPage(page);
}

void PageView::zoomBy(double factor) {
    m_fitWidth = false;
    setZoom(m_zoom * factor);
}

void PageView::fitToWidth() {
    m_fitWidth = true;
    setZoom((viewport()->width() - 2.0 * kGap) / paperSize().width());
}

void PageView::setHighlight(int page, const QRectF& rect) {
    m_highlightPage = page;
    m_highlight = rect;
    if (page > 0) {
        setCurrentPage(page);
    }
    viewport()->update();
}

void PageView::updateScrollBars() {
    const int pages = m_source ? m_source->pageCount() : 0;
    const QSize area = viewport()->size();
    const double last = std::max(0.0, pageSize().height() + 2 * kGap - area.height());
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setRange(0, pages == 0 ? 0 : static_cast<int>((pages - 1) * pitch() + last));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setRange(
        0, std::max(0, static_cast<int>(pageSize().width()) + 2 * kGap - area.width()));
}

QPointF PageView::pageOrigin(int page) const {
    const double spare = viewport()->width() - pageSize().width();
    const double x = spare > 2 * kGap ? spare / 2 : kGap - horizontalScrollBar()->value();
    return {x, kGap + (page - 1) * pitch() - verticalScrollBar()->value()};
}

const QImage& PageView::pageImage(int page) {
    auto found = m_images.find(page);
    if (found != m_images.end()) {
        return found->second;
    }
    const double ratio = devicePixelRatioF();
    QImage image((pageSize() * ratio).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        painter.scale(m_zoom * ratio, m_zoom * ratio);
        painter.translate(printableOffset());
        m_source->paint(painter, page - 1);
    }
    image.setDevicePixelRatio(ratio);
    return m_images.emplace(page, std::move(image)).first->second;
}

void PageView::paintEvent(QPaintEvent*) {
    const int pages = m_source ? m_source->pageCount() : 0;
    if (pages == 0) {
        return;
    }
    QPainter painter(viewport());
    const double top = verticalScrollBar()->value();
    const int first = std::max(1, static_cast<int>((top - kGap) / pitch()) + 1);
    const int last = std::min(pages, static_cast<int>((top + viewport()->height()) / pitch()) + 1);
    for (auto it = m_images.begin(); it != m_images.end();) {
        it = it->first < first || it->first > last ? m_images.erase(it) : std::next(it);
    }
    for (int page = first; page <= last; ++page) {
        const QPointF origin = pageOrigin(page);
        painter.drawImage(origin, pageImage(page));
        if (page == m_highlightPage && !m_highlight.isEmpty()) {
            const QPointF body = printableOffset() + PageSource::bodyRect().topLeft();
            const QRectF mark((m_highlight.translated(body).adjusted(-1, -1, 1, 1)).toRect());
            painter.save();
            painter.setCompositionMode(QPainter::CompositionMode_Multiply);
            painter.fillRect(QRectF(origin + mark.topLeft() * m_zoom, mark.size() * m_zoom),
                             QColor(255, 224, 64));
            painter.restore();
        }
    }
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_fitWidth) {
        fitToWidth();
    } else {
        updateScrollBars();
    }
}

void PageView::scrollContentsBy(int, int) {
    viewport()->update();
    const int page = currentPage();
    if (page != m_lastPage) {
        m_lastPage = page;
        emit currentPageChanged(page);
    }
}

}  // namespace convertor
