#pragma once

#include <QSqlTableModel>
#include <QVariant>

namespace convertor {

// A table model whose row filter "column = value" passes the value as a bound parameter, so a
// code holding quotes or SQL text selects exactly its own rows. Without a bound filter it selects
// like QSqlTableModel.
class BoundTableModel : public QSqlTableModel {
    Q_OBJECT

public:
    using QSqlTableModel::QSqlTableModel;

    void setBoundFilter(const QString& column, const QVariant& value);
    QVariant boundValue() const { return m_value; }

    bool select() override;

private:
    void swapFilter(const QString& filter);

    QString m_column;
    QVariant m_value;
    bool m_swappingFilter = false;
};

}  // namespace convertor
