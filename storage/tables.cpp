#include "storage/tables.h"

#include "storage/schema.h"
#include "storage/statement.h"

#include <QDir>
#include <QStandardPaths>

namespace Storage {

// The first existing folder of Qt's configuration lookup can be a system folder such as
// /etc/xdg/ that a user cannot write to, so the user's own writable folder is taken.
QString DatabaseFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Corvane/";
}

namespace {

// The columns this version reads, and how a table written without one is mended: the column is
// added with its default, then the rows that lacked it are marked with what they can still mean.
struct ColumnRow {
    const char* table;
    const char* column;
    const char* definition; // as in the creating statement
    const char* mend;       // run after adding the column to the rows it lacked; nullptr: none
};
// clang-format off
constexpr ColumnRow columnRows[] = {
    // table                 column             definition               mend
    {"port_settings",        "id",              nullptr,                 nullptr},
    {"port_settings",        "port_name",       "varchar(20)",           nullptr},
    {"port_settings",        "baud_rate",       "int",                   nullptr},
    {"band_mode_settings",   "id",              nullptr,                 nullptr},
    // A row without its band or mode cannot say whose settings it holds.
    {"band_mode_settings",   "band",            "int default 0",         "delete from band_mode_settings;"},
    {"band_mode_settings",   "mode",            "int default 0",         "delete from band_mode_settings;"},
    {"band_mode_settings",   "dnr_enabled",     "int default 0",         nullptr},
    // Level 0 and width -1 are "never stored": a restore leaves the radio's own value.
    {"band_mode_settings",   "dnr_value",       "int default 0",         nullptr},
    {"band_mode_settings",   "width_value",     "int default 0",         "update band_mode_settings set width_value = -1;"},
    {"contour_settings",     "id",              nullptr,                 nullptr},
    {"contour_settings",     "contour_enabled", "int default 0",         nullptr},
    {"contour_settings",     "contour_level",   "int default 0",         nullptr},
    {"contour_settings",     "contour_freq",    "int default 0",         nullptr},
    {"contour_settings",     "contour_width",   "int default 0",         nullptr},
};
// clang-format on

bool hasColumn(sqlite3* database, const char* table, const char* column) {
    const std::string pragma =
        std::string("select count(*) from pragma_table_info('") + table + "') where name = ?1;";
    Statement count(database, pragma.c_str(), {std::string(column)});
    return count.next() && count.integer(0) > 0;
}

// False when a column is missing that cannot be added (a key), or adding it failed.
bool mendColumns(sqlite3* database) {
    for (const ColumnRow& row : columnRows) {
        if (hasColumn(database, row.table, row.column))
            continue;
        if (!row.definition)
            return false;
        const std::string add = std::string("alter table ") + row.table + " add column " + row.column + " " +
                                row.definition + ";";
        if (sqlite3_exec(database, add.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        if (row.mend && sqlite3_exec(database, row.mend, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

} // namespace

bool CreateTables(sqlite3* database) {
    for (const char* create : Schema::createTables)
        if (sqlite3_exec(database, create, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    return mendColumns(database);
}

bool StorePort(sqlite3* database, const std::string& portName, int baudRate) {
    if (Statement(database, Schema::updatePort, {portName, baudRate}).run() && sqlite3_changes(database) == 1)
        return true;
    return Statement(database, Schema::insertPort, {portName, baudRate}).run();
}

bool StorePortIn(const QString& folder, const std::string& portName, int baudRate) {
    QDir().mkpath(folder);
    sqlite3* database = nullptr;
    const bool stored =
        sqlite3_open(QDir(folder).filePath("state.db").toUtf8().constData(), &database) == SQLITE_OK &&
        CreateTables(database) && StorePort(database, portName, baudRate);
    sqlite3_close(database);
    return stored;
}

} // namespace Storage
