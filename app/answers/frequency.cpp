// Answers about frequencies, the VFO/memory state, the mode and the filter width, and the
// band-change step of the AC answer.
#include "app/Corvane.h"
#include "app/answers/guards.h"
#include "app/panel/frequency_text.h"
#include "app/panel/width_lists.h"

#include <QApplication>
#include <QTimer>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Radio::Field;

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
    if (vfoAShown) {
        reportFrequency(tuningA, vfoAFrequency, static_cast<unsigned int>(hertz));
        radio.report(&Radio::RadioState::frequencyA, Field::FrequencyA, vfoAFrequency);
    }
    // Mode, band and clarifier come only with the IF answer; a tuning burst asks once the
    // radio has caught up with it.
    if (!readBackInProgress && !restore.holdsInformationReads() && !burstInFlight(tuningA))
        write(CAT::ReadIF());
}

// VFO B's dial and quick split start from this frequency; no OI answer follows an FB report.
void Corvane::onFrequencyBAnswer(int hertz) {
    ui.VFOB->setText(FrequencyDisplay(hertz));
    reportFrequency(tuningB, vfoBFrequency, static_cast<unsigned int>(hertz));
    radio.report(&Radio::RadioState::frequencyB, Field::FrequencyB, vfoBFrequency);
}

void Corvane::onInformationAnswer(const CAT::InformationRecord& info) {
    const QString shown = FrequencyDisplay(info.frequency);
    reportFrequency(tuningA, vfoAFrequency, static_cast<unsigned int>(info.frequency));
    radio.report(&Radio::RadioState::frequencyA, Field::FrequencyA, vfoAFrequency);
    radio.report(&Radio::RadioState::band, Field::Band, CAT::BandOf(vfoAFrequency));
    radio.report(&Radio::RadioState::mode, Field::Mode, info.mode);
    radio.report(&Radio::RadioState::clarifier, Field::Clarifier,
                 Radio::Clarifier{info.clarifierEnabled == 1, info.clarifierValue});
    UpdateModeDisplay(info.mode);
    // The band follows whatever page is shown; only a held mouse button keeps cbBand still.
    if (!MouseButtonHeld())
        LookUpBand();
    takeRestoreStep(restore.informationReported());
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
    radio.report(&Radio::RadioState::frequencyB, Field::FrequencyB, vfoBFrequency);
    ui.VFOB->setText(shown);
}

void Corvane::onModeAnswer(int modeCode) {
    radio.report(&Radio::RadioState::mode, Field::Mode, modeCode);
    UpdateModeDisplay(modeCode);
}

// The width is the radio's whatever page is shown: cbWidth shows it even while hidden, so
// that a later store or restore never takes an older width for the current one.
void Corvane::onWidthAnswer(CAT::IntPair width) {
    radio.report(&Radio::RadioState::width, Field::Width,
                 Radio::Width{width.second, WidthHertzFor(ui.cbMode->currentIndex(), width.second)});
    // After a band change the radio reports its own width first; the stored one is sent
    // once the AC answer shows the band change is done.
    const BandModeRestore::Step step = restore.widthReported();
    // The width of a pair whose stored settings are still to come is not that pair's choice.
    if (step != BandModeRestore::Step::ReadTuner)
        UpdateWidthDisplay(width.second, bandModeSettled() && step == BandModeRestore::Step::Nothing);
    takeRestoreStep(step);
}
