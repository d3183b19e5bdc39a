// Per band and mode memory of the DNR switch, the DNR level and the filter width: what the
// radio does not keep by itself, put back on a band or mode change.
#include "app/Corvane.h"
#include "app/panel/width_lists.h"
#include "app/trace.h"
#include "storage/statement.h"

#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Storage::Statement;

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

// Columns of a band_mode_settings row.
constexpr const char* dnrEnabledColumn = "dnr_enabled";
constexpr const char* dnrValueColumn = "dnr_value";
constexpr const char* widthValueColumn = "width_value";

} // namespace

bool Corvane::HasBandModeSettings(int band, int mode) {
    std::lock_guard<std::mutex> lock(databaseMutex);
    band = band == -1 ? ui.cbBand->currentIndex() : band;
    mode = mode == -1 ? ui.cbMode->currentIndex() : mode;
    Statement count(database, countBandMode, {band, mode});
    return count.next() && count.integer(0) > 0;
}

void Corvane::InsertBandModeSettings(int band, int mode) {
    std::lock_guard<std::mutex> lock(databaseMutex);
    const int width = ui.cbWidth->currentIndex();
    const int dnrValue = ui.DNR->value();
    band = band == -1 ? ui.cbBand->currentIndex() : band;
    mode = mode == -1 ? ui.cbMode->currentIndex() : mode;
    Statement(database, insertBandMode, {band, mode, dnrEnabled, dnrValue, width}).run();
}

void Corvane::SaveBandModeSettings(int band, int mode) {
    if (ui.cbBand->currentIndex() < 0 || ui.cbMode->currentIndex() < 0)
        return;
    // The radio has moved to another band whose frequency report came before the band shows:
    // its width and DNR belong to that band, not to the one cbBand still names.
    if (!radioOnShownBand())
        return;
    // A pair gets its one row here, and only here or in a restore, after a count of none.
    if (!HasBandModeSettings(band, mode)) {
        InsertBandModeSettings(band, mode);
        return;
    }
    std::lock_guard<std::mutex> lock(databaseMutex);
    const int dnrValue = ui.DNR->value();
    const int width = ui.cbWidth->currentIndex();
    currentBandIndex = band == -1 ? ui.cbBand->currentIndex() : band;
    currentModeIndex = mode == -1 ? ui.cbMode->currentIndex() : mode;
    Statement(database, updateBandMode, {dnrEnabled, dnrValue, width, currentBandIndex, currentModeIndex})
        .run();
}

void Corvane::RestoreBandModeSettings(int band, int mode) {
    statusBar()->showMessage("Updating radio from Database", 1000);
    // The read-back stores the radio's values as they arrive; a row made before they have
    // all arrived would hold the panel's defaults.
    if (readBackInProgress) {
        widthOffset = WidthOffsetFor(mode == -1 ? ui.cbMode->currentIndex() : mode, narrowOn);
        return;
    }
    if (!HasBandModeSettings(band, mode)) {
        if (radioOnShownBand())
            InsertBandModeSettings(band, mode);
        return;
    }
    std::lock_guard<std::mutex> lock(databaseMutex);
    band = band == -1 ? ui.cbBand->currentIndex() : band;
    mode = mode == -1 ? ui.cbMode->currentIndex() : mode;
    for (Statement row(database, selectBandMode, {band, mode}); row.next();) {
        widthOffset = WidthOffsetFor(mode, narrowOn);
        Trace("Update from database: BEGIN\r\n");
        const auto send = [this](const std::string& command, bool flush) {
            Trace(fmt::format("Sending {}\r\n", command));
            sendIfOpen(command, flush);
        };
        // Level 0 is no DNR level: a row whose level was never stored keeps the radio's.
        // The slider shows the level sent: a radio already at that level reports nothing, and
        // the next store must not put the slider's old level back.
        if (const int level = row.integer(dnrValueColumn); level > 0) {
            send(CAT::SetRL(level), false);
            const QSignalBlocker quiet(ui.DNR);
            ui.DNR->setValue(level);
        }
        // -1 is a pair stored before any width was shown; index 0 is the narrowest width.
        if (const int width = row.integer(widthValueColumn); width >= 0) {
            send(CAT::SetSH({1, width + widthOffset}), true);
            ui.cbWidth->setCurrentIndex(width);
        }
        // A stored DNR off is not sent: the radio's switch stays as it is.
        if (row.integer(dnrEnabledColumn) == 1) {
            dnrEnabled = 1;
            send(CAT::SetNR(1), true);
        }
        // The answer to this read tells that the radio has taken the values; a read lost or
        // refused ends the wait after a read's time all the same.
        if (sendIfOpen(CAT::ReadAC())) {
            restoringFromDatabase = true;
            restoreInFlight = true;
            restoreTimer->start();
        }
    }
}
