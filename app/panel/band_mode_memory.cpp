// The panel's DNR and width as the current band and mode's choice in the band/mode memory.
#include "app/Corvane.h"
#include "storage/band_mode.h"

bool Corvane::HasBandModeSettings(int band, int mode) {
    std::lock_guard<std::mutex> lock(databaseMutex);
    return Storage::HasBandMode(database, band == -1 ? ui.cbBand->currentIndex() : band,
                                mode == -1 ? ui.cbMode->currentIndex() : mode);
}

namespace {

// What the panel shows of the pair: the DNR switch, its level and the width list's index.
Storage::BandModeSettings shown(int dnrEnabled, const Ui::CorvaneClass& ui) {
    return {dnrEnabled, ui.DNR->value(), ui.cbWidth->currentIndex()};
}

} // namespace

void Corvane::InsertBandModeSettings(int band, int mode) {
    std::lock_guard<std::mutex> lock(databaseMutex);
    Storage::InsertBandMode(database, band == -1 ? ui.cbBand->currentIndex() : band,
                            mode == -1 ? ui.cbMode->currentIndex() : mode, shown(dnrEnabled, ui));
}

void Corvane::SaveBandModeSettings(int band, int mode) {
    if (ui.cbBand->currentIndex() < 0 || ui.cbMode->currentIndex() < 0)
        return;
    // The radio has moved to another band whose frequency report came before the band shows:
    // its width and DNR belong to that band, not to the one cbBand still names.
    if (!radioOnShownBand())
        return;
    if (!HasBandModeSettings(band, mode)) {
        InsertBandModeSettings(band, mode);
        return;
    }
    std::lock_guard<std::mutex> lock(databaseMutex);
    currentBandIndex = band == -1 ? ui.cbBand->currentIndex() : band;
    currentModeIndex = mode == -1 ? ui.cbMode->currentIndex() : mode;
    Storage::UpdateBandMode(database, currentBandIndex, currentModeIndex, shown(dnrEnabled, ui));
}
