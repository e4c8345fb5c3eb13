#pragma once

#include <QString>

class QAbstractItemModel;

namespace convertor {

// A field as CSV writes it: in quotes, with its quotes doubled, when it holds a comma, a quote or a
// line end; as it is otherwise.
QString csvField(const QString& text);

// Writes every row and column of the model to file as CSV in UTF-8: a header line of the given
// column names (the model's header texts when empty), lines ending in CR LF. The file is replaced
// only once it is written whole. False with the reason in error.
bool writeCsv(const QAbstractItemModel& model, const QStringList& header, const QString& file,
              QString* error);

}  // namespace convertor
