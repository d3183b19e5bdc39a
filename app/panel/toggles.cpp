// The General page's function buttons, MOX, TX watch, the tuner and noise blanker choices,
// and the power button.
#include "app/Corvane.h"
#include "app/panel/look.h"

#include <QSerialPort>

namespace CAT = Yaesu::Commands::FT891;

namespace {

using Ui_ = Ui::CorvaneClass;
// The command a toggle sends to switch its function on or off.
using Command = std::string (*)(const Ui_& ui, bool on);

template <std::string (*Set)(int), int On, int Off> std::string switched(const Ui_&, bool on) {
    return Set(on ? On : Off);
}
template <std::string (*Set)(const CAT::IntPair&), int Selector>
std::string switchedPair(const Ui_&, bool on) {
    return Set({Selector, on ? 1 : 0});
}
// The scan runs in the direction the radio buttons beside it choose.
std::string scan(const Ui_& ui, bool on) {
    return CAT::SetSC(on ? (ui.rbScanUp->isChecked() ? 1 : 2) : 0);
}

template <auto Member> QWidget* button(Ui_& ui) {
    return ui.*Member;
}

struct ToggleRow {
    QWidget* (*button)(Ui_&);
    Command command;
    void (Corvane::*after)(bool on); // runs after the write, also with the port closed
};

} // namespace

struct ToggleTable {
    // clang-format off
    // button                      on / off command                         afterwards
    static constexpr ToggleRow rows[] = {
        {button<&Ui_::btnATT>,  switched<CAT::SetRA, 1, 0>,         nullptr},
        // IPO on means the preamplifier off.
        {button<&Ui_::btnIPO>,  switched<CAT::SetPA, 0, 1>,         nullptr},
        {button<&Ui_::btnNAR>,  switched<CAT::SetNA, 1, 0>,         nullptr},
        {button<&Ui_::btnNB>,   switched<CAT::SetNB, 1, 0>,         nullptr},
        {button<&Ui_::btnFST>,  switched<CAT::SetFS, 1, 0>,         nullptr},
        {button<&Ui_::btnLOCK>, switched<CAT::SetLK, 1, 0>,         nullptr},
        {button<&Ui_::btnMON>,  switchedPair<CAT::SetML, 0>,        nullptr},
        {button<&Ui_::btnPRC>,  switchedPair<CAT::SetPR, 0>,        nullptr},
        {button<&Ui_::btnEQ>,   switchedPair<CAT::SetPR, 1>,        nullptr},
        {button<&Ui_::btnVox>,  switched<CAT::SetVX, 1, 0>,         nullptr},
        {button<&Ui_::btnTNR>,  switched<CAT::SetAC, 1, 0>,         nullptr},
        {button<&Ui_::btnDNR>,  switched<CAT::SetNR, 1, 0>,         &Corvane::noiseReductionSwitched},
        {button<&Ui_::btnDNF>,  switched<CAT::SetBC, 1, 0>,         &Corvane::notchFilterSwitched},
        {button<&Ui_::btnScan>, scan,                               nullptr},
    };
    // clang-format on
};

// A toggle's colour is its state: the click switches the colour and sends the new state.
void Corvane::toggle(QWidget* target) {
    for (const ToggleRow& row : ToggleTable::rows) {
        if (row.button(ui) != target)
            continue;
        const bool on = !ShowsColour(target, OnColour());
        paintButton(target, on ? OnColour() : defaultButtonColour);
        sendIfOpen(row.command(ui, on), false);
        if (row.after)
            (this->*row.after)(on);
        return;
    }
}

// The DNR switch is kept per band and mode.
void Corvane::noiseReductionSwitched(bool on) {
    dnrEnabled = on ? 1 : 0;
    SaveBandModeSettings(-1, -1);
}

void Corvane::notchFilterSwitched(bool) {
    SaveBandModeSettings(-1, -1);
}

void Corvane::on_btnATT_clicked() {
    toggle(ui.btnATT);
}
void Corvane::on_btnIPO_clicked() {
    toggle(ui.btnIPO);
}
void Corvane::on_btnNAR_clicked() {
    toggle(ui.btnNAR);
}
void Corvane::on_btnNB_clicked() {
    toggle(ui.btnNB);
}
void Corvane::on_btnFST_clicked() {
    toggle(ui.btnFST);
}
void Corvane::on_btnLOCK_clicked() {
    toggle(ui.btnLOCK);
}
void Corvane::on_btnMON_clicked() {
    toggle(ui.btnMON);
}
void Corvane::on_btnPRC_clicked() {
    toggle(ui.btnPRC);
}
void Corvane::on_btnEQ_clicked() {
    toggle(ui.btnEQ);
}
void Corvane::on_btnVox_clicked() {
    toggle(ui.btnVox);
}
void Corvane::on_btnTNR_clicked() {
    toggle(ui.btnTNR);
}
void Corvane::on_btnDNR_clicked() {
    toggle(ui.btnDNR);
}
void Corvane::on_btnDNF_clicked() {
    toggle(ui.btnDNF);
}
void Corvane::on_btnScan_clicked() {
    toggle(ui.btnScan);
}

// The tuner runs one tuning cycle.
void Corvane::on_btnTune_clicked() {
    sendIfOpen(CAT::SetAC(2), false);
}

void Corvane::on_ckMox_stateChanged(int state) {
    sendIfOpen(CAT::SetMX(state > 0 ? 1 : 0), false);
}

void Corvane::on_ckTXWatch_stateChanged(int state) {
    sendIfOpen(CAT::SetTS(state > 0 ? 1 : 0), false);
}

// Menu item 16-15: OFF, EXTERNAL, ATAS, LAMP.
void Corvane::on_cbTunerSelectActivated(int index) {
    sendIfOpen(CAT::SetMenu(1615, index), false);
}

// Menu item 05-01: 1, 3 or 10 ms.
void Corvane::on_cbNBWidthActivated(int index) {
    sendIfOpen(CAT::SetMenu(501, index), false);
}

// Menu item 05-02: 10, 30 or 50 dB.
void Corvane::on_cbNBRejectionActivated(int index) {
    sendIfOpen(CAT::SetMenu(502, index), false);
}

// The PS answer paints the button red once the radio reports itself on.
void Corvane::on_btnPWR_clicked() {
    if (!ShowsColour(ui.btnPWR, PowerOnColour())) {
        powerOn();
        return;
    }
    powerOff();
    paintButton(ui.btnPWR, defaultButtonColour);
}
