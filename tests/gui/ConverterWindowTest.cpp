#include <QAbstractItemView>
#include <QAccessible>
#include <QCompleter>
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
    ConverterForm form("Default=MCP\r\n");
    const QString source = QString::fromStdString(convertor::test::testData("dcp/eleven.txt").string());
    const QString bank = QString::fromStdString(form.home.out("bank.txt").string());
    struct Step {
        const char* button;
        const char* field;
        const char* dialog;
        QString typed;  // typed into the dialog with Enter; empty cancels it
        QString startsIn;
    };
    // Cancelling after a name was chosen empties the field, so the next run asks for a file. The
    // invoice dialog opens where the source dialog was left.
    const Step steps[] = {
        {"btnBrowse", "edtSource", "dlgOpenSource", source, {}},
        {"btnInvoice", "edtInvoice", "dlgOpenSource", {}, QFileInfo(source).absolutePath()},
        {"bntDestination", "edtDestination", "dlgSaveDestination", bank, {}},
        {"bntDestination", "edtDestination", "dlgSaveDestination", {}, QFileInfo(bank).absolutePath()},
    };
    for (const Step& step : steps) {
        const QString name = QString::fromLatin1(step.dialog) + " from " + step.button;
        QVERIFY2(form.window->findChildren<QFileDialog*>().isEmpty(), qPrintable(name));
        form.edit(step.field)->setText("earlier.txt");
        QPointer<QFileDialog> dialog;
        QPointer<QWidget> popup;
        QStringList seen;
        QTimer::singleShot(0, form.window.get(), [&] {
            dialog = form.window->findChild<QFileDialog*>(step.dialog);
            if (!dialog) {
                return;
            }
            seen << dialog->nameFilters().join(";;") << dialog->windowTitle()
                 << QString::number(dialog->fileMode())
                 << QString::number(dialog->testOption(QFileDialog::DontConfirmOverwrite))
                 << QDir(dialog->directory()).canonicalPath();
            auto* fileName = dialog->findChild<QLineEdit*>("fileNameEdit");
            popup = fileName->completer()->popup();
            if (step.typed.isEmpty()) {
                dialog->reject();
                return;
            }
            fileName->setText(step.typed);
            // Enter reaches the completion list first while it is shown, as it holds the keyboard.
            QTest::keyClick(popup->isVisible() ? popup.data() : fileName, Qt::Key_Return);
            if (dialog && dialog->isVisible()) {
                dialog->reject();  // Enter did not choose: the field comparison below fails
            }
        });
        form.button(step.button)->click();
        QVERIFY2(!seen.isEmpty(), qPrintable(name));
        const bool save = QLatin1String(step.dialog) == QLatin1String("dlgSaveDestination");
        QCOMPARE(
            seen.mid(0, 4),
            (QStringList{"Text File (*.txt);;All File (*)", save ? "Save As" : "Open",
                         QString::number(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile), "1"}));
        if (!step.startsIn.isEmpty()) {
            QCOMPARE(seen.last(), QDir(step.startsIn).canonicalPath());
        }
        // Gone with its completion list: neither stays over the window once the choice is made.
        QVERIFY2(dialog.isNull() && popup.isNull(), qPrintable(name));
        QCOMPARE(form.edit(step.field)->text(), step.typed);
    }

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

    // The three Browse buttons are told apart by what they choose; their captions stay.
    QStringList names;
    for (const char* button : {"btnBrowse", "btnInvoice", "bntDestination"}) {
        QCOMPARE(form.button(button)->text(), QString("Browse"));
        names << QAccessible::queryAccessibleInterface(form.button(button))->text(QAccessible::Name);
    }
    QCOMPARE(names, (QStringList{"Browse for the source file", "Browse for the invoice file",
                                 "Browse for the destination file"}));
}

QTEST_MAIN(ConverterWindowTest)
#include "ConverterWindowTest.moc"
