#pragma once

#include <QWidget>

#include "maintenance/MaintenanceDialogs.h"

namespace convertor {

class MaintenanceForm;

// The bank maintenance window, a child window of the main window's frame. It deletes itself when
// closed; Back on the grid page closes it (its frame window too, when it has one).
class BankWindow : public QWidget {
    Q_OBJECT

public:
    explicit BankWindow(QWidget* parent = nullptr);

    void setDialogs(const MaintenanceDialogs& dialogs);
    MaintenanceForm* form() const { return m_form; }

protected:
    bool event(QEvent* event) override;

private:
    void openBranches();
    void closeWindow();
    void reloadWhenBrowsing();

    MaintenanceForm* m_form;
};

}  // namespace convertor
