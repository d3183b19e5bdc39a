// The last contour switch, frequency, level and width. It stores and loads; what goes to the
// radio is the contour button's (app/panel/contour_memory.cpp).
#include "storage/contour.h"
#include "storage/statement.h"

namespace Storage {

namespace {

constexpr const char* countContour = "select COUNT(*) from contour_settings;";
constexpr const char* insertContour =
    "\ninsert into contour_settings(contour_enabled, contour_level,contour_freq, "
    "contour_width) values(?1,?2,?3,?4);\n";
constexpr const char* updateContour =
    "\nupdate contour_settings \nset\ncontour_enabled = ?1,\ncontour_level = "
    "?2,\ncontour_freq  = ?3,\ncontour_width = ?4\nwhere id = 1;\n ;";
constexpr const char* selectContour =
    "select contour_enabled, contour_level,contour_freq, contour_width from "
    "contour_settings where id = (select id from contour_settings limit 1);";

int contourRows(sqlite3* database) {
    Statement count(database, countContour);
    return count.next() ? count.integer(0) : 0;
}

} // namespace

void SaveContour(sqlite3* database, const ContourSettings& s) {
    const std::vector<SqlValue> values = {s.enabled, s.level, s.frequency, s.width};
    Statement(database, contourRows(database) > 0 ? updateContour : insertContour, values).run();
}

// A count above none with no row to read (a failed step) loads the settings as they were: zeros.
std::optional<ContourSettings> LoadContour(sqlite3* database) {
    if (contourRows(database) <= 0)
        return std::nullopt;
    ContourSettings settings;
    if (Statement row(database, selectContour); row.next())
        settings = {row.integer(0), row.integer(1), row.integer(2), row.integer(3)};
    return settings;
}

} // namespace Storage
