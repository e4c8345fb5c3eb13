#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace convertor {

// The login in front of the bank and branch maintenance. It only checks the
// credentials; the main window opens the bank window when the login is accepted.
class LoginWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kUser = "TRELM";
    static constexpr const char* kPassword = "7";

    explicit LoginWindow(QWidget* parent = nullptr);

    // Every login starts blank.
    void clearFields();

public slots:
    void bntOkClick();
    void bntCancelClick();

private:
    QLineEdit* m_edtUser = nullptr;
    QLineEdit* m_edtPassword = nullptr;
    QPushButton* m_bntOk = nullptr;
    QPushButton* m_bntCancel = nullptr;
};

}  // namespace convertor
