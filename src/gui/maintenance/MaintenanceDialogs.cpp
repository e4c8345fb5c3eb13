#include "maintenance/MaintenanceDialogs.h"

#include <QMessageBox>
#include <QWidget>

namespace convertor {

MaintenanceDialogs MaintenanceDialogs::standard() {
    MaintenanceDialogs dialogs;
    dialogs.confirm = [](QWidget* parent, const QString& text) {
        const QString title = parent ? parent->window()->windowTitle() : QString();
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    dialogs.warn = [](QWidget* parent, const QString& text) {
        const QString title = parent ? parent->window()->windowTitle() : QString();
        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
    };
    return dialogs;
}

}  // namespace convertor
