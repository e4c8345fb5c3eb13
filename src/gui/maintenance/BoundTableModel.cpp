#include "maintenance/BoundTableModel.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace convertor {

void BoundTableModel::setBoundFilter(const QString& column, const QVariant& value) {
    m_column = column;
    m_value = value;
    const QString name = database().driver()->escapeIdentifier(column, QSqlDriver::FieldName);
    // Only the placeholder enters the statement text; select() binds the value.
    setFilter(QStringLiteral("%1 = ?").arg(name));
}

void BoundTableModel::swapFilter(const QString& filter) {
    m_swappingFilter = true;
    setFilter(filter);
    m_swappingFilter = false;
}

bool BoundTableModel::select() {
    if (m_swappingFilter) {
        return true;  // setFilter() selects again on an open query; here the caller selects
    }
    if (m_column.isEmpty()) {
        return QSqlTableModel::select();
    }
    // Only the base select forgets the rows already posted and the pending changes. Its statement
    // cannot carry a bound value, so it selects nothing and the bound statement follows.
    const QString bound = filter();
    swapFilter(QStringLiteral("0 = 1"));
    const bool cleared = QSqlTableModel::select();
    swapFilter(bound);
    if (!cleared) {
        return false;
    }
    QSqlQuery query(database());
    if (!query.prepare(selectStatement())) {
        setLastError(query.lastError());
        return false;
    }
    query.addBindValue(m_value);
    if (!query.exec()) {
        setLastError(query.lastError());
        return false;
    }
    beginResetModel();
    QSqlQueryModel::setQuery(std::move(query));
    endResetModel();
    return !lastError().isValid();
}

}  // namespace convertor
