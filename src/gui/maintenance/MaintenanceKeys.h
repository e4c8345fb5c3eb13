#pragma once

#include <QObject>

#include <functional>

#include "maintenance/MaintenanceButtons.h"

class QWidget;

namespace convertor {

// Takes the maintenance keys before the focused control sees them: F1 to F4 and F9 press their
// buttons, Esc presses Back, Enter moves the focus on. A key whose button is disabled does nothing.
class MaintenanceKeys : public QObject {
    Q_OBJECT

public:
    MaintenanceKeys(MaintenanceButtons* buttons, std::function<void()> focusNext, QObject* parent);

    // Watches root and every widget inside it.
    void watch(QWidget* root);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MaintenanceButtons* m_buttons;
    std::function<void()> m_focusNext;
};

}  // namespace convertor
