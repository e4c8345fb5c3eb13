#include "history/HistoryCsv.h"

#include <QAbstractItemModel>
#include <QSaveFile>
#include <QStringList>

namespace convertor {

QString csvField(const QString& text) {
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quoted) {
        return text;
    }
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

bool writeCsv(const QAbstractItemModel& model, const QStringList& header, const QString& file,
              QString* error) {
    auto line = [](const QStringList& fields) {
        QStringList written;
        for (const QString& field : fields) {
            written << csvField(field);
        }
        return (written.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
    };
    QStringList names = header;
    if (names.isEmpty()) {
        for (int column = 0; column < model.columnCount(); ++column) {
            names << model.headerData(column, Qt::Horizontal).toString();
        }
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    out.write(line(names));
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < model.columnCount(); ++column) {
            fields << model.index(row, column).data(Qt::EditRole).toString();
        }
        out.write(line(fields));
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

}  // namespace convertor
