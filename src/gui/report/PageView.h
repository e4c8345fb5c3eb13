#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QRectF>

#include <map>

namespace convertor {

class PageSource;

// The pages of a report one under another, painted only while they are on screen: each visible
// page is painted once into an image kept while it stays visible. Zoom, fit to width, and a
// highlighted place on one page.
class PageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit PageView(QWidget* parent = nullptr);

    // The source stays the caller's; none shows nothing.
    void setSource(PageSource* source);
    // Forgets what was painted: the source's pages changed.
    void refresh();

    int currentPage() const;  // 1-based; 0 with no pages
    void setCurrentPage(int page);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void zoomBy(double factor);
    void fitToWidth();
    // A place on a page's body to show highlighted (none: page 0); the page is turned to.
    void setHighlight(int page, const QRectF& rect);

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF pageSize() const;  // on screen, in pixels
    double pitch() const;
    void updateScrollBars();
    const QImage& pageImage(int page);
    QPointF pageOrigin(int page) const;  // the page's top left in the viewport

    PageSource* m_source = nullptr;
    double m_zoom = 1;
    bool m_fitWidth = true;
    int m_lastPage = 0;
    std::map<int, QImage> m_images;
    int m_highlightPage = 0;
    QRectF m_highlight;
};

}  // namespace convertor
