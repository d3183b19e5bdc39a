// Per band and mode memory of the DNR switch, the DNR level and the filter width. It stores
// and loads; what goes to the radio is the restore's (app/band_mode_restore.cpp).
#include "storage/band_mode.h"
#include "storage/statement.h"

namespace Storage {

namespace {

constexpr const char* countBandMode =
    "select count(*) from band_mode_settings where band = ?1 and mode = ?2;";
constexpr const char* insertBandMode = "insert into band_mode_settings(band, mode, dnr_enabled, dnr_value, "
                                       "width_value) values(?1,?2,?3,?4,?5);";
// A row that already holds the values is left alone: every width report stores its pair, and
// an update that changes nothing would still wait for the disk.
constexpr const char* updateBandMode =
    "update band_mode_settings set dnr_enabled = ?1, dnr_value = ?2, width_value = ?3 where band = ?4 and "
    "mode = ?5 and (dnr_enabled is not ?1 or dnr_value is not ?2 or width_value is not ?3);";
constexpr const char* selectBandMode = "select * from band_mode_settings where band = ?1 and mode = ?2;";

} // namespace

bool HasBandMode(sqlite3* database, int band, int mode) {
    Statement count(database, countBandMode, {band, mode});
    return count.next() && count.integer(0) > 0;
}

void InsertBandMode(sqlite3* database, int band, int mode, const BandModeSettings& s) {
    Statement(database, insertBandMode, {band, mode, s.dnrEnabled, s.dnrValue, s.width}).run();
}

void UpdateBandMode(sqlite3* database, int band, int mode, const BandModeSettings& s) {
    Statement(database, updateBandMode, {s.dnrEnabled, s.dnrValue, s.width, band, mode}).run();
}

std::optional<BandModeSettings> LoadBandMode(sqlite3* database, int band, int mode) {
    Statement row(database, selectBandMode, {band, mode});
    if (!row.next())
        return std::nullopt;
    return BandModeSettings{row.integer("dnr_enabled"), row.integer("dnr_value"), row.integer("width_value")};
}

} // namespace Storage
