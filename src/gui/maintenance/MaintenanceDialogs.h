#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace convertor {

// The message boxes of the maintenance windows, replaceable so that tests need no modal box.
struct MaintenanceDialogs {
    // Yes and No; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> confirm;
    // A warning with OK.
    std::function<void(QWidget* parent, const QString& text)> warn;

    static MaintenanceDialogs standard();
};

}  // namespace convertor
