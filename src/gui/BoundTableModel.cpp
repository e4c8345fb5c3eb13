#include "BoundTableModel.h"

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

bool BoundTableModel::select() {
    if (m_column.isEmpty()) {
        return QSqlTableModel::select();
    }
    const QString statement = selectStatement();
    if (statement.isEmpty()) {
        return false;
    }
    QSqlQuery query(database());
    if (!query.prepare(statement)) {
        setLastError(query.lastError());
        return false;
    }
    query.addBindValue(m_value);
    if (!query.exec()) {
        setLastError(query.lastError());
        return false;
    }
    revertAll();  // pending changes belong to the rows being replaced
    beginResetModel();
    QSqlQueryModel::setQuery(std::move(query));
    endResetModel();
    return !lastError().isValid();
}

}  // namespace convertor
