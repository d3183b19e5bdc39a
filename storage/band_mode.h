#pragma once

#include <optional>

struct sqlite3;

namespace Storage {

// What the radio does not keep by itself per band and mode, put back on a band or mode change.
struct BandModeSettings {
    int dnrEnabled = 0;
    int dnrValue = 0;
    int width = -1; // index in the mode's width list; -1: no width was shown
};

bool HasBandMode(sqlite3* database, int band, int mode);
// A pair gets its one row here, after a count of none; a row that already holds the values
// is left alone.
void InsertBandMode(sqlite3* database, int band, int mode, const BandModeSettings& settings);
void UpdateBandMode(sqlite3* database, int band, int mode, const BandModeSettings& settings);
std::optional<BandModeSettings> LoadBandMode(sqlite3* database, int band, int mode);

} // namespace Storage
