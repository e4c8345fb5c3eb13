#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "maintenance/BankWindow.h"
#include "converter/ConverterWindow.h"
#include "GuiTestSupport.h"
#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "report/ReportPreview.h"
#include "maintenance/TableConnection.h"
#include "base/Clock.h"

using convertor::BankWindow;
using convertor::LoginWindow;
using convertor::MainWindow;
using convertor::test::child;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startUpBuildsTheFrame();
    void loginOpensOneBankWindow();
    void mismatchDoesNothingAndCancelCloses();
    void everyControlHasAnAccessibleName();
    void closingWaitsForARunningConversion();

private:
    // Opens the login from the menu; while it is shown modally, act types into it. True when
    // the login was left open by act (then it is cancelled here).
    bool login(const std::function<void(LoginWindow*)>& act);
    int bankWindows() const { return m_main->frame()->findChildren<BankWindow*>().size(); }

    std::unique_ptr<convertor::test::TestHome> m_home;
    std::unique_ptr<MainWindow> m_main;
};

void MainWindowTest::init() {
    m_home = std::make_unique<convertor::test::TestHome>();
    m_main = std::make_unique<MainWindow>(m_home->home());
    m_main->resize(1000, 700);
    m_main->show();
}

void MainWindowTest::cleanup() {
    m_main.reset();
    m_home.reset();
}

bool MainWindowTest::login(const std::function<void(LoginWindow*)>& act) {
    LoginWindow* window = m_main->loginWindow();
    bool leftOpen = false;
    QTimer::singleShot(0, window, [&] {
        act(window);
        leftOpen = window->isVisible();
        if (leftOpen) {
            child<QPushButton>(window, "bntCancel")->click();
        }
    });
    m_main->findChild<QAction*>("actLogin")->trigger();
    return leftOpen;
}

void MainWindowTest::startUpBuildsTheFrame() {
    // A maximized child window adds its caption in brackets, as frames of child windows do.
    QVERIFY(m_main->windowTitle().startsWith("ZVB - [Convertor "));
    QVERIFY(QSqlDatabase::database(convertor::kTableConnection, false).isOpen());
    auto* converter = m_main->converterWindow();
    auto* frame = qobject_cast<QMdiSubWindow*>(converter->parentWidget());
    QVERIFY(frame && frame->isMaximized());
    QVERIFY(!m_main->loginWindow()->isVisible());
    QCOMPARE(m_main->findChild<QAction*>("actLogin")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    // Closing the converter window only minimizes it.
    frame->close();
    QCOMPARE(m_main->converterWindow(), converter);
    QVERIFY(frame->isMinimized());
    frame->showNormal();
    QTRY_VERIFY(frame->isMaximized());
}

void MainWindowTest::loginOpensOneBankWindow() {
    auto rightCredentials = [](LoginWindow* window) {
        QTest::keyClicks(child<QLineEdit>(window, "edtUser"), "trelm");
        QCOMPARE(child<QLineEdit>(window, "edtUser")->text(), QString("TRELM"));
        QTest::keyClicks(child<QLineEdit>(window, "edtPassword"), LoginWindow::kPassword);
        QCOMPARE(child<QLineEdit>(window, "edtPassword")->echoMode(), QLineEdit::Password);
        child<QPushButton>(window, "bntOk")->click();
    };
    QVERIFY(!login(rightCredentials));
    QVERIFY(m_main->bankWindow());
    QCOMPARE(bankWindows(), 1);
    QCOMPARE(m_main->frame()->activeSubWindow()->widget(), m_main->bankWindow());
    QVERIFY(child<QLineEdit>(m_main->loginWindow(), "edtUser")->text().isEmpty());
    QVERIFY(child<QLineEdit>(m_main->loginWindow(), "edtPassword")->text().isEmpty());

    QPointer<BankWindow> first = m_main->bankWindow();
    QVERIFY(!login(rightCredentials));
    QCOMPARE(bankWindows(), 1);
    QCOMPARE(m_main->bankWindow(), first.data());

    // Closed, the bank window is gone; the next login makes a new one.
    qobject_cast<QMdiSubWindow*>(first->parentWidget())->close();
    QTRY_VERIFY(!first);
    QCOMPARE(m_main->bankWindow(), nullptr);
    QVERIFY(!login(rightCredentials));
    QCOMPARE(bankWindows(), 1);
}

void MainWindowTest::mismatchDoesNothingAndCancelCloses() {
    auto typed = [](const char* user, const char* password) {
        return [=](LoginWindow* window) {
            QTest::keyClicks(child<QLineEdit>(window, "edtUser"), user);
            QTest::keyClicks(child<QLineEdit>(window, "edtPassword"), password);
            child<QPushButton>(window, "bntOk")->click();
        };
    };
    QVERIFY(login(typed("TRELM ", LoginWindow::kPassword)));
    QVERIFY(login(typed("TRELMX", LoginWindow::kPassword)));
    QVERIFY(login(typed("TRELM", "x")));
    QVERIFY(login(typed("TRELM", "77")));
    QCOMPARE(bankWindows(), 0);
    // After Cancel the next login starts blank.
    QVERIFY(login([](LoginWindow* window) {
        QVERIFY(child<QLineEdit>(window, "edtUser")->text().isEmpty());
        QVERIFY(child<QLineEdit>(window, "edtPassword")->text().isEmpty());
    }));
}

void MainWindowTest::everyControlHasAnAccessibleName() {
    QCOMPARE(convertor::test::namelessControls(m_main.get()), QStringList());
    LoginWindow* window = m_main->loginWindow();
    window->show();
    int controls = 0;
    QCOMPARE(convertor::test::namelessControls(window, &controls), QStringList());
    QCOMPARE(controls, 4);
    window->hide();
}

void MainWindowTest::closingWaitsForARunningConversion() {
    convertor::test::MessageRecorder recorder;
    convertor::ConverterWindow* form = m_main->converterWindow();
    form->setClock(std::make_unique<convertor::FixedClock>(convertor::Date{2030, 1, 2}));
    convertor::test::writeLargeDirectCredit(m_home->in("large.txt"), 300000);
    child<QRadioButton>(form, "rbtDirect10m")->click();
    child<QLineEdit>(form, "edtComId")->setText("ACME01");
    child<QLineEdit>(form, "edtDebitAcct")->setText("1234567896");
    child<QLineEdit>(form, "edtFeeAcct")->setText("1234567896");
    child<QLineEdit>(form, "edtSource")->setText(QString::fromStdString(m_home->in("large.txt").string()));
    child<QLineEdit>(form, "edtDestination")
        ->setText(QString::fromStdString(m_home->out("bank.txt").string()));
    QSignalSpy closed(m_main.get(), &MainWindow::closed);
    QSignalSpy finished(form, &convertor::ConverterWindow::runFinished);
    child<QPushButton>(form, "btnAction")->click();
    QVERIFY(form->isRunning());
    QVERIFY(!m_main->close());
    QVERIFY(m_main->isVisible());
    QCOMPARE(closed.count(), 0);
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(finished.wait(120000));
    delete form->lastPreview();
    QVERIFY(m_main->close());
    QCOMPARE(closed.count(), 1);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
