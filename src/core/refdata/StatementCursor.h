#pragma once

#include <sqlite3.h>

#include <memory>

#include "refdata/TableStore.h"

namespace convertor {

using RawStatement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// A select stepped row by row on the connection it was prepared on; openCursors counts the
// cursors that are open, so that no row is appended beside one.
std::unique_ptr<QueryCursor> statementCursor(sqlite3* db, RawStatement statement,
                                             std::shared_ptr<int> openCursors);

}  // namespace convertor
