#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

#include "ConverterForm.h"
#include "base/Clock.h"
#include "convert/RunHistory.h"
#include "refdata/TableStore.h"
#include "report/ReportPreview.h"

using convertor::Date;
using convertor::FixedClock;
using convertor::test::ConverterForm;
using convertor::test::readFile;
using convertor::test::testData;

// The repeat guard's question and the history's warning in the converter window.
class RepeatGuardTest : public QObject {
    Q_OBJECT

private slots:
    void questionBoxDecidesTheRepeat_data();
    void questionBoxDecidesTheRepeat();

private:
    static void firstRun(ConverterForm& form) {
        form.window->setClock(std::make_unique<FixedClock>(Date{2030, 1, 2}));
        form.radio("rbtDirect10m")->click();
        form.edit("edtComId")->setText("ACME01");
        form.edit("edtDebitAcct")->setText("1234567896");
        form.button("btnCopyAcct")->click();
        form.edit("edtSource")->setText(QString::fromStdString(testData("dcp/eleven.txt").string()));
        form.edit("edtDestination")->setText(QString::fromStdString(form.home.out("bank.txt").string()));
        QVERIFY(form.runAndWait());
        QCOMPARE(form.recorder.messages.size(), 1);
        delete form.window->lastPreview();
        form.recorder.messages.clear();
    }
    static long historyRows(ConverterForm& form) {
        convertor::TableStore tables(form.home.database());
        return static_cast<long>(convertor::newestRuns(tables, 100).rows.size());
    }
};

void RepeatGuardTest::questionBoxDecidesTheRepeat_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("historyClosed");
    QTest::newRow("Yes converts") << true << false;
    QTest::newRow("No writes nothing") << false << false;
    QTest::newRow("a row that cannot be written is a warning") << true << true;
}

void RepeatGuardTest::questionBoxDecidesTheRepeat() {
    QFETCH(bool, yes);
    QFETCH(bool, historyClosed);
    ConverterForm form;
    firstRun(form);
    const QString hash = form.edit("edtHashValue")->text();
    if (historyClosed) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "closing");
        db.setDatabaseName(QString::fromStdString(form.home.database().string()));
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(
            "CREATE TRIGGER closed BEFORE INSERT ON RunHistory BEGIN SELECT RAISE(ABORT, 'closed'); END"));
        db.close();
    }
    QSqlDatabase::removeDatabase("closing");
    // A renamed copy into another destination: the content is what counts.
    const auto copy = form.home.in("copy.txt");
    convertor::test::writeFile(copy, readFile(testData("dcp/eleven.txt")));
    form.edit("edtSource")->setText(QString::fromStdString(copy.string()));
    form.edit("edtDestination")->setText(QString::fromStdString(form.home.out("again.txt").string()));
    form.edit("edtHashValue")->setText("EARLIER");

    QString asked;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->objectName() != "msgConvertAgain") {
            return;
        }
        answer.stop();
        asked = box->text();
        defaultButton = box->standardButton(box->defaultButton());
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    answer.start(20);
    QVERIFY(form.runAndWait());
    const QString started = asked.mid(27, 19);
    QCOMPARE(asked, QString("This file was converted on %1 into %2 (Hash Value %3). Convert it again?")
                        .arg(started, QString::fromStdString(form.home.out("bank.txt").string()), hash));
    QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$)").match(started).hasMatch());
    QCOMPARE(defaultButton, QMessageBox::No);
    QCOMPARE(std::filesystem::exists(form.home.out("again.txt")), yes);
    QCOMPARE(historyRows(form), yes && !historyClosed ? 2L : 1L);
    if (yes) {
        QCOMPARE(form.recorder.messages.first(),
                 QString("Reformat data and add to 2030-01-02ACME01_DCP.zip completed"));
        QCOMPARE(form.recorder.messages.size(), historyClosed ? 2 : 1);
        QVERIFY2(
            !historyClosed || form.recorder.messages.last().startsWith("The run history could not be kept: "),
            qPrintable(form.recorder.messages.last()));
        QCOMPARE(form.recorder.icons.last(), historyClosed ? QMessageBox::Warning : QMessageBox::Information);
        QCOMPARE(form.edit("edtHashValue")->text(), hash);
        QTRY_VERIFY(form.window->lastPreview());
        delete form.window->lastPreview();
    } else {
        QVERIFY(form.recorder.messages.isEmpty());
        QCOMPARE(form.edit("edtHashValue")->text(), QString("EARLIER"));
        QTest::qWait(50);
        QVERIFY(!form.window->lastPreview());
    }
    QVERIFY(form.button("btnAction")->isEnabled());
}

QTEST_MAIN(RepeatGuardTest)
#include "RepeatGuardTest.moc"
