#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "ReportPreview.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJsonReader.h"
#include "reports/ReportValue.h"

using convertor::ReportEngine;
using convertor::ReportPreview;
using convertor::ReportValue;

class ReportPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithoutBlocking();
    void pdfHoldsTheValues();
    void twoPreviewsOpenTogether();
    void emptyReportShowsNothing();
    void findTurnsToTheMatchingPage();
    void savedHtmlOpensAgain();

private:
    static ReportValue sample(const char* name) {
        return convertor::readReportJson(std::string(TEST_DATA_DIR) + "/reports/" + name);
    }
    static QString pdfText(const QString& pdf);
    static const std::filesystem::path templates() { return REPORT_TEMPLATE_DIR; }
};

QString ReportPreviewTest::pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

void ReportPreviewTest::opensWithoutBlocking() {
    ReportEngine engine;
    QElapsedTimer timer;
    timer.start();
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(sample("dcp_detail.json"), engine, templates());
    QVERIFY(preview);
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(preview->isVisible());
    QVERIFY(!preview->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const int pages = preview->pageCount();
    QVERIFY(pages >= 2);  // 45 lines and the rejections do not fit one A4 page
    QCOMPARE(preview->currentPage(), 1);
    preview->nextPage();
    QCOMPARE(preview->currentPage(), 2);
    preview->lastPage();
    preview->nextPage();
    QCOMPARE(preview->currentPage(), pages);
    preview->firstPage();
    QCOMPARE(preview->currentPage(), 1);
    preview->zoomIn();
    preview->zoomOut();
    preview->close();
    QTRY_VERIFY(preview.isNull());  // deletes itself when closed
}

void ReportPreviewTest::pdfHoldsTheValues() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("pdftotext is not installed");
    }
    QTemporaryDir dir;
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(sample("result_mcl.json"), engine, templates());
    QVERIFY(preview);
    preview->setPrintedDate(QDate(2025, 3, 5));
    const QString pdf = dir.filePath(QStringLiteral("result.pdf"));
    QVERIFY(preview->savePdf(pdf));
    const QString text = pdfText(pdf);
    for (const char* expected :
         {"COMP01", "Media Clearing", "05/03/2025", "3F2A9C0B7D14E6A85B21C0FFEE1234567890ABCD",
          "0000000000124.000", "124.00", "mcl_0305.bnk", "Page 1 of 1", "Printed 05/03/2025"}) {
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }
    // pdftotext splits Thai vowel marks off, so the name is checked in pieces.
    QVERIFY2(text.contains(QString::fromUtf8("บริษัท โอ'นี")), qPrintable(text));
    QVERIFY2(text.contains(QString::fromUtf8("& <ลูก>")), qPrintable(text));
    QVERIFY(!preview->savePdf(dir.filePath(QStringLiteral("no/such/dir/x.pdf"))));
    preview->close();
}

void ReportPreviewTest::twoPreviewsOpenTogether() {
    ReportEngine engine;
    QPointer<ReportPreview> first = ReportPreview::showReport(sample("mcl_detail.json"), engine, templates());
    QPointer<ReportPreview> second =
        ReportPreview::showReport(sample("mcp_detail.json"), engine, templates());
    QVERIFY(first && second);
    QVERIFY(first != second);
    QVERIFY(first->isVisible() && second->isVisible());
    QVERIFY(first->windowTitle().contains(QStringLiteral("Media Clearing")));
    QVERIFY(second->windowTitle().contains(QStringLiteral("Manager Cheque")));
    second->close();
    QTRY_VERIFY(second.isNull());
    QVERIFY(first && first->isVisible());
    first->close();
}

void ReportPreviewTest::emptyReportShowsNothing() {
    ReportEngine engine;
    ReportValue report = sample("result_mcl.json");
    report.templateName = "rptMissing.frf";
    QCOMPARE(ReportPreview::showReport(report, engine, templates()), nullptr);
    // With a template left from an earlier report, that template shows the new values.
    QPointer<ReportPreview> earlier =
        ReportPreview::showReport(sample("result_mcl.json"), engine, templates());
    QVERIFY(earlier);
    report.variables.front().second = "another-source.txt";
    QPointer<ReportPreview> later = ReportPreview::showReport(report, engine, templates());
    QVERIFY(later);
    QVERIFY(later->document().html().contains(QStringLiteral("another-source.txt")));
    earlier->close();
    later->close();
}

void ReportPreviewTest::findTurnsToTheMatchingPage() {
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(sample("dcp_detail.json"), engine, templates());
    QVERIFY(preview);
    QVERIFY(preview->findText(QStringLiteral("Amount invalid")));
    QCOMPARE(preview->currentPage(), preview->pageCount());
    QVERIFY(preview->findText(QStringLiteral("1234781703")));  // line 28
    QCOMPARE(preview->currentPage(), 2);
    QVERIFY(preview->findText(QStringLiteral("ACME01")));
    QCOMPARE(preview->currentPage(), 1);
    QVERIFY(!preview->findText(QStringLiteral("not in this report")));
    preview->close();
}

void ReportPreviewTest::savedHtmlOpensAgain() {
    QTemporaryDir dir;
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(sample("mcp_detail.json"), engine, templates());
    QVERIFY(preview);
    const QString html = dir.filePath(QStringLiteral("saved.html"));
    QVERIFY(preview->saveHtml(html));
    auto* reopened = new ReportPreview;
    QVERIFY(reopened->openHtml(html));
    QCOMPARE(reopened->document().html(), preview->document().html());
    QCOMPARE(reopened->pageCount(), preview->pageCount());
    QVERIFY(!reopened->openHtml(dir.filePath(QStringLiteral("missing.html"))));
    preview->close();
    reopened->close();
}

QTEST_MAIN(ReportPreviewTest)
#include "ReportPreviewTest.moc"
