#include "maintenance/MaintenanceKeys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace convertor {

namespace {

int actionOfKey(int key) {
    switch (key) {
        case Qt::Key_F1:
            return MaintenanceButtons::New;
        case Qt::Key_F2:
            return MaintenanceButtons::Edit;
        case Qt::Key_F3:
            return MaintenanceButtons::Delete;
        case Qt::Key_F4:
            return MaintenanceButtons::View;
        case Qt::Key_F9:
            return MaintenanceButtons::Save;
        case Qt::Key_Escape:
            return MaintenanceButtons::Back;
        default:
            return -1;
    }
}

}  // namespace

MaintenanceKeys::MaintenanceKeys(MaintenanceButtons* buttons, std::function<void()> focusNext,
                                 QObject* parent)
    : QObject(parent), m_buttons(buttons), m_focusNext(std::move(focusNext)) {}

void MaintenanceKeys::watch(QWidget* root) {
    root->installEventFilter(this);
    for (QWidget* child : root->findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool MaintenanceKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->modifiers() & ~Qt::KeypadModifier) {
        return false;
    }
    const int key = keyEvent->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const int action = actionOfKey(key);
    if (!enter && action < 0) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key so that no shortcut of an enclosing window takes it first.
        event->accept();
        return true;
    }
    if (enter) {
        m_focusNext();
    } else if (QPushButton* button = m_buttons->button(static_cast<MaintenanceButtons::Action>(action));
               button->isEnabled()) {
        button->click();
    }
    return true;
}

}  // namespace convertor
