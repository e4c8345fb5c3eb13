#pragma once

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace convertor {

// A grid listing records to pick from: read-only, whole rows selected one at a time, rows in
// alternating colours, and Tab moving on to the next control rather than the next cell.
QTableView* makeRecordGrid(QAbstractItemModel* model, const QString& objectName, QWidget* parent);

}  // namespace convertor
