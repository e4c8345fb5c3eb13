#include "BankWindow.h"

namespace convertor {

BankWindow::BankWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("fmBank");
    setWindowTitle("Bank");
}

}  // namespace convertor
