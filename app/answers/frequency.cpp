// Answers about frequencies, the VFO/memory state, the mode and the filter width, and the
// band-change step of the AC answer.
#include "app/Corvane.h"
#include "app/answers/guards.h"
#include "app/panel/frequency_text.h"

#include <QApplication>
#include <QTimer>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {

// What the VFOType label shows for the radio's VFO/memory state.
struct MemoryStatus {
    int vfoMemory;
    const char* label; // format text, given the channel number
    bool vfoA;         // plain VFO operation: the B label goes back to "B"
    bool readsChannel; // a memory channel: its tag is asked for with an MT read
};
// clang-format off
constexpr MemoryStatus memoryStatuses[] = {
    // state label        VFO A  reads channel
    {0,      "A",         true,  false},
    {1,      "M{:d}",     false, true},
    {2,      "MT",        false, false},
    {3,      "QMB {:03}", false, false},
    {4,      "QMT",       false, false},
    {5,      "PMS",       false, false},
    {6,      "HOME",      false, false},
};
// clang-format on

const MemoryStatus* findMemoryStatus(int vfoMemory) {
    for (const MemoryStatus& status : memoryStatuses)
        if (status.vfoMemory == vfoMemory)
            return &status;
    return nullptr;
}

} // namespace

// In memory mode the frequency line shows the channel, so VFO A's frequency goes below.
void Corvane::onFrequencyAAnswer(int hertz) {
    const QString text = FrequencyDisplay(hertz);
    const bool vfoAShown = ui.VFOType->text() == "A";
    (vfoAShown ? ui.VFO : ui.VFOB)->setText(text);
    if (vfoAShown)
        reportFrequency(tuningA, vfoAFrequency, static_cast<unsigned int>(hertz));
    // Mode, band and clarifier come only with the IF answer; a tuning burst asks once the
    // radio has caught up with it.
    if (!readBackInProgress && !bandSettingsApplied && !burstInFlight(tuningA))
        write(CAT::ReadIF());
}

// VFO B's dial and quick split start from this frequency; no OI answer follows an FB report.
void Corvane::onFrequencyBAnswer(int hertz) {
    ui.VFOB->setText(FrequencyDisplay(hertz));
    reportFrequency(tuningB, vfoBFrequency, static_cast<unsigned int>(hertz));
}

void Corvane::onInformationAnswer(const CAT::InformationRecord& info) {
    const QString shown = FrequencyDisplay(info.frequency);
    reportFrequency(tuningA, vfoAFrequency, static_cast<unsigned int>(info.frequency));
    UpdateModeDisplay(info.mode);
    clarifierOffset = info.clarifierValue;
    ui.lblClarifierValue->setText(QString::fromStdString(fmt::format("{:d}Hz", clarifierOffset)));
    if (!MouseButtonHeld() && ui.cbBand->isVisibleTo(this))
        LookUpBand();
    if (bandChanged) {
        RestoreBandModeSettings(currentBandIndex, currentModeIndex);
        // Only a restore on its way holds back the IF reads of the FA answers; a band never
        // stored before has nothing to wait for.
        bandSettingsApplied = restoreInFlight;
        bandChanged = false;
    }
    ui.VFO->setText(shown);
    const MemoryStatus* status = findMemoryStatus(info.vfoMemory);
    if (!status)
        return;
    ui.VFOType->setText(QString::fromStdString(fmt::format(fmt::runtime(status->label), info.channel)));
    if (status->vfoA)
        ui.lblB->setText("B");
    memoryChannelOn = status->readsChannel ? info.channel : 0;
    // The scan reads every channel itself; a read of its own would only cross the scan's.
    if (status->readsChannel && !memoryScanActive)
        write(CAT::ReadMT(info.channel));
}

void Corvane::onOppositeInformationAnswer(const CAT::InformationRecord& info) {
    const QString shown = FrequencyDisplay(info.frequency);
    // Both VFOs on one frequency: the band follows VFO B's report as well.
    if (vfoBFrequency == vfoAFrequency)
        LookUpBand();
    reportFrequency(tuningB, vfoBFrequency, static_cast<unsigned int>(info.frequency));
    ui.VFOB->setText(shown);
}

void Corvane::onModeAnswer(int modeCode) {
    UpdateModeDisplay(modeCode);
}

void Corvane::onWidthAnswer(CAT::IntPair width) {
    if (!ui.cbWidth->isVisibleTo(this))
        return;
    // After a band change the radio reports its own width first; the stored one is sent
    // once the AC answer shows the band change is done.
    if (bandChangeReapply) {
        write(CAT::ReadAC());
        return;
    }
    // The width of a pair whose stored settings are still to come is not that pair's choice.
    UpdateWidthDisplay(width.second, bandModeSettled());
    if (bandChanged) {
        if (!bandSettingsApplied)
            return;
        bandChanged = false;
        bandSettingsApplied = false;
        if (restoringFromDatabase)
            restoringFromDatabase = false;
        else
            RestoreBandModeSettings(currentBandIndex, currentModeIndex);
    } else if (modeChanged) {
        if (restoringFromDatabase) {
            restoringFromDatabase = false;
        } else {
            modeChangeTimer->stop();
            modeChanged = false;
            RestoreBandModeSettings(currentBandIndex, currentModeIndex);
        }
    }
}

void Corvane::finishRestore() {
    restoreTimer->stop();
    restoreInFlight = false;
    restoringFromDatabase = false;
    bandSettingsApplied = false;
    if (!readBackInProgress)
        setEnabled(true);
}

// Runs before the tuner part of every AC answer.
void Corvane::onBandChangeStep() {
    // The answer to a restore's closing AC read: the radio has taken the restored values.
    if (restoreInFlight)
        finishRestore();
    if (!bandChangeReapply)
        return;
    bandChangeReapply = false;
    RestoreBandModeSettings(currentBandIndex, currentModeIndex);
    write(CAT::ReadSH());
}
