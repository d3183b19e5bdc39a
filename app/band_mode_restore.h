#pragma once

#include <cstdint>

// When the stored DNR and width of a band and mode go back to the radio. The radio reports
// its own width for a new mode or band first; only after that report do the stored values go
// out, and until their closing AC read is answered the radio's reports echo them and are not
// the operator's choices.
class BandModeRestore {
public:
    enum class Phase : std::uint8_t {
        Idle,            // reports are the operator's choices and are stored
        Storing,         // the read-back stores the radio's own values; nothing is restored
        WaitingForWidth, // a new mode or band: the radio's own width report comes first
        WaitingForBand,  // a band chosen on the panel: its AC answer shows the move is done
        Restoring,       // the stored values are out; their closing AC read is not answered yet
    };
    enum class Cause : std::uint8_t { None, ModeChosen, BandChosen, BandMoved };
    // What the window does next.
    enum class Step : std::uint8_t { Nothing, Restore, ReadTuner };

    Phase phase() const { return phase_; }
    // The panel's width and DNR are the current pair's own: no change waits for its restore.
    bool settled() const { return phase_ == Phase::Idle || phase_ == Phase::Storing; }
    // A restore after a band change is on its way: the FA answers ask for no IF meanwhile.
    bool holdsInformationReads() const {
        return phase_ == Phase::Restoring && (cause_ == Cause::BandMoved || cause_ == Cause::BandChosen);
    }

    void readBackStarted();
    void readBackEnded();
    // With `codeChanges` false (USB after LSB) the radio sends no width: restore at once.
    Step modeChosen(bool codeChanges);
    void bandChosen();
    // A frequency report put VFO A on another band (or, `moved` false, on the one shown).
    void bandLookedUp(bool moved);
    Step informationReported();
    Step widthReported();
    Step tunerReported();
    Step widthUnanswered();
    // A restore went out (`sent` false: nothing was stored to send).
    void restoreDone(bool sent);
    // The radio took the restored values, refused them, or never said.
    void restoreFinished();
    // The VFOs were swapped: the band being restored is not the one VFO A shows any more.
    void vfosSwapped();
    // The line went away or the radio was switched off.
    void reset();

private:
    Phase phase_ = Phase::Idle;
    Cause cause_ = Cause::None;
};
