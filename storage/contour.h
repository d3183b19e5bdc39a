#pragma once

#include <optional>

struct sqlite3;

namespace Storage {

// The contour filter as last set: put back when the contour goes on.
struct ContourSettings {
    int enabled = 0;
    int level = 0;
    int frequency = 0; // Hz
    int width = 0;
};

// The table holds one row, the first one inserted: it is made once and updated after.
void SaveContour(sqlite3* database, const ContourSettings& settings);
std::optional<ContourSettings> LoadContour(sqlite3* database);

} // namespace Storage
