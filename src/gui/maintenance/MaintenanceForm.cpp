#include "maintenance/MaintenanceForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlIndex>
#include <QSqlRecord>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "maintenance/BoundTableModel.h"
#include "maintenance/DetailPage.h"
#include "maintenance/GridColumnSizer.h"
#include "maintenance/MaintenanceKeys.h"
#include "maintenance/RecordGrid.h"
#include "maintenance/TableConnection.h"

#include "refdata/Schema.h"

namespace convertor {

using Action = MaintenanceButtons::Action;
using Mode = MaintenanceButtons::Mode;

MaintenanceForm::MaintenanceForm(const QString& table, const MaintenanceFields& fields, bool branchCaption,
                                 QWidget* parent)
    : QWidget(parent),
      m_fields(fields),
      m_model(new BoundTableModel(this, QSqlDatabase::database(kTableConnection))),
      m_buttons(new MaintenanceButtons(branchCaption, this)) {
    m_model->setTable(table);
    m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
    // A field takes as many characters as its column, as the schema gives them.
    for (MaintenanceField& field : m_fields) {
        field.maxLength = static_cast<int>(
            schema::columnWidth(table.toStdString().c_str(), field.column.toStdString().c_str()));
    }
    QList<int> edited;
    for (const MaintenanceField& field : m_fields) {
        edited.append(m_model->fieldIndex(field.column));
        m_model->setHeaderData(edited.last(), Qt::Horizontal, field.gridCaption);
    }

    m_grid = makeRecordGrid(m_model, QStringLiteral("grid"), this);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 10);
    // A column not edited here is hidden, but a screen reader still lists it: it keeps a header.
    for (int column = 0; column < m_model->columnCount(); ++column) {
        m_grid->setColumnHidden(column, !edited.contains(column));
    }
    m_columns = new GridColumnSizer(m_grid);

    m_detail = new DetailPage(m_fields, m_model, this);
    m_detail->addButtons(m_buttons->button(Action::Save), m_buttons->button(Action::Cancel));
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { m_detail->showRow(current.row()); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_detail->showRow(-1); });

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addWidget(m_grid);
    m_pages->addWidget(m_detail);

    auto* bar = new QHBoxLayout;
    for (Action action :
         {Action::Back, Action::Branch, Action::New, Action::Edit, Action::Delete, Action::View}) {
        bar->addWidget(m_buttons->button(action));
    }
    bar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    m_headerSlot = new QVBoxLayout;
    layout->addLayout(m_headerSlot);
    layout->addLayout(bar);
    layout->addWidget(m_pages, 1);

    connect(m_buttons, &MaintenanceButtons::triggered, this, &MaintenanceForm::act);
}

void MaintenanceForm::setNewRowValue(const QString& column, const QVariant& value) {
    m_newRowValues.append({column, value});
}

void MaintenanceForm::addTitleStrip(const QString& text) {
    auto* strip = new QLabel(text, this);
    strip->setObjectName(QStringLiteral("titleStrip"));
    strip->setStyleSheet(
        QStringLiteral("background: #1f4e79; color: white; font-weight: bold; padding: 6px;"));
    m_headerSlot->addWidget(strip);
}

void MaintenanceForm::addHeader(QWidget* header) {
    m_headerSlot->addWidget(header);
}

void MaintenanceForm::watchKeys(QWidget* window) {
    auto* keys = new MaintenanceKeys(
        m_buttons, [this] { focusNextChild(); }, this);
    keys->watch(window);
}

void MaintenanceForm::act(Action action) {
    switch (action) {
        case Action::Back:
            back();
            break;
        case Action::Branch:
            if (m_model->rowCount() > 0) {
                emit branchRequested();
            }
            break;
        case Action::New:
            newRecord();
            break;
        case Action::Edit:
            editRecord();
            break;
        case Action::Delete:
            deleteRecord();
            break;
        case Action::View:
            viewRecord();
            break;
        case Action::Save:
            save();
            break;
        case Action::Cancel:
            cancel();
            break;
        case Action::ActionCount:
            break;
    }
}

int MaintenanceForm::currentRow() const {
    const int row = m_grid->currentIndex().row();
    return row >= 0 ? row : (m_model->rowCount() > 0 ? 0 : -1);
}

QVariantList MaintenanceForm::keyOfRow(int row) const {
    QVariantList key;
    const QSqlIndex primary = m_model->primaryKey();
    for (int i = 0; i < primary.count(); ++i) {
        key.append(m_model->data(m_model->index(row, m_model->fieldIndex(primary.fieldName(i)))));
    }
    return key;
}

int MaintenanceForm::rowOfKey(const QVariantList& key) {
    while (m_model->canFetchMore()) {
        m_model->fetchMore();
    }
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (keyOfRow(row) == key) {
            return row;
        }
    }
    return -1;
}

void MaintenanceForm::selectRow(int row) {
    if (row >= 0 && row < m_model->rowCount()) {
        m_grid->setCurrentIndex(m_model->index(row, m_model->fieldIndex(m_fields.first().column)));
        m_grid->selectRow(row);
    }
}

bool MaintenanceForm::reload() {
    const int row = m_grid->currentIndex().row();
    const QVariantList key = row >= 0 ? keyOfRow(row) : QVariantList{};
    if (!m_model->select()) {
        return false;
    }
    m_columns->fitToContents();
    const int found = key.isEmpty() ? -1 : rowOfKey(key);
    selectRow(found >= 0 ? found : qMin(qMax(row, 0), m_model->rowCount() - 1));
    return true;
}

void MaintenanceForm::showDetail(Action pressed, Mode mode) {
    m_buttons->setMode(mode);
    m_pages->setCurrentWidget(m_detail);
    m_detail->setPicture(m_buttons->button(pressed)->icon());
    m_detail->setMessage(QString());
}

void MaintenanceForm::showGrid() {
    m_buttons->setMode(Mode::Browse);
    m_pages->setCurrentWidget(m_grid);
    m_grid->setFocus();
}

void MaintenanceForm::newRecord() {
    const int row = m_model->rowCount();
    if (!m_model->insertRow(row)) {
        return;
    }
    for (const auto& [column, value] : m_newRowValues) {
        m_model->setData(m_model->index(row, m_model->fieldIndex(column)), value);
    }
    selectRow(row);
    showDetail(Action::New, Mode::Edit);
    m_detail->setFieldsEnabled(true, true);
    m_detail->edit(0)->setFocus();
}

void MaintenanceForm::editRecord() {
    if (m_model->rowCount() == 0) {
        return;
    }
    selectRow(currentRow());
    showDetail(Action::Edit, Mode::Edit);
    // A code is never changed: rows of other tables refer to it.
    m_detail->setFieldsEnabled(true, false);
    m_detail->edit(1)->setFocus();
}

void MaintenanceForm::viewRecord() {
    if (m_model->rowCount() == 0) {
        return;
    }
    selectRow(currentRow());
    showDetail(Action::View, Mode::View);
    m_detail->setFieldsEnabled(false, false);
    m_buttons->button(Action::Back)->setFocus();
}

void MaintenanceForm::save() {
    const int row = currentRow();
    if (m_buttons->mode() != Mode::Edit || row < 0) {
        return;
    }
    const QString refusal = m_detail->refusal();
    if (!refusal.isEmpty()) {
        m_detail->setMessage(refusal);
        return;
    }
    m_detail->store(row);
    const QVariantList key = keyOfRow(row);
    if (!m_model->submitAll()) {
        m_detail->setMessage(QStringLiteral("* Post Error."));
        return;
    }
    showGrid();
    reload();
    selectRow(rowOfKey(key));
}

void MaintenanceForm::cancel() {
    m_model->revertAll();
    m_detail->revert();
    const int row = currentRow();
    showGrid();
    selectRow(qMin(row, m_model->rowCount() - 1));
}

void MaintenanceForm::back() {
    if (m_pages->currentWidget() == m_grid) {
        emit closeRequested();
    } else {
        cancel();
    }
}

void MaintenanceForm::deleteRecord() {
    if (m_model->rowCount() == 0) {
        return;
    }
    const int row = currentRow();
    if (!m_dialogs.confirm(this, QStringLiteral("ยืนยันการลบข้อมูล ?"))) {
        return;
    }
    if (!m_model->removeRow(row) || !m_model->submitAll()) {
        m_model->revertAll();
        m_dialogs.warn(this, QStringLiteral("ไม่สามารถทำการลบข้อมูลนี้ได้"));
        return;
    }
    selectRow(qMin(row, m_model->rowCount() - 1));
}

}  // namespace convertor
