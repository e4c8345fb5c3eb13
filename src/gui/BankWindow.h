#pragma once

#include <QWidget>

namespace convertor {

// The bank maintenance window, a child window of the main window's frame.
class BankWindow : public QWidget {
    Q_OBJECT

public:
    explicit BankWindow(QWidget* parent = nullptr);
};

}  // namespace convertor
