#include "storage/network_settings.h"

#include "storage/statement.h"

#include <sqlite3.h>

#include <string>

namespace Storage {

namespace {

// SQLite keeps this text in the file: never edit it. The settings added since come as columns
// of their own (newColumns), in new files and old alike.
constexpr const char* createNetworkSettings =
    "CREATE TABLE IF NOT EXISTS network_settings (\n\tid INTEGER PRIMARY KEY,\n\tenabled int default 1,\n\t"
    "port int default 4532,\n\tall_interfaces int default 0\n);";
constexpr const char* selectNetwork = "select * from network_settings where id = 1;";
constexpr const char* storeNetwork =
    "insert or replace into network_settings(id, enabled, port, all_interfaces, transmit_limit_minutes, "
    "programs_may_key) values(1, ?1, ?2, ?3, ?4, ?5)";

struct NewColumn {
    const char* name;
    const char* definition; // the default is the setting's own
};
// clang-format off
constexpr NewColumn newColumns[] = {
    // name                       definition
    {"transmit_limit_minutes",    "int default 10"},
    {"programs_may_key",          "int default 1"},
};
// clang-format on

bool hasColumn(sqlite3* database, const char* column) {
    Statement count(database, "select count(*) from pragma_table_info('network_settings') where name = ?1;",
                    {std::string(column)});
    return count.next() && count.integer(0) > 0;
}

bool createTable(sqlite3* database) {
    if (!database || sqlite3_exec(database, createNetworkSettings, nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    for (const NewColumn& column : newColumns) {
        if (hasColumn(database, column.name))
            continue;
        const std::string add = std::string("alter table network_settings add column ") + column.name + " " +
                                column.definition + ";";
        if (sqlite3_exec(database, add.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

} // namespace

// Nothing is stored until the operator changes a setting: without the table, the defaults.
NetworkSettings LoadNetworkSettings(sqlite3* database) {
    NetworkSettings settings;
    for (Statement row(database, selectNetwork); row.next();) {
        settings.enabled = row.integer("enabled") != 0;
        const int port = row.integer("port");
        // A port no one can listen on is no choice: the default stays.
        if (port > 0 && port <= 65535)
            settings.port = port;
        settings.allInterfaces = row.integer("all_interfaces") != 0;
        const int limit = row.integer("transmit_limit_minutes");
        if (row.column("transmit_limit_minutes") >= 0 && limit >= 0 &&
            limit <= NetworkSettings::maxTransmitLimitMinutes)
            settings.transmitLimitMinutes = limit;
        if (row.column("programs_may_key") >= 0)
            settings.programsMayKey = row.integer("programs_may_key") != 0;
    }
    return settings;
}

bool StoreNetworkSettings(sqlite3* database, const NetworkSettings& settings) {
    if (!createTable(database))
        return false;
    return Statement(database, storeNetwork,
                     {settings.enabled ? 1 : 0, settings.port, settings.allInterfaces ? 1 : 0,
                      settings.transmitLimitMinutes, settings.programsMayKey ? 1 : 0})
        .run();
}

} // namespace Storage
