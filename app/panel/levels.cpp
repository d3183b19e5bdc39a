// The General page's level sliders and the IF shift.
#include "app/Corvane.h"
#include "app/panel/look.h"

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {
// The radio shifts the IF in steps of 20 Hz.
constexpr int ifShiftStep = 20;
} // namespace

void Corvane::on_Volume_valueChanged(int value) {
    sendIfOpen(CAT::SetAG(value), false);
}

void Corvane::on_RFGain_valueChanged(int value) {
    sendIfOpen(CAT::SetRG(value), false);
}

void Corvane::on_Squelch_valueChanged(int value) {
    sendIfOpen(CAT::SetSQ(value), false);
}

// The monitor level; the monitor switch is btnMON.
void Corvane::on_MON_valueChanged(int value) {
    sendIfOpen(CAT::SetML({1, value}), false);
}

void Corvane::on_NBLvl_valueChanged(int value) {
    sendIfOpen(CAT::SetNL(value), false);
}

// The microphone gain has no slider signal of its own: the Output Power page calls this.
void Corvane::OnMicGainChanged(int value) {
    sendIfOpen(CAT::SetMG(value), false);
}

// A slider out of sight (another tab page shown) is being set, not moved by the operator.
void Corvane::on_DNR_valueChanged(int value) {
    if (!ui.DNR->isVisible())
        return;
    sendIfOpen(CAT::SetRL(value), false);
    keepNoiseReductionLevel();
}

void Corvane::keepNoiseReductionLevel() {
    if (ui.DNR->isVisible() && bandModeSettled())
        SaveBandModeSettings(-1, -1);
}

void Corvane::on_ckIFShift_stateChanged(int state) {
    showIFShiftState();
    sendIfOpen(CAT::SetIS(state > 0 ? 1 : 0, ui.hsIFShift->value()), false);
}

// A position between steps moves on to the next step away from zero; that move comes back
// here with the step and sends it.
void Corvane::on_hsIFShift_valueChanged(int value) {
    const int rest = value % ifShiftStep;
    if (rest != 0) {
        const int away = ifShiftStep - std::abs(rest);
        ui.hsIFShift->setValue(value >= 1 ? value + away : value - away);
        return;
    }
    showIFShiftState();
    sendIfOpen(CAT::SetIS(ui.ckIFShift->isChecked() ? 1 : 0, value), false);
}

void Corvane::showIFShiftState() {
    if (!ui.ckIFShift->isChecked()) {
        ui.ckIFShift->setText("IFShift");
        return;
    }
    ui.hsIFShift->setEnabled(true);
    ui.ckIFShift->setText(QString::fromStdString(fmt::format("IFShift: {:d}", ui.hsIFShift->value())));
}
