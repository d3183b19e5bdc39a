// The band/mode restore: its state machine, and the window's side of it, which sends the
// stored values of the current band and mode that the storage layer loads.
#include "app/band_mode_restore.h"
#include "app/Corvane.h"
#include "app/panel/width_lists.h"
#include "app/trace.h"
#include "storage/band_mode.h"

#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Phase = BandModeRestore::Phase;
using Cause = BandModeRestore::Cause;
using Step = BandModeRestore::Step;

// ---- The state machine -------------------------------------------------------------------

void BandModeRestore::readBackStarted() {
    phase_ = Phase::Storing;
    cause_ = Cause::None;
}

void BandModeRestore::readBackEnded() {
    if (phase_ == Phase::Storing)
        phase_ = Phase::Idle;
}

Step BandModeRestore::modeChosen(bool codeChanges) {
    if (!codeChanges)
        return Step::Restore;
    phase_ = Phase::WaitingForWidth;
    cause_ = Cause::ModeChosen;
    return Step::Nothing;
}

void BandModeRestore::bandChosen() {
    phase_ = Phase::WaitingForWidth;
    cause_ = Cause::BandChosen;
}

void BandModeRestore::bandLookedUp(bool moved) {
    // A band the operator chose is restored by its own AC step.
    if (cause_ == Cause::BandChosen)
        return;
    if (phase_ == Phase::Storing) {
        cause_ = moved ? Cause::BandMoved : Cause::None;
    } else if (moved) {
        phase_ = Phase::WaitingForWidth;
        cause_ = Cause::BandMoved;
    } else if (phase_ == Phase::WaitingForWidth && cause_ == Cause::BandMoved) {
        phase_ = Phase::Idle;
        cause_ = Cause::None;
    }
}

// The IF answer carries the band: a band the radio moved to gets its stored values now.
// While the read-back stores, that restore only works out the new band's width offset.
Step BandModeRestore::informationReported() {
    if (cause_ != Cause::BandMoved)
        return Step::Nothing;
    if (phase_ == Phase::Storing) {
        cause_ = Cause::None;
        return Step::Restore;
    }
    return phase_ == Phase::WaitingForWidth ? Step::Restore : Step::Nothing;
}

Step BandModeRestore::widthReported() {
    if (phase_ != Phase::WaitingForWidth)
        return Step::Nothing;
    switch (cause_) {
    case Cause::ModeChosen:
        return Step::Restore;
    case Cause::BandChosen:
        // The radio's own width on the new band: the AC answer to this read shows it is there.
        phase_ = Phase::WaitingForBand;
        return Step::ReadTuner;
    default:
        return Step::Nothing;
    }
}

Step BandModeRestore::tunerReported() {
    return phase_ == Phase::WaitingForBand ? Step::Restore : Step::Nothing;
}

Step BandModeRestore::widthUnanswered() {
    return phase_ == Phase::WaitingForWidth && cause_ == Cause::ModeChosen ? Step::Restore : Step::Nothing;
}

void BandModeRestore::restoreDone(bool sent) {
    if (phase_ == Phase::Storing)
        return;
    phase_ = sent ? Phase::Restoring : Phase::Idle;
    if (!sent)
        cause_ = Cause::None;
}

void BandModeRestore::restoreFinished() {
    if (phase_ != Phase::Restoring)
        return;
    phase_ = Phase::Idle;
    cause_ = Cause::None;
}

void BandModeRestore::vfosSwapped() {
    if (phase_ == Phase::Restoring)
        cause_ = Cause::None;
}

void BandModeRestore::reset() {
    phase_ = Phase::Idle;
    cause_ = Cause::None;
}

// ---- The window's side ---------------------------------------------------------------------

void Corvane::takeRestoreStep(Step step) {
    switch (step) {
    case Step::Nothing:
        break;
    case Step::Restore:
        modeChangeTimer->stop();
        RestoreBandModeSettings(currentBandIndex, currentModeIndex);
        break;
    case Step::ReadTuner:
        write(CAT::ReadAC());
        break;
    }
}

void Corvane::RestoreBandModeSettings(int band, int mode) {
    statusBar()->showMessage("Updating radio from Database", 1000);
    band = band == -1 ? ui.cbBand->currentIndex() : band;
    mode = mode == -1 ? ui.cbMode->currentIndex() : mode;
    // The read-back stores the radio's values as they arrive; a row made before they have
    // all arrived would hold the panel's defaults.
    if (readBackInProgress || restore.phase() == Phase::Storing) {
        widthOffset = WidthOffsetFor(mode, narrowOn);
        return;
    }
    const std::optional<Storage::BandModeSettings> stored = [&] {
        std::lock_guard<std::mutex> lock(databaseMutex);
        return Storage::LoadBandMode(database, band, mode);
    }();
    if (!stored) {
        if (radioOnShownBand())
            InsertBandModeSettings(band, mode);
        restore.restoreDone(false);
        return;
    }
    widthOffset = WidthOffsetFor(mode, narrowOn);
    Trace("Update from database: BEGIN\r\n");
    const auto send = [this](const std::string& command, bool flush) {
        Trace(fmt::format("Sending {}\r\n", command));
        sendIfOpen(command, flush);
    };
    // Level 0 is no DNR level: a row whose level was never stored keeps the radio's.
    // The slider shows the level sent: a radio already at that level reports nothing, and
    // the next store must not put the slider's old level back.
    if (stored->dnrValue > 0) {
        send(CAT::SetRL(stored->dnrValue), false);
        const QSignalBlocker quiet(ui.DNR);
        ui.DNR->setValue(stored->dnrValue);
    }
    // -1 is a pair stored before any width was shown; index 0 is the narrowest width.
    if (stored->width >= 0) {
        const int code = stored->width + widthOffset;
        send(CAT::SetSH({1, code}), true);
        radio.noteSet(&Radio::RadioState::width, Radio::Field::Width,
                      Radio::Width{code, WidthHertzFor(mode, code)});
        ui.cbWidth->setCurrentIndex(stored->width);
    }
    // A stored DNR off is not sent: the radio's switch stays as it is.
    if (stored->dnrEnabled == 1) {
        dnrEnabled = 1;
        send(CAT::SetNR(1), true);
    }
    // The answer to this read tells that the radio has taken the values; a read lost or
    // refused ends the wait after a read's time all the same.
    const bool sent = sendIfOpen(CAT::ReadAC());
    restore.restoreDone(sent);
    if (sent)
        restoreTimer->start();
}

// The SH answer of a mode change never came: the new pair's settings go out all the same.
void Corvane::onModeChangeUnanswered() {
    takeRestoreStep(restore.widthUnanswered());
}

// A restore has its answer (or was refused, or timed out): the panel's settings are settled.
void Corvane::finishRestore() {
    restoreTimer->stop();
    restore.restoreFinished();
    if (!readBackInProgress)
        setEnabled(true);
}

// Runs before the tuner part of every AC answer.
void Corvane::onBandChangeStep() {
    // The answer to a restore's closing AC read: the radio has taken the restored values.
    if (restore.phase() == Phase::Restoring) {
        finishRestore();
        return;
    }
    if (restore.tunerReported() != Step::Restore)
        return;
    RestoreBandModeSettings(currentBandIndex, currentModeIndex);
    write(CAT::ReadSH());
}

void Corvane::forgetRadio(bool poweredOff) {
    // Only a radio that was on has been switched off: the answer of one found off at the
    // start ends nothing the operator began.
    const bool wasOn = radio.powerOn.reported(false);
    if (poweredOff)
        radio.poweredOff();
    else
        radio.lineLost();
    if (poweredOff && !wasOn)
        return;
    // A restore on its way is over all the same: the window it disabled is usable again.
    if (restore.phase() == Phase::Restoring)
        finishRestore();
    restore.reset();
    modeChangeTimer->stop();
}
