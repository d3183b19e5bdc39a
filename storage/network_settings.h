#pragma once

// The network CAT server's settings in state.db, a table of their own.

struct sqlite3;

namespace Storage {

struct NetworkSettings {
    bool enabled = true;
    int port = 4532; // the port Hamlib's clients try first
    // Off until the operator turns it on: only programs on this computer reach the radio.
    bool allInterfaces = false;
    bool operator==(const NetworkSettings& other) const {
        return enabled == other.enabled && port == other.port && allInterfaces == other.allInterfaces;
    }
};

// The stored settings, or the defaults when none are stored (or there is no database).
NetworkSettings LoadNetworkSettings(sqlite3* database);
bool StoreNetworkSettings(sqlite3* database, const NetworkSettings& settings);

} // namespace Storage
