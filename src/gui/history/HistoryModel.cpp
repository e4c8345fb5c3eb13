#include "history/HistoryModel.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "maintenance/TableConnection.h"
#include "refdata/Schema.h"

namespace convertor {

namespace {

namespace h = schema::runHistory;

const QString kTable = QString::fromLatin1(h::kTable);

QString allColumns() {
    QStringList names;
    for (const char* column : h::columns()) {
        names << QString::fromLatin1(column);
    }
    return names.join(QStringLiteral(", "));
}

// A file made before the history existed gets its table here too, so that the window opens on an
// empty history; a file that cannot be written keeps what it has.
void createTableWhenMissing(QSqlDatabase& db) {
    if (db.tables().contains(kTable)) {
        return;
    }
    const QStringList statements =
        QString::fromStdString(h::createSql()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& statement : statements) {
        if (!statement.trimmed().isEmpty()) {
            QSqlQuery(db).exec(statement);
        }
    }
}

}  // namespace

HistoryModel::HistoryModel(QObject* parent) : QSqlQueryModel(parent) {}

bool HistoryModel::select(const HistoryFilter& filter) {
    QSqlDatabase db = QSqlDatabase::database(kTableConnection);
    createTableWhenMissing(db);
    QStringList where;
    QVariantList values;
    auto add = [&](const QString& condition, const char* column, const QVariant& value) {
        where << condition.arg(QString::fromLatin1(column));
        values << value;
    };
    if (!filter.company.isEmpty()) {
        add(QStringLiteral("%1 = ?"), h::kCompanyId, filter.company);
    }
    if (!filter.product.isEmpty()) {
        add(QStringLiteral("%1 = ?"), h::kProduct, filter.product);
    }
    // A start time begins with its date, so text order is date order.
    if (filter.from.isValid()) {
        add(QStringLiteral("substr(%1, 1, 10) >= ?"), h::kStarted, filter.from.toString(Qt::ISODate));
    }
    if (filter.to.isValid()) {
        add(QStringLiteral("substr(%1, 1, 10) <= ?"), h::kStarted, filter.to.toString(Qt::ISODate));
    }
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(allColumns(), kTable);
    if (!where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    }
    sql += QStringLiteral(" ORDER BY %1 DESC, %2 DESC")
               .arg(QString::fromLatin1(h::kStarted), QString::fromLatin1(h::kId));

    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    query.exec();
    setQuery(std::move(query));
    while (canFetchMore()) {
        fetchMore();
    }
    for (int column = 0; column < columnCount(); ++column) {
        setHeaderData(column, Qt::Horizontal, caption(record().fieldName(column)));
    }
    return !lastError().isValid();
}

QStringList HistoryModel::companies() const {
    QSqlQuery query(QSqlDatabase::database(kTableConnection));
    QStringList found;
    const QString company = QString::fromLatin1(h::kCompanyId);
    if (query.exec(QStringLiteral("SELECT DISTINCT %1 FROM %2 ORDER BY %1").arg(company, kTable))) {
        while (query.next()) {
            found << query.value(0).toString();
        }
    }
    return found;
}

int HistoryModel::column(const char* name) {
    const auto columns = h::columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (QLatin1String(columns[i]) == QLatin1String(name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString HistoryModel::caption(const QString& column) {
    static const QHash<QString, QString> captions = {
        {h::kId, QStringLiteral("Run")},
        {h::kStarted, QStringLiteral("Date and Time")},
        {h::kEnded, QStringLiteral("Ended")},
        {h::kProduct, QStringLiteral("Product")},
        {h::kCompanyId, QStringLiteral("Company")},
        {h::kLogin, QStringLiteral("Operator")},
        {h::kSourcePath, QStringLiteral("Source File")},
        {h::kSourceSize, QStringLiteral("Source Size")},
        {h::kSourceSha1, QStringLiteral("Source SHA-1")},
        {h::kInvoicePath, QStringLiteral("Invoice File")},
        {h::kInvoiceSize, QStringLiteral("Invoice Size")},
        {h::kInvoiceSha1, QStringLiteral("Invoice SHA-1")},
        {h::kDestination, QStringLiteral("Destination")},
        {h::kArchiveName, QStringLiteral("Archive")},
        {h::kOutcome, QStringLiteral("Outcome")},
        {h::kMessage, QStringLiteral("Message")},
        {h::kAccepted, QStringLiteral("Accepted")},
        {h::kRejected, QStringLiteral("Rejected")},
        {h::kRejectedInvalidAcct, QStringLiteral("Rejected: Invalid Account")},
        {h::kRejectedCreditZeroAmount, QStringLiteral("Rejected: Zero Amount")},
        {h::kRejectedCreditAmountInvalid, QStringLiteral("Rejected: Invalid Amount")},
        {h::kRejectedBankBranchCode, QStringLiteral("Rejected: Bank or Branch Code")},
        {h::kTotalAmount, QStringLiteral("Total")},
        {h::kHashValue, QStringLiteral("Hash Value")},
    };
    return captions.value(column, column);
}

}  // namespace convertor
