#pragma once

// The statements that create the tables of state.db. SQLite keeps the text of a table's
// creating statement in the file, so these texts are part of the file format: never edit them.
namespace Schema {

inline constexpr const char* createPortSettings =
    "\nCREATE TABLE IF NOT EXISTS port_settings (\n    id INTEGER PRIMARY KEY AUTOINCREMENT,\n\tport_name "
    "varchar(20),\n\tbaud_rate int\n);\n";

inline constexpr const char* createBandModeSettings =
    "\nCREATE TABLE IF NOT EXISTS band_mode_settings(\n\tid INTEGER PRIMARY KEY AUTOINCREMENT,\n\tband int "
    "default 0,\n\tmode int default 0,\n\tdnr_enabled int default 0,\n\tdnr_value int default "
    "0,\n\twidth_value int default 0\n\t\n);\n";

inline constexpr const char* createContourSettings =
    "\nCREATE TABLE IF NOT EXISTS contour_settings(\nid INTEGER PRIMARY KEY "
    "AUTOINCREMENT,\n\tcontour_enabled "
    "int default 0,\n\tcontour_level int default 0,\n\tcontour_freq int default 0,\n\tcontour_width int "
    "default 0\n);\n";

inline constexpr const char* createTables[] = {createPortSettings, createBandModeSettings,
                                               createContourSettings};

inline constexpr const char* selectPort = "select * from port_settings where id = 1;";
// The port name is bound, never spliced into the text: a name with a quote is stored as it is.
inline constexpr const char* insertPort = "insert into port_settings(port_name, baud_rate) values(?1,?2)";
inline constexpr const char* updatePort =
    "update port_settings set port_name = ?1, baud_rate = ?2 where id = 1";

} // namespace Schema
