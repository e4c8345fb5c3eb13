#include "maintenance/BankWindow.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QTableView>
#include <QVBoxLayout>

#include "maintenance/BoundTableModel.h"
#include "maintenance/BranchWindow.h"
#include "maintenance/MaintenanceForm.h"
#include "refdata/Schema.h"

namespace convertor {

namespace {

MaintenanceFields bankFields() {
    using namespace schema::bank;
    return {
        {kCode, QStringLiteral("Bank Code"), QStringLiteral("Bank Code"), QStringLiteral("*Bank Code"), true},
        {kNameTh, QStringLiteral("Bank Name thai"), QStringLiteral("Bank Name Thai : "),
         QStringLiteral("*Bank Name Thai"), false},
        {kNameEn, QStringLiteral("Bank Name English"), QStringLiteral("Bank Name English"),
         QStringLiteral("*Bank Name English"), false},
    };
}

}  // namespace

BankWindow::BankWindow(QWidget* parent)
    : QWidget(parent), m_form(new MaintenanceForm(schema::bank::kTable, bankFields(), true, this)) {
    setObjectName(QStringLiteral("fmBank"));
    setWindowTitle(QStringLiteral("Bank ::"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 600);  // the columns of the banks fit beside each other
    m_form->addTitleStrip(QStringLiteral(" Bank ::"));

    m_form->grid()->setAccessibleName(QStringLiteral("Banks"));
    BoundTableModel* model = m_form->model();
    model->setSort(model->fieldIndex(schema::bank::kNameEn), Qt::AscendingOrder);
    m_form->reload();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    m_form->watchKeys(this);

    connect(m_form->grid(), &QTableView::doubleClicked, m_form, [this] {
        if (m_form->isBrowsing()) {
            m_form->editRecord();
        }
    });
    connect(m_form, &MaintenanceForm::branchRequested, this, &BankWindow::openBranches);
    connect(m_form, &MaintenanceForm::closeRequested, this, &BankWindow::closeWindow);
}

void BankWindow::setDialogs(const MaintenanceDialogs& dialogs) {
    m_form->setDialogs(dialogs);
}

bool BankWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            reloadWhenBrowsing();
            break;
        case QEvent::ParentChange:
            // Inside a frame the window is activated through its frame window.
            if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
                connect(frame, &QMdiSubWindow::aboutToActivate, this, &BankWindow::reloadWhenBrowsing,
                        Qt::UniqueConnection);
            }
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void BankWindow::reloadWhenBrowsing() {
    // A reload during an edit would throw away the row being typed.
    if (m_form->isBrowsing()) {
        m_form->reload();
    }
}

void BankWindow::openBranches() {
    BoundTableModel* model = m_form->model();
    const int row = m_form->currentRow();
    auto value = [&](const char* column) {
        return model->data(model->index(row, model->fieldIndex(column))).toString();
    };
    BranchWindow branches(value(schema::bank::kCode), value(schema::bank::kNameTh),
                          value(schema::bank::kNameEn), this);
    branches.setDialogs(m_form->dialogs());
    branches.exec();
    reloadWhenBrowsing();
}

void BankWindow::closeWindow() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->close();
    } else {
        close();
    }
}

}  // namespace convertor
