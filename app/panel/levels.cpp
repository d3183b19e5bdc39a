// The General page's level sliders and the IF shift.
#include "app/Corvane.h"
#include "app/panel/look.h"

#include <QTimer>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {
// The radio shifts the IF in steps of 20 Hz.
constexpr int ifShiftStep = 20;
constexpr int dnrSaveDelayMs = 500;
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

// A turn of the DNR knob, on the panel or on the radio, is a burst of levels; the state
// database takes the last one (each write waits for the disk, up to milliseconds). A band or
// mode change before then leaves the stored level of the old pair as it was.
void Corvane::keepNoiseReductionLevel() {
    if (!ui.DNR->isVisible() || !bandModeSettled())
        return;
    if (!dnrSaveTimer) {
        dnrSaveTimer = new QTimer(this);
        dnrSaveTimer->setSingleShot(true);
        dnrSaveTimer->setInterval(dnrSaveDelayMs);
        connect(dnrSaveTimer, &QTimer::timeout, this, [this] {
            if (ui.cbBand->currentIndex() == dnrSaveBand && ui.cbMode->currentIndex() == dnrSaveMode &&
                bandModeSettled())
                SaveBandModeSettings(-1, -1);
        });
    }
    dnrSaveBand = ui.cbBand->currentIndex();
    dnrSaveMode = ui.cbMode->currentIndex();
    dnrSaveTimer->start();
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
