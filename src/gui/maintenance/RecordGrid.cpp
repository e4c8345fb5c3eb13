#include "maintenance/RecordGrid.h"

#include <QTableView>

namespace convertor {

QTableView* makeRecordGrid(QAbstractItemModel* model, const QString& objectName, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(objectName);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setAlternatingRowColors(true);
    return grid;
}

}  // namespace convertor
