#pragma once

#include <QObject>

#include <array>

class QPushButton;
class QWidget;

namespace convertor {

// The buttons of a maintenance window and the modes that enable them.
class MaintenanceButtons : public QObject {
    Q_OBJECT

public:
    enum Action { Back, Branch, New, Edit, Delete, View, Save, Cancel, ActionCount };
    enum class Mode { Browse, Edit, View };

    // The buttons are made as children of parent; the window lays them out.
    MaintenanceButtons(bool branchCaption, QWidget* parent);

    QPushButton* button(Action action) const { return m_buttons.at(action); }
    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

signals:
    void triggered(MaintenanceButtons::Action action);

private:
    std::array<QPushButton*, ActionCount> m_buttons{};
    Mode m_mode = Mode::Browse;
};

}  // namespace convertor
