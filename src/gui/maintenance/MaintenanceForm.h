#pragma once

#include <QVariant>
#include <QWidget>

#include <utility>

#include "maintenance/MaintenanceButtons.h"
#include "maintenance/MaintenanceDialogs.h"
#include "maintenance/MaintenanceField.h"

class QLabel;
class QStackedWidget;
class QTableView;

namespace convertor {

class BoundTableModel;
class DetailPage;
class GridColumnSizer;

// The browse-and-edit surface the bank and branch windows share: a grid page listing the rows
// of one table and a detail page editing one row, with the button bar, the modes and the keys.
class MaintenanceForm : public QWidget {
    Q_OBJECT

public:
    MaintenanceForm(const QString& table, const MaintenanceFields& fields, bool branchCaption,
                    QWidget* parent = nullptr);

    BoundTableModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    MaintenanceButtons* buttons() const { return m_buttons; }
    void setDialogs(const MaintenanceDialogs& dialogs) { m_dialogs = dialogs; }
    const MaintenanceDialogs& dialogs() const { return m_dialogs; }
    // A value every new row carries in column, such as the bank of a new branch.
    void setNewRowValue(const QString& column, const QVariant& value);
    // The coloured strip that names the window, above everything else.
    void addTitleStrip(const QString& text);
    // Widgets placed above the button bar (the branch window's bank).
    void addHeader(QWidget* header);
    // Starts taking the keys of window, which holds this form.
    void watchKeys(QWidget* window);

    int currentRow() const;
    bool isBrowsing() const { return m_buttons->mode() == MaintenanceButtons::Mode::Browse; }
    // Selects the rows again and keeps the current row where it still exists.
    bool reload();

    void newRecord();
    void editRecord();
    void viewRecord();
    void deleteRecord();
    void save();
    void cancel();
    void back();

signals:
    void closeRequested();
    void branchRequested();

private:
    void act(MaintenanceButtons::Action action);
    void showDetail(MaintenanceButtons::Action pressed, MaintenanceButtons::Mode mode);
    void showGrid();
    void selectRow(int row);
    int rowOfKey(const QVariantList& key);
    QVariantList keyOfRow(int row) const;

    MaintenanceFields m_fields;
    QList<std::pair<QString, QVariant>> m_newRowValues;
    BoundTableModel* m_model;
    MaintenanceButtons* m_buttons;
    MaintenanceDialogs m_dialogs = MaintenanceDialogs::standard();
    QStackedWidget* m_pages;
    QTableView* m_grid;
    GridColumnSizer* m_columns;
    DetailPage* m_detail;
    QLayout* m_headerSlot;
};

}  // namespace convertor
