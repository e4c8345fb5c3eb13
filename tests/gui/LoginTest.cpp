#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "BankWindow.h"
#include "ConverterWindow.h"
#include "GuiTestSupport.h"
#include "LoginWindow.h"
#include "MainWindow.h"
#include "TableConnection.h"

using convertor::BankWindow;
using convertor::LoginWindow;
using convertor::MainWindow;
using convertor::test::child;

class LoginTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startUpBuildsTheFrame();
    void loginOpensOneBankWindow();
    void mismatchDoesNothingAndCancelCloses();
    void everyControlHasAnAccessibleName();

private:
    // Opens the login from the menu; while it is shown modally, act types into it. True when
    // the login was left open by act (then it is cancelled here).
    bool login(const std::function<void(LoginWindow*)>& act);
    int bankWindows() const { return m_main->frame()->findChildren<BankWindow*>().size(); }

    std::unique_ptr<convertor::test::TestHome> m_home;
    std::unique_ptr<MainWindow> m_main;
};

void LoginTest::init() {
    m_home = std::make_unique<convertor::test::TestHome>();
    m_main = std::make_unique<MainWindow>(m_home->home());
    m_main->resize(1000, 700);
    m_main->show();
}

void LoginTest::cleanup() {
    m_main.reset();
    m_home.reset();
}

bool LoginTest::login(const std::function<void(LoginWindow*)>& act) {
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

void LoginTest::startUpBuildsTheFrame() {
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
}

void LoginTest::loginOpensOneBankWindow() {
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

void LoginTest::mismatchDoesNothingAndCancelCloses() {
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

void LoginTest::everyControlHasAnAccessibleName() {
    QCOMPARE(convertor::test::namelessControls(m_main.get()), QStringList());
    LoginWindow* window = m_main->loginWindow();
    window->show();
    QCOMPARE(convertor::test::namelessControls(window), QStringList());
    window->hide();
}

QTEST_MAIN(LoginTest)
#include "LoginTest.moc"
