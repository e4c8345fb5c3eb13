#pragma once

#include <QMainWindow>
#include <QPointer>

#include <filesystem>

class QMdiArea;
class QMdiSubWindow;

namespace convertor {

class BankWindow;
class ConverterWindow;
class HistoryWindow;
class LoginWindow;

// The frame of the program: holds the converter window and the bank window as child
// windows, opens the table connection before any of them, and leads to the login.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(std::filesystem::path home, QWidget* parent = nullptr);

    ConverterWindow* converterWindow() const { return m_converter; }
    LoginWindow* loginWindow() const { return m_login; }
    // The open bank window, null when there is none.
    BankWindow* bankWindow() const;
    // The open run history window, null when there is none.
    HistoryWindow* historyWindow() const;
    QMdiArea* frame() const { return m_frame; }

signals:
    // The main window closed: the program ends.
    void closed();

public slots:
    // Shows the login modally; a successful one opens (or brings forward) the bank window. The
    // fields are emptied whenever the login closes.
    void openLogin();
    void showBankWindow();
    // Opens the run history window, or brings it forward.
    void showHistoryWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* m_frame = nullptr;
    ConverterWindow* m_converter = nullptr;
    QMdiSubWindow* m_converterFrame = nullptr;
    LoginWindow* m_login = nullptr;
    QPointer<BankWindow> m_bank;
    QPointer<HistoryWindow> m_history;
};

}  // namespace convertor
