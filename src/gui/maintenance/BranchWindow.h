#pragma once

#include <QDialog>

#include "maintenance/MaintenanceDialogs.h"

namespace convertor {

class MaintenanceForm;

// The branch maintenance window: a modal dialog over the branches of one bank. Every new branch
// carries that bank's code.
class BranchWindow : public QDialog {
    Q_OBJECT

public:
    BranchWindow(const QString& bankCode, const QString& bankNameTh, const QString& bankNameEn,
                 QWidget* parent = nullptr);

    void setDialogs(const MaintenanceDialogs& dialogs);
    MaintenanceForm* form() const { return m_form; }
    QString bankCode() const { return m_bankCode; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeBankHeader(const QString& nameTh, const QString& nameEn);

    QString m_bankCode;
    MaintenanceForm* m_form;
};

}  // namespace convertor
