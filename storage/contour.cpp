// The last contour switch, frequency, level and width, put back when the contour goes on.
#include "app/Corvane.h"
#include "storage/statement.h"

namespace CAT = Yaesu::Commands::FT891;
using Storage::Statement;

namespace {

constexpr const char* countContour = "select COUNT(*) from contour_settings;";
constexpr const char* insertContour =
    "\ninsert into contour_settings(contour_enabled, contour_level,contour_freq, "
    "contour_width) values(?1,?2,?3,?4);\n";
// The table holds one row, the first one inserted.
constexpr const char* updateContour =
    "\nupdate contour_settings \nset\ncontour_enabled = ?1,\ncontour_level = "
    "?2,\ncontour_freq  = ?3,\ncontour_width = ?4\nwhere id = 1;\n ;";
constexpr const char* selectContour =
    "select contour_enabled, contour_level,contour_freq, contour_width from "
    "contour_settings where id = (select id from contour_settings limit 1);";

// Menu items of the contour filter.
constexpr int contourLevelItem = 1202;
constexpr int contourWidthItem = 1203;

int contourRows(sqlite3* database) {
    Statement count(database, countContour);
    return count.next() ? count.integer(0) : 0;
}

} // namespace

void Corvane::SaveContourSettings() {
    const std::vector<Storage::SqlValue> values = {contourEnabled, contourLevel, contourFrequency,
                                                   contourWidth};
    Statement(database, contourRows(database) > 0 ? updateContour : insertContour, values).run();
}

bool Corvane::LoadContourSettings() {
    if (contourRows(database) <= 0)
        return false;
    Statement row(database, selectContour);
    if (row.next()) {
        contourEnabled = row.integer(0);
        contourLevel = row.integer(1);
        contourFrequency = row.integer(2);
        contourWidth = row.integer(3);
    }
    write(CAT::SetCO({0, contourEnabled == 1 ? 1 : 0}));
    write(CAT::SetCO({1, contourFrequency}));
    write(CAT::SetMenu(contourWidthItem, contourWidth));
    write(CAT::SetMenu(contourLevelItem, contourLevel));
    // Read back what the radio made of them.
    for (const std::string& read :
         {CAT::ReadCO(1), CAT::ReadMenu(contourLevelItem), CAT::ReadMenu(contourWidthItem)})
        sendIfOpen(read);
    return true;
}
