#include "app/LoginWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace convertor {

LoginWindow::LoginWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPassword");
    setWindowTitle(QStringLiteral("Log in"));

    m_edtUser = new QLineEdit(this);
    m_edtUser->setObjectName("edtUser");
    // Letters become upper case as they are typed; the cursor stays where it was.
    connect(m_edtUser, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = m_edtUser->cursorPosition();
            m_edtUser->setText(upper);
            m_edtUser->setCursorPosition(cursor);
        }
    });
    m_edtPassword = new QLineEdit(this);
    m_edtPassword->setObjectName("edtPassword");
    m_edtPassword->setEchoMode(QLineEdit::Password);
    // "*" for every character, whatever the style would draw.
    m_edtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    auto* form = new QFormLayout;
    auto* userLabel = new QLabel(QStringLiteral("User Name"), this);
    userLabel->setObjectName("Label1");
    userLabel->setBuddy(m_edtUser);
    auto* passwordLabel = new QLabel(QStringLiteral("Password"), this);
    passwordLabel->setObjectName("Label2");
    passwordLabel->setBuddy(m_edtPassword);
    form->addRow(userLabel, m_edtUser);
    form->addRow(passwordLabel, m_edtPassword);

    m_bntOk = new QPushButton(QStringLiteral("OK"), this);
    m_bntOk->setObjectName("bntOk");
    m_bntOk->setDefault(true);
    m_bntCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_bntCancel->setObjectName("bntCancel");
    connect(m_bntOk, &QPushButton::clicked, this, &LoginWindow::bntOkClick);
    connect(m_bntCancel, &QPushButton::clicked, this, &LoginWindow::bntCancelClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bntOk);
    buttons->addWidget(m_bntCancel);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
    setFixedWidth(320);
}

void LoginWindow::clearFields() {
    m_edtUser->clear();
    m_edtPassword->clear();
}

void LoginWindow::bntOkClick() {
    // A mismatch gives no message: the window stays as it is.
    if (m_edtUser->text() == QLatin1String(kUser) && m_edtPassword->text() == QLatin1String(kPassword)) {
        accept();
    }
}

void LoginWindow::bntCancelClick() {
    reject();
}

}  // namespace convertor
