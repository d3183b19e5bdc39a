#pragma once

// The network CAT server's settings in state.db, a table of their own.

struct sqlite3;

namespace Storage {

struct NetworkSettings {
    static constexpr int maxTransmitLimitMinutes = 120;

    bool enabled = true;
    int port = 4532; // the port Hamlib's clients try first
    // Off until the operator turns it on: only programs on this computer reach the radio.
    bool allInterfaces = false;
    // How long a program may keep the transmitter keyed; 0: no limit.
    int transmitLimitMinutes = 10;
    bool programsMayKey = true;
    bool operator==(const NetworkSettings& other) const {
        return enabled == other.enabled && port == other.port && allInterfaces == other.allInterfaces &&
               transmitLimitMinutes == other.transmitLimitMinutes && programsMayKey == other.programsMayKey;
    }
};

// The stored settings, or the defaults when none are stored (or there is no database). A table
// written by an earlier version gives the defaults for the settings it lacks.
NetworkSettings LoadNetworkSettings(sqlite3* database);
// Stores them, first adding to an earlier version's table the columns it lacks.
bool StoreNetworkSettings(sqlite3* database, const NetworkSettings& settings);

} // namespace Storage
