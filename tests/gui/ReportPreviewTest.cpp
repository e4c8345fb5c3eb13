#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "report/PageJob.h"
#include "report/ReportPreview.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJsonReader.h"
#include "reports/ReportValue.h"

using convertor::PageJob;
using convertor::ReportEngine;
using convertor::ReportPreview;
using convertor::ReportValue;

class ReportPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithoutBlocking();
    void pdfHoldsTheValues();
    void pdfThatStopsKeepsTheOlderFile();
    void twoPreviewsOpenTogether();
    void emptyReportShowsNothing();
    void findTurnsToTheMatchingPage();
    void savedHtmlOpensAgain();
    void openingSizeFitsTheScreen_data();
    void openingSizeFitsTheScreen();
    void toolBarFitsAScreen1024Wide();

private:
    static ReportValue sample(const char* name) {
        return convertor::readReportJson(std::string(TEST_DATA_DIR) + "/reports/" + name);
    }
    static QString pdfText(const QString& pdf);
    // Finds the next match and waits for the answer.
    static bool find(ReportPreview& preview, const QString& text) {
        QSignalSpy found(&preview, &ReportPreview::found);
        preview.findText(text);
        if (found.isEmpty() && !found.wait(20000)) {
            return false;
        }
        return found.takeFirst().at(0).toBool();
    }
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

void ReportPreviewTest::pdfThatStopsKeepsTheOlderFile() {
    QTemporaryDir dir;
    ReportValue report = sample("dcp_detail.json");
    auto& rows = report.datasets.front().rows;
    const auto once = rows;
    for (int i = 1; i < 600; ++i) {
        rows.insert(rows.end(), once.begin(), once.end());
    }
    ReportEngine engine;
    QPointer<ReportPreview> preview = ReportPreview::showReport(report, engine, templates());
    QVERIFY(preview);
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    auto contents = [&file] {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    };
    {
        QFile older(file);
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("older");
    }
    // Cancelled part-way: the older file as it was, nothing beside it.
    PageJob* job = preview->startPdf(file);
    QVERIFY(job);
    QSignalSpy progressed(job, &PageJob::progressed);
    QSignalSpy cancelled(job, &PageJob::finished);
    QVERIFY(progressed.wait(20000));
    job->cancel();
    QVERIFY(cancelled.wait(20000));
    QCOMPARE(cancelled.takeFirst().at(0).toBool(), false);
    QCOMPARE(contents(), QByteArray("older"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});

    // A folder that is not there: the error is told in a message box and Save PDF comes back.
    QString told;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&told] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->close();
        }
    });
    closer.start(20);
    const QString nowhere = dir.filePath(QStringLiteral("missing/report.pdf"));
    job = preview->startPdf(nowhere);
    QVERIFY(job);
    QSignalSpy failed(job, &PageJob::finished);
    QVERIFY(failed.wait(20000));
    QVERIFY2(told.startsWith(QStringLiteral("Cannot write ") + nowhere), qPrintable(told));
    for (QAction* action : preview->toolBar()->actions()) {
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    }

    // Done to the end, the new file takes the older one's place.
    job = preview->startPdf(file);
    QVERIFY(job);
    QSignalSpy done(job, &PageJob::finished);
    QVERIFY(done.wait(120000));
    QVERIFY(contents().startsWith("%PDF"));
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
    const QString missing = QString::fromStdString((templates() / "rptMissing.frf").string());
    QString warning;
    QCOMPARE(ReportPreview::showReport(report, engine, templates(), &warning), nullptr);
    QCOMPARE(warning, "The report template " + missing + " is missing; the report cannot be shown.");
    // With a template left from an earlier report, that template shows the new values.
    QPointer<ReportPreview> earlier =
        ReportPreview::showReport(sample("result_mcl.json"), engine, templates(), &warning);
    QVERIFY(earlier);
    QCOMPARE(warning, QString());
    report.variables.front().second = "another-source.txt";
    QPointer<ReportPreview> later = ReportPreview::showReport(report, engine, templates(), &warning);
    QVERIFY(later);
    QVERIFY(later->html().contains(QStringLiteral("another-source.txt")));
    QCOMPARE(warning, "The report template " + missing +
                          " is missing; the report is shown with the template of an earlier report, "
                          "rptResult.frf.");
    earlier->close();
    later->close();
}

void ReportPreviewTest::findTurnsToTheMatchingPage() {
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(sample("dcp_detail.json"), engine, templates());
    QVERIFY(preview);
    QVERIFY(find(*preview, QStringLiteral("Amount invalid")));
    QCOMPARE(preview->currentPage(), preview->pageCount());
    QVERIFY(find(*preview, QStringLiteral("1234781703")));  // line 28
    QCOMPARE(preview->currentPage(), 2);
    QVERIFY(find(*preview, QStringLiteral("ACME01")));
    QCOMPARE(preview->currentPage(), 1);
    QVERIFY(!find(*preview, QStringLiteral("not in this report")));
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
    QCOMPARE(reopened->html(), preview->html());
    QCOMPARE(reopened->pageCount(), preview->pageCount());
    QVERIFY(!reopened->openHtml(dir.filePath(QStringLiteral("missing.html"))));
    preview->close();
    reopened->close();
}

void ReportPreviewTest::openingSizeFitsTheScreen_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<int>("toolBarWidth");
    QTest::addColumn<QSize>("expected");
    // Nine tenths of the height; as wide as the tool bar, or as an A4 page where that is wider.
    QTest::newRow("1024x768 with a panel") << QRect(0, 28, 1024, 740) << 937 << QSize(921, 666);
    QTest::newRow("full HD") << QRect(0, 0, 1920, 1040) << 937 << QSize(937, 936);
    QTest::newRow("tall enough for a page") << QRect(1920, 0, 2560, 1400) << 600 << QSize(890, 1260);
    QTest::newRow("narrower than the bar") << QRect(0, 0, 800, 600) << 937 << QSize(720, 540);
}

void ReportPreviewTest::openingSizeFitsTheScreen() {
    QFETCH(QRect, available);
    QFETCH(int, toolBarWidth);
    QFETCH(QSize, expected);
    QCOMPARE(ReportPreview::openingSize(available, toolBarWidth), expected);
}

void ReportPreviewTest::toolBarFitsAScreen1024Wide() {
    ReportEngine engine;
    QPointer<ReportPreview> preview =
        ReportPreview::showReport(sample("dcp_detail.json"), engine, templates());
    QVERIFY(preview);
    QToolBar* bar = preview->toolBar();
    const int opening = ReportPreview::openingSize(QRect(0, 0, 1024, 768), bar->sizeHint().width()).width();
    for (int width : {opening, 1024}) {
        preview->resize(width, 700);
        QTRY_COMPARE(preview->width(), width);
        QVERIFY2(!bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))->isVisible(),
                 qPrintable(QString::number(width)));
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            QWidget* control = bar->widgetForAction(action);
            QVERIFY2(control && control->isVisible(), qPrintable(action->text()));
            // The find field's placeholder only describes it: it needs a name of its own.
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(control->objectName()));
        }
    }
    preview->close();
}

QTEST_MAIN(ReportPreviewTest)
#include "ReportPreviewTest.moc"
