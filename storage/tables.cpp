#include "storage/tables.h"

#include "storage/schema.h"
#include "storage/statement.h"

#include <QStandardPaths>

namespace Storage {

// The first existing folder of Qt's configuration lookup can be a system folder such as
// /etc/xdg/ that a user cannot write to, so the user's own writable folder is taken.
QString DatabaseFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Corvane/";
}

bool CreateTables(sqlite3* database) {
    for (const char* create : Schema::createTables)
        if (sqlite3_exec(database, create, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    return true;
}

bool StorePort(sqlite3* database, const std::string& portName, int baudRate) {
    if (Statement(database, Schema::updatePort, {portName, baudRate}).run() && sqlite3_changes(database) == 1)
        return true;
    return Statement(database, Schema::insertPort, {portName, baudRate}).run();
}

} // namespace Storage
