#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <set>

#include "report/PageSource.h"
#include "report/PageView.h"

using namespace convertor;

namespace {

// Blank pages, as many as asked, that remember which were painted.
class CountedPages : public PageSource {
public:
    explicit CountedPages(int count) : m_count(count) {}
    int pageCount() const override { return m_count; }
    QString title() const override { return QStringLiteral("Pages"); }
    std::unique_ptr<PageSource> clone() const override { return std::make_unique<CountedPages>(m_count); }
    Match find(const QString&, const Match&, const std::atomic_bool&) override { return {}; }

    std::set<int> painted;  // 1-based

protected:
    void paintBody(QPainter&, int page) override { painted.insert(page + 1); }

private:
    int m_count;
};

}  // namespace

// The preview's pages: turning straight to any page of a report of any length, zooming without
// losing the page, and painting only what is on screen.
class PageViewTest : public QObject {
    Q_OBJECT

private slots:
    void turnsStraightToAnyPage_data();
    void turnsStraightToAnyPage();
    void zoomKeepsThePageAndTheLastPageInReach();
    void emptyReportHasNoPage();
};

void PageViewTest::turnsStraightToAnyPage_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("wanted");
    QTest::addColumn<int>("shown");
    QTest::newRow("single page") << 1 << 1 << 1;
    QTest::newRow("past the single page") << 1 << 2 << 1;
    QTest::newRow("second of two") << 2 << 2 << 2;
    QTest::newRow("before the first") << 100 << 0 << 1;
    QTest::newRow("middle of a long report") << 36072 << 18036 << 18036;
    QTest::newRow("last of a long report") << 36072 << 36072 << 36072;
    QTest::newRow("last of the longest") << 999999 << 999999 << 999999;
    QTest::newRow("past the last") << 999999 << 1000005 << 999999;
}

void PageViewTest::turnsStraightToAnyPage() {
    QFETCH(int, pages);
    QFETCH(int, wanted);
    QFETCH(int, shown);
    CountedPages source(pages);
    PageView view;
    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setSource(&source);
    QSignalSpy turned(&view, &PageView::currentPageChanged);
    view.setCurrentPage(wanted);
    QCOMPARE(view.currentPage(), shown);
    QCOMPARE(turned.isEmpty(), shown == 1);
    source.painted.clear();
    view.viewport()->repaint();
    // The page on screen is painted, and no more than the pages beside it.
    QVERIFY(source.painted.count(shown) == 1);
    QVERIFY(*source.painted.begin() >= shown - 1 && *source.painted.rbegin() <= shown + 1);
}

void PageViewTest::zoomKeepsThePageAndTheLastPageInReach() {
    CountedPages source(999999);
    PageView view;
    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setSource(&source);
    const double fitted = view.zoom();
    view.setCurrentPage(500000);
    for (int step = 0; step < 12; ++step) {
        view.zoomBy(1.25);
        QCOMPARE(view.currentPage(), 500000);
    }
    // However far it is zoomed in, the scroll bar still reaches the last page.
    QVERIFY(view.verticalScrollBar()->maximum() > 0);
    view.setCurrentPage(999999);
    QCOMPARE(view.currentPage(), 999999);
    view.zoomBy(0.01);
    QCOMPARE(view.currentPage(), 999999);
    view.fitToWidth();
    QCOMPARE(view.zoom(), fitted);
    QCOMPARE(view.currentPage(), 999999);
}

void PageViewTest::emptyReportHasNoPage() {
    CountedPages source(0);
    PageView view;
    view.resize(800, 600);
    view.setSource(&source);
    view.setCurrentPage(3);
    QCOMPARE(view.currentPage(), 0);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.viewport()->repaint();
    QVERIFY(source.painted.empty());
}

QTEST_MAIN(PageViewTest)
#include "PageViewTest.moc"
