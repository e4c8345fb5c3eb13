#include <QFileDialog>
#include <QGroupBox>
#include <QTimer>
#include <QtTest>

#include "ConverterForm.h"

using convertor::test::ConverterForm;

class ConverterWindowTest : public QObject {
    Q_OBJECT

private slots:
    void settingsChooseProductsAndLayout_data();
    void settingsChooseProductsAndLayout();
    void productClickAppliesLayoutAndKeepsContent();
    void captionsLengthsAndTabOrder();
    void clearFormAndCopyDebitAccount();
    void fileDialogsFillOrEmptyTheirField();
    void textOutsideCodePage874IsRefusedBeforeARun();
    void companyIdOfBlanksIsMissing();
    void everyControlHasAnAccessibleName();
};

void ConverterWindowTest::settingsChooseProductsAndLayout_data() {
    QTest::addColumn<QString>("settings");  // "-" for no Default.ini at all
    QTest::addColumn<QString>("enabled");   // Direct Credit, Payroll, Media Clearing, Manager Cheque
    QTest::addColumn<QString>("checked");
    QTest::addColumn<bool>("debitShown");
    QTest::addColumn<bool>("invoiceShown");
    QTest::addColumn<QString>("sourceCaption");
    QTest::newRow("no file") << "-"
                             << "1111"
                             << "" << true << false << "Source File Name";
    QTest::newRow("lower case") << "DCP=false\r\nDefault=dcp\r\n"
                                << "0111"
                                << "" << true << false << "Source File Name";
    QTest::newRow("disabled default") << "PAY=FALSE\r\nDefault=PAY\r\n"
                                      << "1011"
                                      << "rbtPay" << true << false << "Source File Name";
    QTest::newRow("cheque") << "Default=MCP\r\nMCL=False\r\n"
                            << "1101"
                            << "rbtMcp" << false << true << "Payment File Name";
    QTest::newRow("media") << "Default=MCL\r\nMCP=FALSE\r\nDCP=no\r\n"
                           << "1110"
                           << "rbtMedia" << false << false << "Source File Name";
}

void ConverterWindowTest::settingsChooseProductsAndLayout() {
    QFETCH(QString, settings);
    QFETCH(QString, enabled);
    QFETCH(QString, checked);
    QFETCH(bool, debitShown);
    QFETCH(bool, invoiceShown);
    QFETCH(QString, sourceCaption);
    ConverterForm form(settings.toStdString());
    const char* names[] = {"rbtDirect10m", "rbtPay", "rbtMedia", "rbtMcp"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(form.radio(names[i])->isEnabled(), enabled[i] == '1');
        QCOMPARE(form.radio(names[i])->isChecked(), checked == names[i]);
    }
    for (const char* name : {"Label5", "edtDebitAcct", "Label9", "edtFeeAcct", "btnCopyAcct"}) {
        QCOMPARE(form.shown(name), debitShown);
    }
    for (const char* name : {"Label6", "edtInvoice", "btnInvoice"}) {
        QCOMPARE(form.shown(name), invoiceShown);
    }
    QCOMPARE(form.label("Label3")->text(), sourceCaption);
    QVERIFY(!form.window->findChild<QCheckBox*>("CheckBox1")->isChecked());
}

void ConverterWindowTest::productClickAppliesLayoutAndKeepsContent() {
    ConverterForm form;
    form.radio("rbtMcp")->click();
    QVERIFY(form.shown("edtInvoice") && !form.shown("edtDebitAcct"));
    QCOMPARE(form.label("Label3")->text(), QString("Payment File Name"));
    form.edit("edtInvoice")->setText("invoices.txt");
    form.edit("edtDebitAcct")->setText("1234567896");
    form.radio("rbtPay")->click();
    QVERIFY(!form.shown("edtInvoice") && form.shown("edtDebitAcct") && form.shown("btnCopyAcct"));
    QCOMPARE(form.label("Label3")->text(), QString("Source File Name"));
    QCOMPARE(form.edit("edtInvoice")->text(), QString("invoices.txt"));
    form.radio("rbtMedia")->click();
    QVERIFY(!form.shown("edtInvoice") && !form.shown("edtFeeAcct"));
    QCOMPARE(form.edit("edtDebitAcct")->text(), QString("1234567896"));
}

void ConverterWindowTest::captionsLengthsAndTabOrder() {
    ConverterForm form;
    const QString version = form.window->windowTitle().mid(QString("Convertor ").size());
    QVERIFY(form.window->windowTitle().startsWith("Convertor ") && !version.isEmpty());
    QCOMPARE(form.label("Label8")->text(), "Version : " + version);
    QCOMPARE(form.button("btnAction")->text(), QString("Reformat Data"));
    QCOMPARE(form.button("btnCopyAcct")->text(), QString("Copy Debit Account"));
    QCOMPARE(form.window->findChild<QGroupBox*>("GroupBox1")->title(), QString("Reformat Data"));
    QCOMPARE(form.edit("edtComId")->maxLength(), 12);
    QCOMPARE(form.edit("edtDebitAcct")->maxLength(), 25);
    QCOMPARE(form.edit("edtFeeAcct")->maxLength(), 25);
    QVERIFY(form.edit("edtHashValue")->isReadOnly() && !form.edit("edtHashValue")->hasFrame());
    auto* progress = form.window->findChild<QProgressBar*>("pgbState");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);

    const QStringList expected = {
        "edtSource",  "btnBrowse",    "edtDestination", "bntDestination", "rbtDirect10m", "rbtMedia",
        "btnAction",  "bntClearForm", "edtComId",       "edtDebitAcct",   "rbtMcp",       "edtInvoice",
        "btnInvoice", "edtHashValue", "rbtPay",         "edtFeeAcct",     "btnCopyAcct",  "CheckBox1"};
    QStringList order;
    QWidget* widget = form.edit("edtSource");
    for (int steps = 0; steps < 200 && order.size() < expected.size();
         ++steps, widget = widget->nextInFocusChain()) {
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
    }
    QCOMPARE(order, expected);
}

void ConverterWindowTest::clearFormAndCopyDebitAccount() {
    ConverterForm form;
    form.edit("edtDebitAcct")->setText("1234567896");
    form.edit("edtFeeAcct")->setText("999");
    form.button("btnCopyAcct")->click();
    QCOMPARE(form.edit("edtFeeAcct")->text(), QString("1234567896"));
    form.edit("edtDebitAcct")->clear();
    form.button("btnCopyAcct")->click();
    QCOMPARE(form.edit("edtFeeAcct")->text(), QString());

    const char* edits[] = {"edtSource",    "edtDestination", "edtComId",
                           "edtDebitAcct", "edtFeeAcct",     "edtInvoice"};
    for (const char* name : edits) {
        form.edit(name)->setText("x");
    }
    form.edit("edtHashValue")->setText("ABC");
    form.radio("rbtMcp")->click();
    auto* printDetail = form.window->findChild<QCheckBox*>("CheckBox1");
    printDetail->setChecked(true);
    form.button("bntClearForm")->click();
    for (const char* name : edits) {
        QVERIFY2(form.edit(name)->text().isEmpty(), name);
    }
    QVERIFY(form.edit("edtHashValue")->text().isEmpty());
    for (const char* name : {"rbtDirect10m", "rbtPay", "rbtMedia", "rbtMcp"}) {
        QVERIFY(!form.radio(name)->isChecked());
    }
    // "Print detail" and the layout stay; the next click on a product applies its layout.
    QVERIFY(printDetail->isChecked());
    QVERIFY(form.shown("edtInvoice"));
    form.radio("rbtDirect10m")->click();
    QVERIFY(form.radio("rbtDirect10m")->isChecked() && !form.shown("edtInvoice"));
}

void ConverterWindowTest::fileDialogsFillOrEmptyTheirField() {
    ConverterForm form;
    auto* open = form.window->findChild<QFileDialog*>("dlgOpenSource");
    auto* save = form.window->findChild<QFileDialog*>("dlgSaveDestination");
    QVERIFY(open && save);
    const QStringList filters = {"Text File (*.txt)", "All File (*)"};
    QCOMPARE(open->nameFilters(), filters);
    QCOMPARE(save->nameFilters(), filters);
    QVERIFY(save->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(save->defaultSuffix(), QString());

    const QString source = QString::fromStdString(convertor::test::testData("dcp/eleven.txt").string());
    QTimer::singleShot(0, open, [open, source] {
        open->selectFile(source);
        static_cast<QDialog*>(open)->accept();  // QFileDialog hides it
    });
    form.button("btnBrowse")->click();
    QCOMPARE(form.edit("edtSource")->text(), source);

    // Cancelling after a name was chosen empties the field, so the next run asks for a file.
    form.edit("edtDestination")->setText("/tmp/bank.txt");
    QTimer::singleShot(0, save, &QDialog::reject);
    form.button("bntDestination")->click();
    QCOMPARE(form.edit("edtDestination")->text(), QString());
    form.radio("rbtMcp")->click();
    form.edit("edtInvoice")->setText("inv.txt");
    QTimer::singleShot(0, open, &QDialog::reject);
    form.button("btnInvoice")->click();
    QCOMPARE(form.edit("edtInvoice")->text(), QString());

    form.edit("edtComId")->setText("ACME01");
    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages,
             QStringList{"Please select product type or select file name before reformat data "});
}

void ConverterWindowTest::textOutsideCodePage874IsRefusedBeforeARun() {
    ConverterForm form;
    form.radio("rbtDirect10m")->click();
    form.edit("edtSource")
        ->setText(QString::fromStdString(convertor::test::testData("dcp/eleven.txt").string()));
    form.edit("edtDestination")->setText(QString::fromStdString(form.home.out("bank.txt").string()));
    form.edit("edtComId")->setText("ACME01");
    form.edit("edtDebitAcct")->setText(QString::fromUtf8("1234567896\xe4\xb8\xad"));  // a Chinese character
    form.edit("edtFeeAcct")->setText("1234567896");
    QSignalSpy finished(form.window.get(), &convertor::ConverterWindow::runFinished);
    form.button("btnAction")->click();
    QCOMPARE(form.recorder.messages.size(), 1);
    QCOMPARE(form.recorder.messages[0],
             "Debit Account cannot be written in the Thai code page 874. Please correct it and retry");
    QVERIFY(!form.window->isRunning());
    QCOMPARE(finished.count(), 0);
    QVERIFY(std::filesystem::is_empty(form.home.home() / "out"));

    // Thai text is what the code page is for: it passes this check.
    form.recorder.messages.clear();
    form.edit("edtDebitAcct")->setText(QString::fromUtf8("สมชาย"));
    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages, QStringList{"Invalid debit account"});
}

void ConverterWindowTest::companyIdOfBlanksIsMissing() {
    ConverterForm form;
    form.edit("edtComId")->setText("   ");
    QVERIFY(form.runAndWait());
    QCOMPARE(form.recorder.messages, QStringList{"Please insert company id"});
}

void ConverterWindowTest::everyControlHasAnAccessibleName() {
    ConverterForm form("Default=MCP\r\n");
    int controls = 0;
    QCOMPARE(convertor::test::namelessControls(form.window.get(), &controls), QStringList());
    QVERIFY(controls >= 18);  // the walk reached the form's edits, buttons and check boxes
    // A field without a label is found.
    QWidget bare;
    new QLineEdit(&bare);
    bare.show();
    QCOMPARE(convertor::test::namelessControls(&bare).size(), 1);
    form.radio("rbtPay")->click();
    QCOMPARE(convertor::test::namelessControls(form.window.get()), QStringList());
}

QTEST_MAIN(ConverterWindowTest)
#include "ConverterWindowTest.moc"
