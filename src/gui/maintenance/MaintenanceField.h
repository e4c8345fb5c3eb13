#pragma once

#include <QList>
#include <QString>

namespace convertor {

// One edited column of a maintenance window: its grid and detail captions, and its hint. A hint
// that begins with "*" marks the field as required; the rest names the field in messages.
struct MaintenanceField {
    QString column;
    QString gridCaption;
    QString detailCaption;
    QString hint;
    bool upperCase = false;
    int maxLength = 0;  // the column's width in the schema, set by the form

    bool required() const { return hint.startsWith(QLatin1Char('*')); }
    QString name() const { return required() ? hint.mid(1) : hint; }
};

using MaintenanceFields = QList<MaintenanceField>;

}  // namespace convertor
