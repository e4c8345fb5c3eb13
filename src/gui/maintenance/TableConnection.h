#pragma once

#include <QString>

namespace convertor {

// The name of the one database connection every window's table model uses.
inline constexpr const char* kTableConnection = "ZVB_DB";

// Points the connection kTableConnection at the SQLite file; false with a message in error when
// the file cannot be opened. Done once by the main window before any window opens a table.
bool openTableConnection(const QString& databaseFile, QString* error = nullptr);

}  // namespace convertor
