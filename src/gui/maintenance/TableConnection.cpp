#include "maintenance/TableConnection.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace convertor {

bool openTableConnection(const QString& databaseFile, QString* error) {
    QSqlDatabase db = QSqlDatabase::contains(kTableConnection)
                          ? QSqlDatabase::database(kTableConnection, false)
                          : QSqlDatabase::addDatabase("QSQLITE", kTableConnection);
    db.close();
    if (!QFileInfo(databaseFile).isFile()) {
        if (error) {
            *error = QStringLiteral("Cannot open the tables: %1 does not exist").arg(databaseFile);
        }
        return false;
    }
    db.setDatabaseName(databaseFile);
    if (!db.open()) {
        if (error) {
            *error = db.lastError().text();
        }
        return false;
    }
    return true;
}

}  // namespace convertor
