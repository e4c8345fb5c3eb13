#pragma once

#include <QDate>
#include <QSqlQueryModel>
#include <QStringList>

namespace convertor {

// Which runs the history window shows; an empty or null part lets every run through.
struct HistoryFilter {
    QString company;
    QString product;  // "DCP", "PAY", "MCL", "MCP"
    QDate from;
    QDate to;
};

// The run history over the maintenance windows' connection: every column, newest first. Every row is
// read at once, so that no statement keeps the file locked against the next run's row.
class HistoryModel : public QSqlQueryModel {
    Q_OBJECT

public:
    explicit HistoryModel(QObject* parent = nullptr);

    // False with the reason in lastError(); the model is then empty. The filter's texts are bound
    // as values, never put into the SQL.
    bool select(const HistoryFilter& filter);
    // The companies the history holds, in order.
    QStringList companies() const;
    // The model column of a history column: the model holds them in the table's order.
    static int column(const char* name);
    // What the window calls a column.
    static QString caption(const QString& column);
};

}  // namespace convertor
