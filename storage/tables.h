#pragma once

#include <QString>

#include <string>

struct sqlite3;

namespace Storage {

// The folder of state.db, with a trailing "/": "Corvane" in the user's configuration folder.
QString DatabaseFolder();
// Creates the three tables of state.db; false when the file is not a usable database.
bool CreateTables(sqlite3* database);
// Makes the row with id 1 name this port and speed, inserting it when there is none yet.
bool StorePort(sqlite3* database, const std::string& portName, int baudRate);
// The same in the state.db of `folder` (made when missing, with its tables), as the first
// start's dialog leaves it; false when the file cannot be written.
bool StorePortIn(const QString& folder, const std::string& portName, int baudRate);

} // namespace Storage
