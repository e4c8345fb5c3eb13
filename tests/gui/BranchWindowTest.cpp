#include <QAbstractItemModelTester>
#include <QPointer>

#include "maintenance/BranchWindow.h"
#include "MaintenanceTestSupport.h"

using convertor::BranchWindow;

namespace {

QStringList branchesOf(const QString& bank) {
    return TableCopy::column("select BRANCH_CODE from BRANCH where BANK_CODE = ? order by BRANCH_CODE",
                             {bank});
}

}  // namespace

class BranchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheBranchesOfItsBankOnly_data();
    void listsTheBranchesOfItsBankOnly();
    void newBranchCarriesTheBankCode();
    void branchCodeIsUniqueWithinItsBank();
    void reloadsOnActivation();
    void branchButtonDoesNothingAndEscCloses();

private:
    void open(const QString& bank);

    std::unique_ptr<TableCopy> m_tables;
    DialogRecorder m_dialogs;
    std::unique_ptr<BranchWindow> m_window;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void BranchWindowTest::init() {
    m_tables = std::make_unique<TableCopy>();
    QVERIFY(m_tables->ok());
    m_dialogs = DialogRecorder{};
}

void BranchWindowTest::cleanup() {
    m_tester.reset();
    m_window.reset();
    m_tables.reset();
}

void BranchWindowTest::open(const QString& bank) {
    m_window = std::make_unique<BranchWindow>(bank, QStringLiteral("ธนาคาร"), QStringLiteral("Bank"));
    m_window->setDialogs(m_dialogs.dialogs());
    m_tester = std::make_unique<QAbstractItemModelTester>(
        grid(m_window.get())->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void BranchWindowTest::listsTheBranchesOfItsBankOnly_data() {
    QTest::addColumn<QString>("bank");
    QTest::newRow("home bank") << "014";
    QTest::newRow("no branches") << "025";
    // The code is bound, not spliced into the statement: quotes and SQL in it select nothing more.
    QTest::newRow("quote") << "0'1";
    QTest::newRow("injection") << "x' or '1'='1";
}

void BranchWindowTest::listsTheBranchesOfItsBankOnly() {
    QFETCH(QString, bank);
    QVERIFY(TableCopy::exec("insert into BRANCH values ('9000', ?, 'สาขา', 'Quoted', '10')", {"0'1"}));
    open(bank);
    QCOMPARE(child<QLineEdit>(m_window.get(), "edtBankCode")->text(), bank);
    QStringList shown = gridColumn(m_window.get(), 0);
    shown.sort();
    QCOMPARE(shown, branchesOf(bank));
    if (shown.isEmpty()) {
        for (const char* name : {"bEdit", "bView", "bDelete"}) {
            child<QPushButton>(m_window.get(), name)->click();
            QVERIFY2(!onDetailPage(m_window.get()), name);
        }
        QVERIFY(m_dialogs.asked.isEmpty());
    }
}

void BranchWindowTest::newBranchCarriesTheBankCode() {
    const QString bank = QStringLiteral("0'1");
    QVERIFY(TableCopy::exec("insert into Bank values (?, 'ธนาคาร', 'Quoted Bank')", {bank}));
    open(bank);
    press(m_window.get(), Qt::Key_F1);
    fill(m_window.get(), {"a12", "", " ", "20"});
    press(m_window.get(), Qt::Key_F9);
    QCOMPARE(message(m_window.get()),
             QStringLiteral("* Please Input Branch Name Thai , Branch Name English "));
    fill(m_window.get(), {QString(), "สาขาใหม่", "New Branch"});
    press(m_window.get(), Qt::Key_F9);
    QVERIFY(!onDetailPage(m_window.get()));
    QCOMPARE(branchesOf(bank), QStringList{"A12"});
    QCOMPARE(gridColumn(m_window.get(), 0), QStringList{"A12"});
    QCOMPARE(TableCopy::column("select BRANCH_NAME_TH || '|' || REGION_CODE from BRANCH where BANK_CODE = ?",
                               {bank}),
             QStringList{"สาขาใหม่|20"});
}

void BranchWindowTest::branchCodeIsUniqueWithinItsBank() {
    open("006");
    // "0001" stands under other banks already; under this one it is new.
    for (const QString& code : {QStringLiteral("0001"), QStringLiteral("0001")}) {
        child<QPushButton>(m_window.get(), "bNew")->click();
        fill(m_window.get(), {code, "สาขา", "Branch", "10"});
        child<QPushButton>(m_window.get(), "bSave")->click();
    }
    QCOMPARE(message(m_window.get()), QStringLiteral("* Post Error."));
    QVERIFY(onDetailPage(m_window.get()));
    fill(m_window.get(), {"0002"});
    child<QPushButton>(m_window.get(), "bSave")->click();
    QVERIFY(!onDetailPage(m_window.get()));
    QCOMPARE(branchesOf("006"), (QStringList{"0001", "0002", "0010"}));
    QCOMPARE(branchesOf("014"), (QStringList{"0001", "0111", "0234"}));
    QCOMPARE(grid(m_window.get())->model()->rowCount(), 3);
}

void BranchWindowTest::reloadsOnActivation() {
    open("014");
    QVERIFY(TableCopy::exec("delete from BRANCH where BRANCH_CODE = '0111'"));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_window.get(), &activate);
    QCOMPARE(gridColumn(m_window.get(), 0), (QStringList{"0001", "0234"}));
}

void BranchWindowTest::branchButtonDoesNothingAndEscCloses() {
    open("014");
    auto* branch = child<QPushButton>(m_window.get(), "bBranch");
    QVERIFY(branch->text().isEmpty());
    branch->click();
    QVERIFY(m_window->isVisible());
    QVERIFY(!onDetailPage(m_window.get()));
    press(m_window.get(), Qt::Key_F4);
    press(m_window.get(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    press(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Rejected));
}

QTEST_MAIN(BranchWindowTest)
#include "BranchWindowTest.moc"
