#include "converter/ReformatControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// Resources of a static library are registered by hand, outside any namespace.
static void initImages() {
    Q_INIT_RESOURCE(images);
}

namespace convertor {

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength = 32767) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QWidget* buddy = nullptr) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setBuddy(buddy);
    return result;
}

template <typename Button>
Button* button(QWidget* parent, const char* name, const QString& text) {
    auto* result = new Button(text, parent);
    result->setObjectName(name);
    return result;
}

}  // namespace

ReformatControls::ReformatControls(QWidget* window, const QString& version) {
    initImages();
    auto* group = new QGroupBox(QStringLiteral("Reformat Data"), window);
    group->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(group);

    edtComId = lineEdit(group, "edtComId", 12);
    edtDebitAcct = lineEdit(group, "edtDebitAcct", 25);
    edtFeeAcct = lineEdit(group, "edtFeeAcct", 25);
    btnCopyAcct = button<QPushButton>(group, "btnCopyAcct", QStringLiteral("Copy Debit Account"));
    label5 = label(group, "Label5", QStringLiteral("Debit Account"), edtDebitAcct);
    label9 = label(group, "Label9", QStringLiteral("Debit Fee Account"), edtFeeAcct);
    grid->addWidget(label(group, "Label4", QStringLiteral("Company ID"), edtComId), 0, 0);
    // The short entries as wide as their longest text; the fee account's button right beside it.
    const int digit = edtComId->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    edtComId->setFixedWidth(digit * 16);
    edtDebitAcct->setFixedWidth(digit * 30);
    edtFeeAcct->setFixedWidth(digit * 30);
    auto* fee = new QHBoxLayout;
    fee->addWidget(edtFeeAcct);
    fee->addWidget(btnCopyAcct);
    fee->addStretch();
    grid->addWidget(edtComId, 0, 1, Qt::AlignLeft);
    grid->addWidget(label5, 1, 0);
    grid->addWidget(edtDebitAcct, 1, 1, Qt::AlignLeft);
    grid->addWidget(label9, 2, 0);
    grid->addLayout(fee, 2, 1, 1, 2);

    // Two columns: Direct Credit above Payroll, Media Clearing above Manager Cheque.
    auto* productGrid = new QGridLayout;
    auto addProduct = [&](Product p, const char* name, const char* caption, int row, int column) {
        auto* radio = button<QRadioButton>(group, name, QString::fromLatin1(caption));
        products[static_cast<std::size_t>(p)] = radio;
        productGrid->addWidget(radio, row, column);
    };
    addProduct(Product::DirectCredit, "rbtDirect10m", "Direct Credit", 0, 0);
    addProduct(Product::Payroll, "rbtPay", "Payroll", 1, 0);
    addProduct(Product::MediaClearing, "rbtMedia", "Media Clearing", 0, 1);
    addProduct(Product::ManagerCheque, "rbtMcp", "Manager Cheque", 1, 1);
    grid->addWidget(label(group, "Label1", QStringLiteral("Product Name")), 3, 0, Qt::AlignTop);
    grid->addLayout(productGrid, 3, 1, 1, 2);

    edtSource = lineEdit(group, "edtSource");
    btnBrowse = button<QPushButton>(group, "btnBrowse", QStringLiteral("Browse"));
    label3 = label(group, "Label3", QStringLiteral("Source File Name"), edtSource);
    edtInvoice = lineEdit(group, "edtInvoice");
    btnInvoice = button<QPushButton>(group, "btnInvoice", QStringLiteral("Browse"));
    label6 = label(group, "Label6", QStringLiteral("Invoice File Name"), edtInvoice);
    edtDestination = lineEdit(group, "edtDestination");
    bntDestination = button<QPushButton>(group, "bntDestination", QStringLiteral("Browse"));
    // Three buttons captioned alike: a screen reader tells them apart by what they choose.
    btnBrowse->setAccessibleName(QStringLiteral("Browse for the source file"));
    btnInvoice->setAccessibleName(QStringLiteral("Browse for the invoice file"));
    bntDestination->setAccessibleName(QStringLiteral("Browse for the destination file"));
    edtHashValue = lineEdit(group, "edtHashValue");
    edtHashValue->setReadOnly(true);
    edtHashValue->setFrame(false);
    grid->addWidget(label3, 4, 0);
    grid->addWidget(edtSource, 4, 1);
    grid->addWidget(btnBrowse, 4, 2);
    grid->addWidget(label6, 5, 0);
    grid->addWidget(edtInvoice, 5, 1);
    grid->addWidget(btnInvoice, 5, 2);
    grid->addWidget(label(group, "Label2", QStringLiteral("Destination File Name"), edtDestination), 6, 0);
    grid->addWidget(edtDestination, 6, 1);
    grid->addWidget(bntDestination, 6, 2);
    grid->addWidget(label(group, "Label7", QStringLiteral("Hash Value"), edtHashValue), 7, 0);
    grid->addWidget(edtHashValue, 7, 1, 1, 2);

    checkBox1 = button<QCheckBox>(group, "CheckBox1", QStringLiteral("Print detail"));
    grid->addWidget(checkBox1, 8, 1);
    btnAction = button<QPushButton>(group, "btnAction", QStringLiteral("Reformat Data"));
    bntClearForm = button<QPushButton>(group, "bntClearForm", QStringLiteral("Clear Form"));
    auto* actions = new QHBoxLayout;
    actions->addWidget(btnAction);
    actions->addWidget(bntClearForm);
    actions->addStretch();
    grid->addLayout(actions, 9, 1, 1, 2);
    grid->addWidget(label(group, "Label8", QStringLiteral("Version : %1").arg(version)), 10, 0, 1, 3,
                    Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    group->setMinimumWidth(760);
    group->setMaximumWidth(900);

    pgbState = new QProgressBar(window);
    pgbState->setObjectName("pgbState");
    pgbState->setRange(0, 100);
    pgbState->setValue(0);
    pgbState->setAccessibleName(QStringLiteral("Progress"));

    auto* column = new QVBoxLayout(window);
    column->addWidget(buildPictures(window));
    column->addWidget(group, 0, Qt::AlignHCenter);
    column->addStretch();
    column->addWidget(pgbState);

    applyTabOrder();
}

QWidget* ReformatControls::buildPictures(QWidget* window) {
    auto* row = new QWidget(window);
    auto* layout = new QHBoxLayout(row);
    int n = 0;
    for (const char* file :
         {":/images/logo-waves.png", ":/images/logo-rings.png", ":/images/logo-steps.png"}) {
        auto* picture = new QLabel(row);
        picture->setObjectName(QStringLiteral("Image%1").arg(++n));
        picture->setPixmap(QPixmap(QString::fromLatin1(file)));
        picture->setAccessibleName(QStringLiteral("Logo"));
        layout->addWidget(picture);
        if (n < 3) {
            layout->addStretch();
        }
    }
    return row;
}

void ReformatControls::applyTabOrder() {
    QWidget* order[] = {edtSource,
                        btnBrowse,
                        edtDestination,
                        bntDestination,
                        product(Product::DirectCredit),
                        product(Product::MediaClearing),
                        btnAction,
                        bntClearForm,
                        edtComId,
                        edtDebitAcct,
                        product(Product::ManagerCheque),
                        edtInvoice,
                        btnInvoice,
                        edtHashValue,
                        product(Product::Payroll),
                        edtFeeAcct,
                        btnCopyAcct,
                        checkBox1};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

QRadioButton* ReformatControls::product(Product p) const {
    return products[static_cast<std::size_t>(p)];
}

}  // namespace convertor
