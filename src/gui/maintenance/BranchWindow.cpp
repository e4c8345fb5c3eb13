#include "maintenance/BranchWindow.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <array>
#include <utility>

#include "maintenance/BoundTableModel.h"
#include "maintenance/MaintenanceForm.h"
#include "refdata/Schema.h"

namespace convertor {

namespace {

MaintenanceFields branchFields() {
    using namespace schema::branch;
    return {
        {kCode, QStringLiteral("Branch Code"), QStringLiteral("Branch Code"), QStringLiteral("*Branch Code"),
         true},
        {kNameTh, QStringLiteral("Branch Name Thai"), QStringLiteral("Branch Name Thai"),
         QStringLiteral("*Branch Name Thai"), false},
        {kNameEn, QStringLiteral("Branch Name English"), QStringLiteral("Branch Name English"),
         QStringLiteral("*Branch Name English"), false},
        {kRegionCode, QStringLiteral("Region Code"), QStringLiteral("Region Code"),
         QStringLiteral("*Region Code"), false},
    };
}

}  // namespace

BranchWindow::BranchWindow(const QString& bankCode, const QString& bankNameTh, const QString& bankNameEn,
                           QWidget* parent)
    : QDialog(parent),
      m_bankCode(bankCode),
      m_form(new MaintenanceForm(schema::branch::kTable, branchFields(), false, this)) {
    setObjectName(QStringLiteral("fmBranch"));
    setWindowTitle(QStringLiteral("Branch ::"));
    setModal(true);
    resize(900, 600);
    m_form->addTitleStrip(QStringLiteral(" Branch ::"));
    m_form->addHeader(makeBankHeader(bankNameTh, bankNameEn));

    BoundTableModel* model = m_form->model();
    model->setHeaderData(model->fieldIndex(schema::branch::kBankCode), Qt::Horizontal,
                         QStringLiteral("Bank Code"));
    m_form->grid()->setAccessibleName(QStringLiteral("Branches of bank %1").arg(bankCode));
    model->setBoundFilter(schema::branch::kBankCode, bankCode);
    m_form->setNewRowValue(schema::branch::kBankCode, bankCode);
    m_form->reload();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    m_form->watchKeys(this);
    connect(m_form, &MaintenanceForm::closeRequested, this, &QDialog::reject);
}

QWidget* BranchWindow::makeBankHeader(const QString& nameTh, const QString& nameEn) {
    auto* box = new QGroupBox(this);
    auto* form = new QFormLayout(box);
    const std::array<std::pair<QString, QString>, 3> rows{{
        {QStringLiteral("Bank Code : "), m_bankCode},
        {QStringLiteral("Bank Name Thai : "), nameTh},
        {QStringLiteral("Bank Name English : "), nameEn},
    }};
    const std::array<const char*, 3> names{"edtBankCode", "edtBankNameTh", "edtBankNameEn"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* edit = new QLineEdit(rows.at(i).second, box);
        edit->setObjectName(QString::fromLatin1(names.at(i)));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        auto* label = new QLabel(rows.at(i).first, box);
        label->setBuddy(edit);
        form->addRow(label, edit);
    }
    return box;
}

void BranchWindow::setDialogs(const MaintenanceDialogs& dialogs) {
    m_form->setDialogs(dialogs);
}

bool BranchWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && m_form->isBrowsing()) {
        m_form->reload();
    }
    return QDialog::event(event);
}

void BranchWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace convertor
