#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "app/LoginWindow.h"
#include "app/MessageSink.h"
#include "convert/DataDirectory.h"
#include "converter/ConverterWindow.h"
#include "history/HistoryWindow.h"
#include "maintenance/BankWindow.h"
#include "maintenance/TableConnection.h"

namespace convertor {

MainWindow::MainWindow(std::filesystem::path home, QWidget* parent) : QMainWindow(parent) {
    setObjectName("fmMain");
    setWindowTitle(QStringLiteral("ZVB"));

    // Before any window opens a table. A missing database is reported by the first table opened.
    const auto database = databaseFile(home);
    openTableConnection(QString::fromStdString(database.string()));

    m_frame = new QMdiArea(this);
    m_frame->setObjectName("mdiFrame");
    setCentralWidget(m_frame);

    QMenu* menu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* login = menu->addAction(QStringLiteral("&Log in..."), this, &MainWindow::openLogin);
    login->setObjectName("actLogin");
    login->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menu->addAction(QStringLiteral("Run &History..."), this, &MainWindow::showHistoryWindow)
        ->setObjectName("actRunHistory");
    menu->addSeparator();
    QAction* exit = menu->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_converter = new ConverterWindow(std::move(home));
    m_converterFrame = m_frame->addSubWindow(m_converter);
    m_converterFrame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_converterFrame->showMaximized();
    connect(m_converter, &ConverterWindow::runFinished, this, [this] {
        if (m_history) {
            m_history->reload();
        }
    });
    // The converter window is not resized: brought back from its icon, it fills the frame again.
    connect(m_converterFrame, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                if (!(now & (Qt::WindowMinimized | Qt::WindowMaximized))) {
                    m_converterFrame->showMaximized();
                }
            });
    // The images are registered by the converter window; every window shows the program's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/convertor.png")));

    m_login = new LoginWindow(this);
    m_login->hide();
}

BankWindow* MainWindow::bankWindow() const {
    return m_bank;
}

HistoryWindow* MainWindow::historyWindow() const {
    return m_history;
}

void MainWindow::showHistoryWindow() {
    if (!m_history) {
        m_history = new HistoryWindow;
        m_frame->addSubWindow(m_history)->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (auto* frame = qobject_cast<QMdiSubWindow*>(m_history->parentWidget())) {
        frame->showMaximized();
        m_frame->setActiveSubWindow(frame);
        frame->raise();
    }
}

void MainWindow::openLogin() {
    const bool accepted = m_login->exec() == QDialog::Accepted;
    m_login->clearFields();
    if (accepted) {
        showBankWindow();
    }
}

void MainWindow::showBankWindow() {
    if (!m_bank) {
        m_bank = new BankWindow;
        QMdiSubWindow* frame = m_frame->addSubWindow(m_bank);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    auto* frame = qobject_cast<QMdiSubWindow*>(m_bank->parentWidget());
    frame->showMaximized();
    m_frame->setActiveSubWindow(frame);
    frame->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A run cannot be broken off; the program waits for it to end.
    if (m_converter->isRunning()) {
        showMessage(this, QStringLiteral(
                              "A conversion is running. Please wait until it ends, then close the program"));
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

}  // namespace convertor
