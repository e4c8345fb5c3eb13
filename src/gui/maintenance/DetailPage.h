#pragma once

#include <QList>
#include <QWidget>

#include "maintenance/MaintenanceField.h"

class QDataWidgetMapper;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSqlTableModel;

namespace convertor {

// The detail page of a maintenance window: one edit field per edited column (dxDBEdit1, ...),
// the picture of the button that opened the page, the message label and the Save and Cancel
// buttons, which the window hands in.
class DetailPage : public QWidget {
    Q_OBJECT

public:
    DetailPage(const MaintenanceFields& fields, QSqlTableModel* model, QWidget* parent = nullptr);

    void addButtons(QWidget* save, QWidget* cancel);
    void showRow(int row);
    void revert();

    QLineEdit* edit(int field) const { return m_edits.at(field); }
    void setFieldsEnabled(bool enabled, bool codeToo);
    void setPicture(const QIcon& icon);
    void setMessage(const QString& text);
    QString message() const;

    // The reason the fields cannot be stored: "* Please Input " and the names of the required
    // fields that are empty or blank, or the fields holding text outside code page 874; empty
    // when they can be stored.
    QString refusal() const;
    // Writes the fields, trimmed (codes in upper case), into the row.
    void store(int row) const;

private:
    QString value(int field) const;

    MaintenanceFields m_fields;
    QSqlTableModel* m_model;
    QDataWidgetMapper* m_mapper;
    QGroupBox* m_group;
    QList<QLineEdit*> m_edits;
    QLabel* m_picture;
    QLabel* m_message;
    QWidget* m_buttonRow;
};

}  // namespace convertor
