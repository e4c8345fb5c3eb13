#pragma once

#include <QString>

#include <array>

#include "base/Product.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace convertor {

// The controls of the converter window, built into it with their object names, captions, maximum
// lengths, buddies and tab order. No behaviour: the window connects them.
struct ReformatControls {
    ReformatControls(QWidget* window, const QString& version);

    QRadioButton* product(Product p) const;

    QLabel* label3 = nullptr;
    QLabel* label5 = nullptr;
    QLabel* label6 = nullptr;
    QLabel* label9 = nullptr;
    QLineEdit* edtComId = nullptr;
    QLineEdit* edtDebitAcct = nullptr;
    QLineEdit* edtFeeAcct = nullptr;
    QLineEdit* edtSource = nullptr;
    QLineEdit* edtInvoice = nullptr;
    QLineEdit* edtDestination = nullptr;
    QLineEdit* edtHashValue = nullptr;
    QPushButton* btnCopyAcct = nullptr;
    QPushButton* btnBrowse = nullptr;
    QPushButton* btnInvoice = nullptr;
    QPushButton* bntDestination = nullptr;
    QPushButton* btnAction = nullptr;
    QPushButton* bntClearForm = nullptr;
    std::array<QRadioButton*, 4> products{};  // indexed by Product
    QCheckBox* checkBox1 = nullptr;
    QProgressBar* pgbState = nullptr;

private:
    QWidget* buildPictures(QWidget* window);
    void applyTabOrder();
};

}  // namespace convertor
