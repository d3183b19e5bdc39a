// The contour button's memory: the last contour settings are stored as the dialog closes and
// sent to the radio when the contour goes on again.
#include "app/Corvane.h"
#include "storage/contour.h"

namespace CAT = Yaesu::Commands::FT891;

namespace {

// Menu items of the contour filter.
constexpr int contourLevelItem = 1202;
constexpr int contourWidthItem = 1203;

} // namespace

void Corvane::SaveContourSettings() {
    Storage::SaveContour(database, {contourEnabled, contourLevel, contourFrequency, contourWidth});
}

bool Corvane::LoadContourSettings() {
    const std::optional<Storage::ContourSettings> stored = Storage::LoadContour(database);
    if (!stored)
        return false;
    contourEnabled = stored->enabled;
    contourLevel = stored->level;
    contourFrequency = stored->frequency;
    contourWidth = stored->width;
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
