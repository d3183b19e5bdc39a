#include "app/Corvane.h"

// Per band and mode settings: nothing is kept yet, so nothing is sent back.
void Corvane::RestoreBandModeSettings(int band, int mode) {
    (void)band;
    (void)mode;
    restoringFromDatabase = true;
    restoreAwaitingAnswer = false;
}

void Corvane::SaveBandModeSettings(int band, int mode) {
    (void)band;
    (void)mode;
}
