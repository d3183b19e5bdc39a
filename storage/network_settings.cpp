#include "storage/network_settings.h"

#include "storage/statement.h"

#include <sqlite3.h>

namespace Storage {

namespace {

// SQLite keeps this text in the file: never edit it.
constexpr const char* createNetworkSettings =
    "CREATE TABLE IF NOT EXISTS network_settings (\n\tid INTEGER PRIMARY KEY,\n\tenabled int default 1,\n\t"
    "port int default 4532,\n\tall_interfaces int default 0\n);";
constexpr const char* selectNetwork = "select * from network_settings where id = 1;";
constexpr const char* storeNetwork =
    "insert or replace into network_settings(id, enabled, port, all_interfaces) values(1, ?1, ?2, ?3)";

bool createTable(sqlite3* database) {
    return database && sqlite3_exec(database, createNetworkSettings, nullptr, nullptr, nullptr) == SQLITE_OK;
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
    }
    return settings;
}

bool StoreNetworkSettings(sqlite3* database, const NetworkSettings& settings) {
    if (!createTable(database))
        return false;
    return Statement(database, storeNetwork,
                     {settings.enabled ? 1 : 0, settings.port, settings.allInterfaces ? 1 : 0})
        .run();
}

} // namespace Storage
