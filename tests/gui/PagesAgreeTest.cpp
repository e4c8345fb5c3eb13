#include <QDir>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

#include <atomic>
#include <set>

#include "report/BandedPages.h"
#include "report/HtmlPages.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJsonReader.h"
#include "reports/ReportValue.h"

using namespace convertor;

// A report's pages show what its HTML shows: the banded pages of the detail reports row for row,
// and a saved report laid out whole, its long tables cut into pieces, found on the right pages.
class PagesAgreeTest : public QObject {
    Q_OBJECT

private slots:
    void bandedRowsAreTheHtmlRows_data();
    void bandedRowsAreTheHtmlRows();
    void findLandsWhereTheTextIsShown_data() { bandedRowsAreTheHtmlRows_data(); }
    void findLandsWhereTheTextIsShown();
    void wholeHtmlIsPagedAndFound();

private:
    // The sample report, the first row's Name replaced when name is not empty.
    static ReportValue sample(const QString& file, const QString& name, int times);
    // Its banded pages; the engine is left holding its template.
    static std::unique_ptr<BandedPages> banded(const ReportValue& report, ReportEngine& engine);
};

ReportValue PagesAgreeTest::sample(const QString& file, const QString& name, int times) {
    ReportValue report = readReportJson(std::string(TEST_DATA_DIR) + "/reports/" + file.toStdString());
    auto& rows = report.datasets.front().rows;
    const std::vector<std::vector<TableValue>> once = rows;
    for (int i = 1; i < times; ++i) {
        rows.insert(rows.end(), once.begin(), once.end());
    }
    if (!name.isEmpty()) {
        ReportDataset& rows = report.datasets.front();
        const auto column =
            std::find(rows.columns.begin(), rows.columns.end(), "Name") - rows.columns.begin();
        rows.rows.front().at(static_cast<std::size_t>(column)) = name.toStdString();
    }
    return report;
}

std::unique_ptr<BandedPages> PagesAgreeTest::banded(const ReportValue& report, ReportEngine& engine) {
    engine.load(QDir(QStringLiteral(REPORT_TEMPLATE_DIR))
                    .filePath(QString::fromStdString(report.templateName))
                    .toStdString());
    auto source = PageSource::ofReport(PageSource::withCopy(report), engine, QDate(2025, 3, 5));
    if (dynamic_cast<BandedPages*>(source.get()) == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<BandedPages>(static_cast<BandedPages*>(source.release()));
}

void PagesAgreeTest::bandedRowsAreTheHtmlRows_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("name");  // given to the first row's Name, when not empty
    QTest::addColumn<int>("times");     // the first dataset's rows over again, to fill many pages
    QTest::newRow("direct credit") << QStringLiteral("dcp_detail.json") << QString() << 12;
    QTest::newRow("media clearing") << QStringLiteral("mcl_detail.json") << QString() << 40;
    QTest::newRow("manager cheque") << QStringLiteral("mcp_detail.json") << QString() << 30;
    QTest::newRow("marks and blanks in a name")
        << QStringLiteral("dcp_detail.json") << QString::fromUtf8("A&B <Co>  \"Q\" &amp; ห้าง  ") << 1;
}

void PagesAgreeTest::bandedRowsAreTheHtmlRows() {
    QFETCH(QString, sample);
    QFETCH(QString, name);
    QFETCH(int, times);
    const ReportValue report = PagesAgreeTest::sample(sample, name, times);
    ReportEngine engine;
    const auto pages = banded(report, engine);
    QVERIFY2(pages, "the detail template reads as bands");

    QTextDocument html;
    html.setHtml(QString::fromStdString(engine.render(report, Date{2025, 3, 5})));
    const QString shown = html.toPlainText().simplified();
    int rows = 0;
    for (int page = 0; page < pages->pageCount(); ++page) {
        for (const QString& row : pages->rowTexts(page)) {
            QStringList cells;
            for (const QString& cell : row.split(QLatin1Char('\t'))) {
                if (!cell.simplified().isEmpty()) {
                    cells << cell.simplified();
                }
            }
            // A row's cells stand together, in order, as a browser shows the HTML.
            QVERIFY2(shown.contains(cells.join(QLatin1Char(' '))), qPrintable(cells.join(QLatin1Char('|'))));
            ++rows;
        }
    }
    QVERIFY(rows > static_cast<int>(report.datasets.front().rows.size()));
    if (!name.isEmpty()) {
        QVERIFY(pages->rowTexts(0)
                    .join(QLatin1Char('\n'))
                    .contains(QString::fromUtf8("A&B <Co> \"Q\" &amp; ห้าง")));
    }
}

void PagesAgreeTest::findLandsWhereTheTextIsShown() {
    QFETCH(QString, sample);
    QFETCH(QString, name);
    QFETCH(int, times);
    ReportEngine engine;
    const auto pages = banded(PagesAgreeTest::sample(sample, name, times), engine);
    QVERIFY(pages);
    QVERIFY(times == 1 || pages->pageCount() > 10);
    const std::atomic_bool never{false};
    // The longest word of each page's last row, found through the whole report.
    for (int page = 0; page < pages->pageCount(); ++page) {
        QString wanted;
        for (const QString& word :
             pages->rowTexts(page).constLast().split(QRegularExpression(QStringLiteral("\\s+")))) {
            wanted = word.size() > wanted.size() ? word : wanted;
        }
        // Every match is on a page that shows the word, within its body, and one is on this page.
        std::set<int> found;
        const PageSource::Match first = pages->find(wanted, {}, never);
        QVERIFY2(first, qPrintable(wanted));
        for (PageSource::Match match = first; match;) {
            QVERIFY2(pages->rowTexts(match.page).join(QLatin1Char(' ')).contains(wanted, Qt::CaseInsensitive),
                     qPrintable(wanted));
            QVERIFY(match.rect.top() >= 0 && match.rect.bottom() <= PageSource::bodyRect().height());
            QVERIFY(match.rect.width() > 0);
            found.insert(match.page);
            match = pages->find(wanted, match, never);
            if (match.page == first.page && match.rect == first.rect) {
                break;  // round to the first again
            }
        }
        QVERIFY2(found.count(page) == 1, qPrintable(wanted));
    }
}

void PagesAgreeTest::wholeHtmlIsPagedAndFound() {
    // A table longer than Qt lays out in one piece, a table within a table, and text around them.
    QString html = QStringLiteral(
        "<html><head><title>Saved  report</title></head><body><p>Before</p>"
        "<table border=\"1\"><thead><tr><th>Head</th></tr></thead>");
    for (int row = 1; row <= 1000; ++row) {
        html += QStringLiteral("<tr><td>Row %1%2</td></tr>")
                    .arg(row, 4, 10, QLatin1Char('0'))
                    .arg(row == 3 || row == 998 ? QStringLiteral(" twice") : QString());
    }
    html += QStringLiteral(
        "</table><table><tr><td><table><tr><td>Inner cell</td></tr></table></td></tr></table>"
        "<p>After</p></body></html>");
    HtmlPages pages(html);
    QCOMPARE(pages.title(), QStringLiteral("Saved report"));
    QCOMPARE(pages.html(), html);
    QVERIFY(pages.pageCount() > 20);
    QCOMPARE(pages.clone()->pageCount(), pages.pageCount());

    const std::atomic_bool never{false};
    int last = -1;
    for (const char* text :
         {"Before", "Row 0001", "Row 0401", "Row 0801", "Row 1000", "Inner cell", "After"}) {
        const PageSource::Match match = pages.find(QString::fromLatin1(text), {}, never);
        QVERIFY2(match, text);
        QVERIFY2(match.page >= last, text);  // in the order of the document
        QVERIFY(match.rect.top() >= 0 && match.rect.bottom() <= PageSource::bodyRect().height());
        last = match.page;
    }
    QCOMPARE(last, pages.pageCount() - 1);

    // Find goes on from the last match and starts over past the end.
    const PageSource::Match first = pages.find(QStringLiteral("TWICE"), {}, never);
    const PageSource::Match second = pages.find(QStringLiteral("TWICE"), first, never);
    const PageSource::Match again = pages.find(QStringLiteral("TWICE"), second, never);
    QVERIFY(first && second && again);
    QVERIFY(second.page > first.page);
    QCOMPARE(again.page, first.page);
    QCOMPARE(again.rect, first.rect);
    // Each piece of the long table has the head row again.
    PageSource::Match head;
    std::vector<int> heads;
    for (int i = 0; i < 4; ++i) {
        head = pages.find(QStringLiteral("Head"), head, never);
        heads.push_back(head.page);
    }
    QVERIFY(heads[0] < heads[1] && heads[1] < heads[2]);
    QCOMPARE(heads[3], heads[0]);
    QVERIFY(!pages.find(QStringLiteral("Row 1001"), {}, never));
    const std::atomic_bool cancelled{true};
    QVERIFY(!pages.find(QStringLiteral("Row 0001"), {}, cancelled));
}

QTEST_MAIN(PagesAgreeTest)
#include "PagesAgreeTest.moc"
