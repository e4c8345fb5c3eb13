#include <QTimer>
#include <QtTest>

#include "ConverterForm.h"
#include "report/ReportPreview.h"
#include "base/Clock.h"

using convertor::Date;
using convertor::FixedClock;
using convertor::test::ConverterForm;
using convertor::test::readFile;
using convertor::test::splitCrlf;
using convertor::test::testData;

class ConverterRunTest : public QObject {
    Q_OBJECT

private slots:
    void wholeRunsFromTheWindow_data();
    void wholeRunsFromTheWindow();
    void missingTemplateIsToldAfterTheRun_data();
    void missingTemplateIsToldAfterTheRun();
    void inputCheckStopsTheRunWithNothingWritten();
    void errorEndsTheRunInAnErrorBox();
    void largeRunKeepsTheWindowResponsive();
    void windowGoneDuringARunWaitsForItsEnd();

private:
    static void directCreditEntries(ConverterForm& form, const std::string& source) {
        form.radio("rbtDirect10m")->click();
        form.edit("edtComId")->setText("ACME01");
        form.edit("edtDebitAcct")->setText("1234567896");
        form.button("btnCopyAcct")->click();
        form.edit("edtSource")->setText(QString::fromStdString(source));
        form.edit("edtDestination")->setText(QString::fromStdString(form.home.out("bank.txt").string()));
    }
};

void ConverterRunTest::wholeRunsFromTheWindow_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("completed");
    QTest::newRow("Direct Credit") << "rbtDirect10m"
                                   << "dcp/eleven.txt"
                                   << "Reformat data and add to 2030-01-02ACME01_DCP.zip completed";
    QTest::newRow("Media Clearing") << "rbtMedia"
                                    << "mcl/mixed.txt"
                                    << "Reformat data and add to 2025-03-05ACME01_MCL.zip completed";
}

void ConverterRunTest::wholeRunsFromTheWindow() {
    QFETCH(QString, product);
    QFETCH(QString, source);
    QFETCH(QString, completed);
    ConverterForm form;
    // The sources are dated the day after these.
    form.window->setClock(
        std::make_unique<FixedClock>(product == "rbtMedia" ? Date{2025, 3, 5} : Date{2030, 1, 2}));
    directCreditEntries(form, testData(source.toStdString()).string());
    form.radio(product.toLatin1().constData())->click();
    auto* progress = form.window->findChild<QProgressBar*>("pgbState");
    QSignalSpy moved(progress, &QProgressBar::valueChanged);

    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages.last(), completed);
    const auto bank = splitCrlf(readFile(form.home.out("bank.txt")));
    QVERIFY(!bank.empty());
    QCOMPARE(form.edit("edtHashValue")->text(), QString::fromStdString(bank.front()));
    QVERIFY(!moved.isEmpty());
    QCOMPARE(progress->value(), 0);
    QVERIFY(form.button("btnAction")->isEnabled());
    QPointer<convertor::ReportPreview> preview = form.window->lastPreview();
    QVERIFY(preview && preview->isVisible() && !preview->isModal());
    QVERIFY(preview->html().contains("ACME01"));
    delete preview;
}

void ConverterRunTest::missingTemplateIsToldAfterTheRun_data() {
    QTest::addColumn<bool>("directory");  // the template's name taken by a folder
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << false << "is missing";
    QTest::newRow("unreadable") << true << "cannot be read";
}

void ConverterRunTest::missingTemplateIsToldAfterTheRun() {
    QFETCH(bool, directory);
    QFETCH(QString, problem);
    ConverterForm form;
    form.window->setClock(std::make_unique<FixedClock>(Date{2030, 1, 2}));
    const auto file = form.home.home() / "Report" / "rptResult.frf";
    std::filesystem::remove(file);
    if (directory) {
        std::filesystem::create_directory(file);
    }
    directCreditEntries(form, testData("dcp/eleven.txt").string());
    QVERIFY(form.runAndWait());
    QTRY_COMPARE(form.recorder.messages.size(), 2);
    QCOMPARE(form.recorder.messages,
             (QStringList{"Reformat data and add to 2030-01-02ACME01_DCP.zip completed",
                          QString("The report template %1 %2; the report cannot be shown.")
                              .arg(QString::fromStdString(file.string()), problem)}));
    QCOMPARE(form.recorder.icons.last(), QMessageBox::Warning);
    QVERIFY(!form.window->lastPreview());
}

void ConverterRunTest::inputCheckStopsTheRunWithNothingWritten() {
    ConverterForm form;
    directCreditEntries(form, testData("dcp/eleven.txt").string());
    form.edit("edtHashValue")->setText("EARLIER");
    form.edit("edtFeeAcct")->setText("   ");
    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages, QStringList{"Please insert debit fee account"});
    form.recorder.messages.clear();
    form.edit("edtFeeAcct")->setText("1234567890");
    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages, QStringList{"Invalid debit fee account"});
    QCOMPARE(form.recorder.icons.last(), QMessageBox::Information);
    QVERIFY(std::filesystem::is_empty(form.home.home() / "out"));
    QCOMPARE(form.edit("edtHashValue")->text(), QString("EARLIER"));
    QVERIFY(!form.window->lastPreview());
}

void ConverterRunTest::errorEndsTheRunInAnErrorBox() {
    ConverterForm form;
    form.window->setClock(std::make_unique<FixedClock>(Date{2030, 1, 2}));
    directCreditEntries(form, testData("dcp/eleven.txt").string());
    form.edit("edtDestination")->setText(QString::fromStdString(form.home.out("missing/bank.txt").string()));
    QVERIFY(form.runAndWait());
    QVERIFY(!form.recorder.messages.isEmpty());
    QCOMPARE(form.recorder.icons.last(), QMessageBox::Critical);
    QCOMPARE(form.window->findChild<QProgressBar*>("pgbState")->value(), 0);
    // The program goes on: the next run is possible.
    QVERIFY(form.button("btnAction")->isEnabled());
    form.recorder.messages.clear();
    form.edit("edtComId")->clear();
    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages, QStringList{"Please insert company id"});
}

void ConverterRunTest::largeRunKeepsTheWindowResponsive() {
    ConverterForm form;
    form.window->setClock(std::make_unique<FixedClock>(Date{2030, 1, 2}));
    convertor::test::writeLargeDirectCredit(form.home.in("large.txt"), 400000);
    directCreditEntries(form, form.home.in("large.txt").string());
    auto* progress = form.window->findChild<QProgressBar*>("pgbState");
    QList<int> values;
    connect(progress, &QProgressBar::valueChanged, this, [&values](int v) { values << v; });
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(5);
    QSignalSpy finished(form.window.get(), &convertor::ConverterWindow::runFinished);

    form.button("btnAction")->click();
    QVERIFY(form.window->isRunning());
    QVERIFY(!form.button("btnAction")->isEnabled());
    form.window->btnActionClick();  // a second press while the first run goes on starts nothing
    QVERIFY(finished.wait(120000));
    QTest::qWait(50);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(form.recorder.messages,
             QStringList{"Reformat data and add to 2030-01-02ACME01_DCP.zip completed"});
    QVERIFY2(ticks > 3, "the window's events were handled during the run");
    QVERIFY(std::any_of(values.begin(), values.end(), [](int v) { return v > 0 && v < 100; }));
    QCOMPARE(progress->value(), 0);
    delete form.window->lastPreview();
}

void ConverterRunTest::windowGoneDuringARunWaitsForItsEnd() {
    ConverterForm form;
    form.window->setClock(std::make_unique<FixedClock>(Date{2030, 1, 2}));
    convertor::test::writeLargeDirectCredit(form.home.in("large.txt"), 300000);
    directCreditEntries(form, form.home.in("large.txt").string());
    form.button("btnAction")->click();
    QVERIFY(form.window->isRunning());
    form.window.reset();
    // The run finished its bank file; nobody was left to be told.
    const auto bank = splitCrlf(readFile(form.home.out("bank.txt")));
    QCOMPARE(bank.size(), 2u * 300000 + 4);  // records 003 and 004 for every line
    QVERIFY(form.recorder.messages.isEmpty());
}

QTEST_MAIN(ConverterRunTest)
#include "ConverterRunTest.moc"
