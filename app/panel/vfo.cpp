// VFO and memory buttons, split and quick split.
#include "app/Corvane.h"
#include "app/panel/button_look.h"
#include "app/panel/frequency_text.h"

namespace CAT = Yaesu::Commands::FT891;

namespace {

// The command set has no builder for the quick split action, which takes no parameter.
constexpr char quickSplit[] = "QS;";

// Split on (green) transmits on VFO B; the blue state moves VFO B up by this much first.
constexpr int splitOffset = 4000;

const QColor& splitOffsetColour() {
    static const QColor blue("blue");
    return blue;
}

} // namespace

void Corvane::on_btnUp_clicked() {
    sendIfOpen(CAT::SetCH(0));
}

void Corvane::on_btnDn_clicked() {
    sendIfOpen(CAT::SetCH(1));
}

// The copied VFO may now be on another band or mode: its stored settings follow.
void Corvane::on_btnAtoB_clicked() {
    sendIfOpen(CAT::SetAB());
    RestoreBandModeSettings(currentBandIndex, currentModeIndex);
}

void Corvane::on_btnBtoA_clicked() {
    sendIfOpen(CAT::SetBA());
    RestoreBandModeSettings(currentBandIndex, currentModeIndex);
}

// After the swap the FA answers must ask for IF again, so that the band is looked up.
void Corvane::on_btnAB_clicked() {
    restore.vfosSwapped();
    sendIfOpen(CAT::SetSV());
}

void Corvane::on_btnAtoM_clicked() {
    sendIfOpen(CAT::SetAM(), false);
}

void Corvane::on_btnSwapVandM_clicked() {
    sendIfOpen(CAT::SetVM(), false);
}

// Off → on (green) → on with VFO B moved up (blue) → off. The colour changes also while
// the port is closed; the button shows the operator's choice, the ST answer the radio's.
void Corvane::on_btnSPL_clicked() {
    std::string commands;
    if (ShowsColour(ui.btnSPL, OnColour())) {
        paintButton(ui.btnSPL, splitOffsetColour());
        commands = CAT::SetAB();
        // VFO B as shown; a line that shows no frequency moves nothing.
        if (const std::optional<int> vfoB = ParseTypedFrequency(ui.VFOB->text()))
            commands += CAT::SetFB(*vfoB + splitOffset);
        commands += CAT::SetST(2);
    } else if (ShowsColour(ui.btnSPL, splitOffsetColour())) {
        paintButton(ui.btnSPL, defaultButtonColour);
        commands = CAT::SetAB() + CAT::SetST(0);
    } else {
        paintButton(ui.btnSPL, OnColour());
        commands = CAT::SetST(1);
    }
    sendIfOpen(commands);
}

// Quick split moves VFO B by the radio's own offset; switching it off puts VFO B back.
void Corvane::on_btnQSPL_clicked() {
    std::string commands;
    if (ShowsColour(ui.btnQSPL, OnColour())) {
        paintButton(ui.btnQSPL, defaultButtonColour);
        commands = CAT::SetST(0) + CAT::SetFB(quickSplitFrequency);
    } else {
        // Switching off puts VFO B back where it was: without its frequency there is no way back.
        if (!frequencyKnown(vfoBFrequency, "B"))
            return;
        paintButton(ui.btnQSPL, OnColour());
        quickSplitFrequency = static_cast<int>(vfoBFrequency);
        commands = quickSplit;
    }
    sendIfOpen(commands);
}
