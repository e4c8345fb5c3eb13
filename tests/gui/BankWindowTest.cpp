#include <QAbstractItemModelTester>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

#include "maintenance/BankWindow.h"
#include "maintenance/BranchWindow.h"
#include "maintenance/MaintenanceForm.h"
#include "MaintenanceTestSupport.h"

using convertor::BankWindow;
using convertor::BranchWindow;

namespace {

const QString kBanks = QStringLiteral("select BANK_CODE from Bank order by BANK_CODE");
const QStringList kSeedCodes{"004", "006", "011", "014", "025"};

}  // namespace

class BankWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusesMissingBlankAndForeignFields_data();
    void refusesMissingBlankAndForeignFields();
    void savesTrimmedUpperCaseAndReloads();
    void editKeepsTheCode();
    void postErrorOnDuplicateCode();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deleteRefusedByTheTable();
    void functionKeysOnlyWhenTheirButtonIsEnabled();
    void enterMovesOnAndEscClosesTheWindow();
    void doubleClickEdits();
    void reloadsOnActivationButKeepsAnEdit();
    void emptyListIgnoresEditViewDeleteBranch();
    void branchOpensTheBranchesOfTheCurrentBank();
    void everyControlHasAName();
    void gridsScrollSidewaysOnlyWhenNarrowed();
    void insideTheFrameReloadsOnActivationAndCloses();

private:
    void selectCode(const QString& code);

    std::unique_ptr<TableCopy> m_tables;
    DialogRecorder m_dialogs;
    QPointer<BankWindow> m_window;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void BankWindowTest::init() {
    m_tables = std::make_unique<TableCopy>();
    QVERIFY(m_tables->ok());
    m_dialogs = DialogRecorder{};
    m_window = new BankWindow;
    m_window->setDialogs(m_dialogs.dialogs());
    m_tester = std::make_unique<QAbstractItemModelTester>(
        grid(m_window)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->resize(900, 600);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void BankWindowTest::cleanup() {
    m_tester.reset();
    delete m_window;
    m_tables.reset();
}

void BankWindowTest::selectCode(const QString& code) {
    const int row = gridColumn(m_window, 0).indexOf(code);
    QVERIFY(row >= 0);
    grid(m_window)->setCurrentIndex(grid(m_window)->model()->index(row, 0));
}

void BankWindowTest::refusesMissingBlankAndForeignFields_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all empty") << QStringList{"", "", ""}
                               << "* Please Input Bank Code , Bank Name Thai , Bank Name English ";
    QTest::newRow("blank code") << QStringList{"   ", "ธนาคาร", "Bank"} << "* Please Input Bank Code ";
    QTest::newRow("blank names") << QStringList{"099", " ", "  "}
                                 << "* Please Input Bank Name Thai , Bank Name English ";
    QTest::newRow("Chinese name") << QStringList{"099", "银行", "Bank"}
                                  << "* Only Thai and English characters can be stored: Bank Name Thai";
}

void BankWindowTest::refusesMissingBlankAndForeignFields() {
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);
    child<QPushButton>(m_window, "bNew")->click();
    fill(m_window, texts);
    child<QPushButton>(m_window, "bSave")->click();
    QCOMPARE(message(m_window), expected);
    QVERIFY(onDetailPage(m_window));
    QVERIFY(child<QPushButton>(m_window, "bSave")->isEnabled());
    QCOMPARE(TableCopy::column(kBanks), kSeedCodes);
}

void BankWindowTest::savesTrimmedUpperCaseAndReloads() {
    child<QPushButton>(m_window, "bNew")->click();
    QVERIFY(field(m_window, 1)->hasFocus());
    fill(m_window, {" ab9 ", "  ธนาคารใหม่ ", " Another bank  "});
    QCOMPARE(field(m_window, 1)->text(), QStringLiteral(" AB9 "));
    // A row added elsewhere meanwhile shows up with the saved one.
    QVERIFY(TableCopy::exec("insert into Bank values ('777', 'ธนาคารอื่น', 'Zulu Bank')"));
    child<QPushButton>(m_window, "bSave")->click();
    QVERIFY(!onDetailPage(m_window));
    QCOMPARE(
        TableCopy::column("select BANK_NAME_TH || '|' || BANK_NAME_EN from Bank where BANK_CODE = 'AB9'"),
        QStringList{"ธนาคารใหม่|Another bank"});
    // Sorted by the English name; the saved row is the current one.
    QCOMPARE(gridColumn(m_window, 0), (QStringList{"AB9", "004", "025", "014", "006", "011", "777"}));
    QCOMPARE(grid(m_window)->currentIndex().row(), 0);
    QVERIFY(child<QPushButton>(m_window, "bNew")->isEnabled());
}

void BankWindowTest::editKeepsTheCode() {
    selectCode("006");
    child<QPushButton>(m_window, "bEdit")->click();
    QVERIFY(!field(m_window, 1)->isEnabled());
    QVERIFY(field(m_window, 2)->hasFocus());
    QCOMPARE(field(m_window, 1)->text(), QStringLiteral("006"));
    fill(m_window, {QString(), QString(), "Renamed Savings"});
    child<QPushButton>(m_window, "bSave")->click();
    QCOMPARE(TableCopy::column("select BANK_NAME_EN from Bank where BANK_CODE = '006'"),
             QStringList{"Renamed Savings"});
    QCOMPARE(TableCopy::column(kBanks), kSeedCodes);
}

void BankWindowTest::postErrorOnDuplicateCode() {
    child<QPushButton>(m_window, "bNew")->click();
    fill(m_window, {"014", "ซ้ำ", "Duplicate"});
    child<QPushButton>(m_window, "bSave")->click();
    QCOMPARE(message(m_window), QStringLiteral("* Post Error."));
    QVERIFY(onDetailPage(m_window));
    // The operator corrects the code and saves again.
    fill(m_window, {"015"});
    child<QPushButton>(m_window, "bSave")->click();
    QVERIFY(!onDetailPage(m_window));
    QCOMPARE(TableCopy::column(kBanks), (QStringList{"004", "006", "011", "014", "015", "025"}));
    QCOMPARE(TableCopy::column("select BANK_NAME_EN from Bank where BANK_CODE = '014'"),
             QStringList{"Sample Home Bank"});
}

void BankWindowTest::deleteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes") << true << QStringList{"004", "006", "014", "025"};
    QTest::newRow("no") << false << kSeedCodes;
}

void BankWindowTest::deleteAsksFirst() {
    QFETCH(bool, yes);
    QFETCH(QStringList, left);
    m_dialogs.answer = yes;
    selectCode("011");
    child<QPushButton>(m_window, "bDelete")->click();
    QCOMPARE(m_dialogs.asked, QStringList{"ยืนยันการลบข้อมูล ?"});
    QVERIFY(m_dialogs.warned.isEmpty());
    QCOMPARE(TableCopy::column(kBanks), left);
    QCOMPARE(grid(m_window)->model()->rowCount(), left.size());
}

void BankWindowTest::deleteRefusedByTheTable() {
    QVERIFY(
        TableCopy::exec("create trigger keep before delete on Bank begin select raise(abort, 'kept'); end"));
    child<QPushButton>(m_window, "bDelete")->click();
    QCOMPARE(m_dialogs.warned, QStringList{"ไม่สามารถทำการลบข้อมูลนี้ได้"});
    QCOMPARE(TableCopy::column(kBanks), kSeedCodes);
    QCOMPARE(grid(m_window)->model()->rowCount(), 5);
}

void BankWindowTest::functionKeysOnlyWhenTheirButtonIsEnabled() {
    QAbstractItemModel* model = grid(m_window)->model();
    press(m_window, Qt::Key_F9);  // nothing to save in browse mode
    QVERIFY(!onDetailPage(m_window));
    QCOMPARE(message(m_window), QStringLiteral("Message : "));

    press(m_window, Qt::Key_F1);
    QVERIFY(onDetailPage(m_window));
    QCOMPARE(model->rowCount(), 6);
    fill(m_window, {"X1"});
    press(m_window, Qt::Key_F1);  // New is disabled: the row is neither posted nor doubled
    QCOMPARE(model->rowCount(), 6);
    press(m_window, Qt::Key_F3);
    QVERIFY(m_dialogs.asked.isEmpty());
    press(m_window, Qt::Key_F9);
    QCOMPARE(message(m_window), QStringLiteral("* Please Input Bank Name Thai , Bank Name English "));
    press(m_window, Qt::Key_Escape);  // Back on the detail page cancels
    QVERIFY(!onDetailPage(m_window));
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(TableCopy::column(kBanks), kSeedCodes);

    press(m_window, Qt::Key_F2);
    QVERIFY(onDetailPage(m_window));
    QVERIFY(child<QPushButton>(m_window, "bSave")->isEnabled());
    press(m_window, Qt::Key_Escape);

    press(m_window, Qt::Key_F4);
    QVERIFY(onDetailPage(m_window));
    QVERIFY(!field(m_window, 2)->isEnabled());
    QVERIFY(!child<QPushButton>(m_window, "bSave")->isEnabled());
    QVERIFY(!child<QPushButton>(m_window, "bCancel")->isEnabled());
    press(m_window, Qt::Key_F9);
    QCOMPARE(message(m_window), QString());
    press(m_window, Qt::Key_Escape);
    QVERIFY(!onDetailPage(m_window));

    m_dialogs.answer = false;
    press(m_window, Qt::Key_F3);
    QCOMPARE(m_dialogs.asked.size(), 1);
}

void BankWindowTest::enterMovesOnAndEscClosesTheWindow() {
    child<QPushButton>(m_window, "bNew")->click();
    QVERIFY(field(m_window, 1)->hasFocus());
    press(m_window, Qt::Key_Return);
    QVERIFY(field(m_window, 2)->hasFocus());
    QVERIFY(onDetailPage(m_window));
    press(m_window, Qt::Key_Escape);
    QVERIFY(m_window);
    press(m_window, Qt::Key_Escape);  // Back on the grid page closes and destroys the window
    QTRY_VERIFY(!m_window);
}

void BankWindowTest::doubleClickEdits() {
    QTableView* view = grid(m_window);
    const QRect cell = view->visualRect(view->model()->index(2, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(onDetailPage(m_window));
    QCOMPARE(field(m_window, 1)->text(), view->model()->index(2, 0).data().toString());
    QVERIFY(!field(m_window, 1)->isEnabled());
}

void BankWindowTest::reloadsOnActivationButKeepsAnEdit() {
    QVERIFY(TableCopy::exec("insert into Bank values ('777', 'ธนาคารอื่น', 'Zulu Bank')"));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_window, &activate);
    QCOMPARE(grid(m_window)->model()->rowCount(), 6);

    child<QPushButton>(m_window, "bNew")->click();
    fill(m_window, {"888", "ใหม่", "New"});
    QVERIFY(TableCopy::exec("delete from Bank where BANK_CODE = '777'"));
    QApplication::sendEvent(m_window, &activate);
    QCOMPARE(field(m_window, 1)->text(), QStringLiteral("888"));
    child<QPushButton>(m_window, "bSave")->click();
    QCOMPARE(TableCopy::column(kBanks), (QStringList{"004", "006", "011", "014", "025", "888"}));
}

void BankWindowTest::emptyListIgnoresEditViewDeleteBranch() {
    QVERIFY(TableCopy::exec("delete from Bank"));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_window, &activate);
    QCOMPARE(grid(m_window)->model()->rowCount(), 0);
    for (const char* name : {"bEdit", "bView", "bDelete", "bBranch"}) {
        child<QPushButton>(m_window, name)->click();
        QVERIFY2(!onDetailPage(m_window), name);
    }
    QVERIFY(m_dialogs.asked.isEmpty());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void BankWindowTest::branchOpensTheBranchesOfTheCurrentBank() {
    selectCode("014");
    QString openedFor;
    int rows = -1;
    QTimer::singleShot(0, this, [&] {
        if (auto* branches = qobject_cast<BranchWindow*>(QApplication::activeModalWidget())) {
            openedFor = branches->bankCode();
            rows = grid(branches)->model()->rowCount();
            press(branches, Qt::Key_Escape);
        }
    });
    child<QPushButton>(m_window, "bBranch")->click();
    QCOMPARE(openedFor, QStringLiteral("014"));
    QCOMPARE(rows, 3);
    QVERIFY(m_window->findChildren<BranchWindow*>().isEmpty());
}

void BankWindowTest::everyControlHasAName() {
    QCOMPARE(namelessControls(m_window), QStringList());
    child<QPushButton>(m_window, "bNew")->click();
    QCOMPARE(namelessControls(m_window), QStringList());
    BranchWindow branches("014", "ธนาคาร", "Bank");
    branches.show();
    QCOMPARE(namelessControls(&branches), QStringList());
    child<QPushButton>(&branches, "bView")->click();
    QCOMPARE(namelessControls(&branches), QStringList());
}

void BankWindowTest::gridsScrollSidewaysOnlyWhenNarrowed() {
    // Names that fit beside the other columns at the windows' sizes, but not in narrowed ones.
    const QString longName(30, QLatin1Char('W'));
    QVERIFY(TableCopy::exec("insert into Bank values ('777', 'ธนาคาร', ?)", {longName}));
    QVERIFY(TableCopy::exec("insert into BRANCH values ('9000', '014', 'สาขา', ?, '10')", {longName}));
    // Each window at the size it opens at: on its own, and the bank window filling a frame.
    BankWindow alone;
    QMdiArea frame;
    frame.resize(1024, 700);
    QPointer<BankWindow> framed = new BankWindow;
    frame.addSubWindow(framed)->showMaximized();
    BranchWindow branches("014", "ธนาคาร", "Bank");
    for (QWidget* window :
         {static_cast<QWidget*>(&alone), static_cast<QWidget*>(framed), static_cast<QWidget*>(&branches)}) {
        window->window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->window()));
        QScrollBar* bar = grid(window)->horizontalScrollBar();
        const QString name = window->objectName() + (window == framed ? " in the frame" : "");
        // Every activation reloads the rows and sizes the columns again.
        QEvent activate(QEvent::WindowActivate);
        for (int i = 0; i < 3; ++i) {
            QApplication::sendEvent(window, &activate);
        }
        QTest::qWait(50);
        QVERIFY2(!bar->isVisible(), qPrintable(name));
        // Narrowed below its texts, the grid scrolls rather than cuts them off.
        window->window()->resize(300, window->window()->height());
        QTRY_VERIFY2(bar->isVisible(), qPrintable(name));
    }
}

void BankWindowTest::insideTheFrameReloadsOnActivationAndCloses() {
    QMdiArea frame;
    QPointer<QMdiSubWindow> bankFrame = frame.addSubWindow(m_window);
    QMdiSubWindow* otherFrame = frame.addSubWindow(new QWidget);
    frame.show();
    bankFrame->showMaximized();
    otherFrame->show();
    frame.setActiveSubWindow(otherFrame);
    QVERIFY(TableCopy::exec("insert into Bank values ('777', 'ธนาคารอื่น', 'Zulu Bank')"));
    frame.setActiveSubWindow(bankFrame);
    QCOMPARE(grid(m_window)->model()->rowCount(), 6);
    grid(m_window)->setFocus();
    press(m_window, Qt::Key_Escape);
    QTRY_VERIFY(!m_window);
    QTRY_VERIFY(!bankFrame);
    QCOMPARE(frame.subWindowList().size(), 1);
}

QTEST_MAIN(BankWindowTest)
#include "BankWindowTest.moc"
