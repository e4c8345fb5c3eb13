#include <QDir>
#include <QFile>
#include <QPageRanges>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

#include "report/BandedPages.h"
#include "report/PageJob.h"
#include "report/ReportPreview.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJsonReader.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"

using namespace convertor;

// The banded pages of detail reports: where the pages break, what each page shows, finding across
// pages and a PDF stopped part-way.
class PagedReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesHoldEveryRowOnce_data();
    void pagesHoldEveryRowOnce();
    void chequeWithManyTaxRowsCrossesAPage();
    void longThaiNamesAreCutNotWrapped();
    void findGoesThroughThePages();
    void cancelledPdfLeavesNoFile();
    void printsThePagesAsked();

private:
    // The accepted lines of a one-table report: "Total: N lines" ends it.
    static ReportValue lines(int count, const QString& name = QStringLiteral("Name"));
    std::unique_ptr<BandedPages> pages(const ReportValue& report) const;
    // Every page's rows, checked: the column header first on every page the table runs on, and no
    // band past the body's bottom.
    static QList<QStringList> texts(BandedPages& pages);
    // The largest number of lines that still fits one page.
    int onePage() const;

    QTemporaryDir m_dir;
    ReportEngine m_engine;
};

namespace {

const char* kTemplate = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Lines</title>
<style>
table.grid th { background-color: #dfe7f1; border: 1px solid #9aa8ba; padding: 3px 6px; text-align: left; }
table.grid td { border: 1px solid #b9c3cf; padding: 3px 6px; }
.num { text-align: right; white-space: nowrap; }
</style></head>
<body>
<h1>Lines {{ComId}}</h1>
<h2>Accepted lines</h2>
<table class="grid" width="100%" cellspacing="0">
<thead><tr><th class="num" width="7%">No.</th><th width="28%">Account</th><th>Name</th><th class="num" width="20%">Amount</th></tr></thead>
{{#frDBDataSet1}}
<tr><td class="num">{{RowNo}}</td><td>{{AcNo}}</td><td>{{Name}}</td><td class="num">{{Amount}}</td></tr>
{{/frDBDataSet1}}
{{^frDBDataSet1}}
<tr><td colspan="4"><i>No accepted lines.</i></td></tr>
{{/frDBDataSet1}}
<tr><td colspan="3">Total: {{frDBDataSet1_count}} lines</td><td class="num">{{frDBDataSet1_sum_Amount}}</td></tr>
</table>
</body></html>
)";

const QString kHeader = QStringLiteral("No.\tAccount\tName\tAmount");

QString account(int row) {
    return QStringLiteral("ACC%1").arg(row, 7, 10, QLatin1Char('0'));
}

ReportValue sample(const char* name) {
    return readReportJson(std::string(TEST_DATA_DIR) + "/reports/" + name);
}

std::size_t column(const ReportDataset& dataset, const std::string& name) {
    const auto at = std::find(dataset.columns.begin(), dataset.columns.end(), name);
    return static_cast<std::size_t>(at - dataset.columns.begin());
}

}  // namespace

void PagedReportTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QFile file(m_dir.filePath(QStringLiteral("rptLines.frf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kTemplate);
}

ReportValue PagedReportTest::lines(int count, const QString& name) {
    ReportValue report;
    report.templateName = "rptLines.frf";
    report.variables = {{"ComId", "ACME01"}};
    report.printedOn = Date{2025, 3, 5};
    ReportDataset rows("frDBDataSet1", {"AcNo", "Amount", "Name"});
    for (int i = 1; i <= count; ++i) {
        rows.rows.push_back(
            {account(i).toStdString(), 1000.0 + i, (name + QString::number(i)).toStdString()});
    }
    report.datasets.push_back(std::move(rows));
    return report;
}

std::unique_ptr<BandedPages> PagedReportTest::pages(const ReportValue& report) const {
    ReportEngine engine;
    const QString dir =
        report.templateName == "rptLines.frf" ? m_dir.path() : QStringLiteral(REPORT_TEMPLATE_DIR);
    engine.load(QDir(dir).filePath(QString::fromStdString(report.templateName)).toStdString());
    auto made = PageSource::ofReport(PageSource::withCopy(report), engine, QDate(2025, 3, 5));
    auto* banded = dynamic_cast<BandedPages*>(made.get());
    if (banded == nullptr) {
        return nullptr;
    }
    made.release();
    return std::unique_ptr<BandedPages>(banded);
}

QList<QStringList> PagedReportTest::texts(BandedPages& pages) {
    QList<QStringList> all;
    const double bottom = PageSource::bodyRect().height();
    for (int page = 0; page < pages.pageCount(); ++page) {
        for (const auto& band : pages.index().page(static_cast<std::size_t>(page))) {
            if (band.y + band.height > bottom + 0.01) {
                qWarning("page %d: a band ends at %f, past %f", page + 1, band.y + band.height, bottom);
                return {};
            }
        }
        all << pages.rowTexts(page);
    }
    return all;
}

int PagedReportTest::onePage() const {
    int low = 1;     // fits
    int high = 200;  // does not
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (pages(lines(middle))->pageCount() == 1 ? low : high) = middle;
    }
    return low;
}

void PagedReportTest::pagesHoldEveryRowOnce_data() {
    QTest::addColumn<int>("extra");  // lines past those that fill the first page; -1000: none at all
    QTest::addColumn<int>("pageCount");
    QTest::newRow("empty dataset") << -1000 << 1;
    QTest::newRow("single page") << -20 << 1;
    QTest::newRow("ends exactly at the page break") << 0 << 1;
    QTest::newRow("one line past it") << 1 << 2;
    QTest::newRow("many pages") << 400 << -1;
}

void PagedReportTest::pagesHoldEveryRowOnce() {
    QFETCH(int, extra);
    QFETCH(int, pageCount);
    const int full = onePage();
    const int count = std::max(0, full + extra);
    auto report = pages(lines(count));
    QVERIFY(report);
    if (pageCount > 0) {
        QCOMPARE(report->pageCount(), pageCount);
    } else {
        QVERIFY(report->pageCount() > 400 / (2 * full));
    }
    const QList<QStringList> shown = texts(*report);
    QCOMPARE(shown.size(), report->pageCount());
    int next = 1;
    for (int page = 0; page < shown.size(); ++page) {
        const QStringList& rows = shown[page];
        QVERIFY(!rows.isEmpty());
        const int header = page == 0 ? 1 : 0;  // the title comes first on the first page
        if (page == 0) {
            QCOMPARE(rows.front(), QStringLiteral("Accepted lines"));
        }
        QCOMPARE(rows.value(header), kHeader);
        for (int r = header + 1; r < rows.size(); ++r) {
            if (rows[r].startsWith(QStringLiteral("Total:")) ||
                rows[r].startsWith(QStringLiteral("No accepted"))) {
                continue;
            }
            QCOMPARE(rows[r], QStringLiteral("%1\t%2\tName%1\t%3")
                                  .arg(next)
                                  .arg(account(next))
                                  .arg(QLocale(QLocale::English).toString(1000.0 + next, 'f', 2)));
            ++next;
        }
    }
    QCOMPARE(next, count + 1);
    const QStringList& last = shown.back();
    QCOMPARE(last.back().section(QLatin1Char('\t'), 0, 0), QStringLiteral("Total: %1 lines").arg(count));
    QCOMPARE(last.contains(QStringLiteral("No accepted lines.\t")) ||
                 last.contains(QStringLiteral("No accepted lines.")),
             count == 0);
    if (extra == 0) {
        // The page is full: the last band ends less than a line above the body's bottom.
        const auto bands = report->index().page(0);
        QVERIFY(PageSource::bodyRect().height() - (bands.back().y + bands.back().height) <
                bands.back().height);
    }
}

void PagedReportTest::chequeWithManyTaxRowsCrossesAPage() {
    ReportValue report = sample("mcp_detail.json");
    if (report.children.empty()) {
        report.children = chequeChildLinks();
    }
    ReportDataset* taxes = nullptr;
    for (auto& dataset : report.datasets) {
        if (dataset.name == "frDBDataSet5") {
            taxes = &dataset;
        }
    }
    QVERIFY(taxes && !taxes->rows.empty());
    const auto first = taxes->rows.front();
    const std::size_t id = column(*taxes, "WhtId");
    taxes->rows.erase(taxes->rows.begin());
    for (int t = 80; t >= 1; --t) {
        auto row = first;
        row[id] = QStringLiteral("%1").arg(t, 2, 10, QLatin1Char('0')).toStdString();
        taxes->rows.insert(taxes->rows.begin(), row);
    }
    auto made = pages(report);
    QVERIFY(made);
    QVERIFY(made->pageCount() >= 2);
    const QList<QStringList> shown = texts(*made);
    QVERIFY(!shown.isEmpty());
    int next = 1;
    int cheques = 0;
    for (int page = 0; page < shown.size(); ++page) {
        if (page > 0) {
            QVERIFY(shown[page].front().startsWith(QStringLiteral("ID\tPayee")));
        }
        for (const QString& row : shown[page]) {
            cheques += row.startsWith(QStringLiteral("00000")) ? 1 : 0;
            if (row.startsWith(QStringLiteral("\tTax ")) && row.contains(QStringLiteral("Rent"))) {
                QVERIFY2(row.startsWith(QStringLiteral("\tTax %1 ").arg(next, 2, 10, QLatin1Char('0'))),
                         qPrintable(row));
                ++next;
            }
        }
    }
    QCOMPARE(next, 81);  // every tax row of the first cheque, in order, once
    QCOMPARE(cheques, 3);
    // The first cheque's tax rows run from page 1 onto page 2, under the column header again.
    QVERIFY(shown[1].join(QLatin1Char('\n')).contains(QStringLiteral("\tTax ")));
    QVERIFY(shown.back().back().startsWith(QStringLiteral("Total: 3 cheques")));
}

void PagedReportTest::longThaiNamesAreCutNotWrapped() {
    const QString longName =
        QString::fromUtf8("บริษัท ก้าวหน้าการช่างและการก่อสร้างแห่งประเทศไทย จำกัด (มหาชน) สำนักงานใหญ่ ");
    auto plain = pages(lines(300));
    auto thai = pages(lines(300, longName));
    QVERIFY(plain && thai);
    QCOMPARE(thai->pageCount(), plain->pageCount());
    const double height = plain->index().page(1).back().height;
    for (const auto& band : thai->index().page(1)) {
        if (band.kind == PageIndex::Band::Detail) {
            QCOMPARE(band.height, height);
        }
    }
    // The whole name is still the row's text, and found there though cut off on the page.
    const QStringList rows = thai->rowTexts(0);
    QVERIFY(rows.value(2).contains(longName + QLatin1Char('1')));
    const std::atomic_bool never{false};
    const auto match = thai->find(QString::fromUtf8("ใหญ่ 150"), {}, never);
    QVERIFY(match);
    QVERIFY(match.rect.right() <= PageSource::bodyRect().width() && match.rect.height() <= height);
}

void PagedReportTest::findGoesThroughThePages() {
    auto report = pages(lines(400));
    QVERIFY(report);
    const std::atomic_bool never{false};
    PageSource::Match match = report->find(QStringLiteral("ACC0000350"), {}, never);
    QVERIFY(match);
    QVERIFY(report->index().items().size() >= 2);
    QCOMPARE(std::size_t(match.page), report->index().pageOf({1, PageIndex::Cursor::Detail, 349}));
    QVERIFY(match.page > 2);
    QVERIFY(!match.rect.isEmpty());
    QVERIFY(PageSource::bodyRect().height() > match.rect.bottom());

    std::vector<int> pagesFound;
    PageSource::Match at;
    for (int i = 0; i < 4; ++i) {
        at = report->find(QStringLiteral("name39"), at, never);  // lines 39 and 390-399, any case
        QVERIFY(at);
        pagesFound.push_back(at.page);
    }
    QCOMPARE(pagesFound[0], int(report->index().pageOf({1, PageIndex::Cursor::Detail, 38})));
    QVERIFY(pagesFound[1] >= pagesFound[0] && pagesFound[2] >= pagesFound[1]);
    QVERIFY(!report->find(QStringLiteral("not in this report"), {}, never));
    // Fixed texts count too: the heading above the table.
    const PageSource::Match heading = report->find(QStringLiteral("Lines ACME01"), {}, never);
    QVERIFY(heading);
    QCOMPARE(heading.page, 0);

    // From the window: the match's page is turned to.
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(lines(400), engine, m_dir.path().toStdString());
    QVERIFY(preview);
    QSignalSpy found(preview.data(), &ReportPreview::found);
    preview->findText(QStringLiteral("ACC0000350"));
    QVERIFY(found.wait(20000));
    QVERIFY(found.takeFirst().at(0).toBool());
    QCOMPARE(preview->currentPage(), match.page + 1);
    preview->close();
}

void PagedReportTest::cancelledPdfLeavesNoFile() {
    QTemporaryDir out;
    auto report = pages(lines(3000));
    QVERIFY(report && report->pageCount() > 50);
    const QString file = out.filePath(QStringLiteral("lines.pdf"));
    std::atomic_bool cancel{false};
    long long painted = 0;
    const QString error = PageJob::writePdf(*report, file, cancel, [&](long long done, long long total) {
        QCOMPARE(total, static_cast<long long>(report->pageCount()));
        painted = done;
        cancel = done == 5;
    });
    QCOMPARE(error, QString());
    QCOMPARE(painted, 5);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());

    // From the window, on its thread, with Cancel.
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(lines(3000), engine, m_dir.path().toStdString());
    QVERIFY(preview);
    PageJob* job = preview->startPdf(file);
    QVERIFY(job);
    QVERIFY(!preview->startPdf(file));  // one at a time
    QSignalSpy progressed(job, &PageJob::progressed);
    QSignalSpy finished(job, &PageJob::finished);
    QVERIFY(progressed.wait(20000));
    job->cancel();
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.takeFirst().at(0).toBool(), false);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
    // Done to the end, the file is there.
    job = preview->startPdf(file);
    QVERIFY(job);
    QSignalSpy ended(job, &PageJob::finished);
    QVERIFY(ended.wait(120000));
    QCOMPARE(ended.takeFirst().at(0).toBool(), true);
    QVERIFY(QFile(file).size() > 0);
    preview->close();
}

void PagedReportTest::printsThePagesAsked() {
    QTemporaryDir out;
    auto report = pages(lines(300));
    QVERIFY(report && report->pageCount() > 5);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath(QStringLiteral("printed.pdf")));
    printer.setPageLayout(PageSource::pageLayout());
    QPageRanges ranges;
    ranges.addRange(3, 4);
    printer.setPageRanges(ranges);
    const std::atomic_bool never{false};
    std::vector<long long> told;
    QVERIFY(PageJob::paintPages(*report, printer, never,
                                [&](long long done, long long) { told.push_back(done); }));
    QCOMPARE(told, (std::vector<long long>{1, 2}));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("pdftotext is not installed: the printed pages' texts are not checked");
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {out.filePath(QStringLiteral("printed.pdf")), QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(printed.contains(report->rowTexts(2).value(1).section(QLatin1Char('\t'), 1, 1)));
    QVERIFY(printed.contains(QStringLiteral("Page 4 of %1").arg(report->pageCount())));
    QVERIFY(!printed.contains(QStringLiteral("Accepted lines")));
}

QTEST_MAIN(PagedReportTest)
#include "PagedReportTest.moc"
