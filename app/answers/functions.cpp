// The radio's reports of its functions and levels on the General page: one table, one engine.
#include "app/Corvane.h"
#include "app/panel/look.h"

#include <QSerialPort>

#include <iterator>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Kind = CAT::CommandType;

namespace {

constexpr int noiseBlankerLevelItem = 503;

enum class Effect {
    Light,         // the button green for 1, default for 0, other values nothing
    LightInverted, // the button green for 0, default for 1
    Level,         // the slider takes the value
    Tick,          // the check box ticked for 1, cleared for 0
    Custom,        // the row's own function
};

// Whether a held mouse button skips the row's display update (the operator may be dragging it).
enum class Held { Skips, Applies };

// Two-field answers (ML, PR) choose their row by their first field; the others by kind alone.
constexpr int anySelector = -1;

using WidgetOf = QWidget* (*)(Ui::CorvaneClass&);
template <auto Member> QWidget* widget(Ui::CorvaneClass& ui) {
    return ui.*Member;
}

struct FunctionRow {
    Kind kind;
    int selector;
    Held held;
    Effect effect;
    WidgetOf target;                             // Light, LightInverted, Level, Tick
    void (Corvane::*custom)(CAT::IntPair value); // Custom
};

using Ui_ = Ui::CorvaneClass;

} // namespace

struct FunctionTable {
    static constexpr Held skips = Held::Skips;
    static constexpr Held applies = Held::Applies;
    static constexpr int any = anySelector;

    // clang-format off
    // kind     selector held     effect                 widget                                 custom
    static constexpr FunctionRow rows[] = {
        {Kind::AC, any, skips,   Effect::Light,         widget<&Ui_::btnTNR>,   nullptr},
        {Kind::AG, any, skips,   Effect::Level,         widget<&Ui_::Volume>,   nullptr},
        {Kind::AI, any, applies, Effect::Custom,        nullptr,                &Corvane::showAutoInformation},
        {Kind::BC, any, skips,   Effect::Light,         widget<&Ui_::btnDNF>,   nullptr},
        {Kind::BI, any, skips,   Effect::Tick,          widget<&Ui_::chkbxBreakIn>, nullptr},
        {Kind::CF, any, skips,   Effect::Custom,        nullptr,                &Corvane::showClarifier},
        // The DCS code's answer ends the FM page's read; it opens the page even while the
        // tab click that asked for it still holds the mouse button.
        {Kind::CN, 0,   skips,   Effect::Custom,        nullptr,                &Corvane::showTone},
        {Kind::CN, 1,   applies, Effect::Custom,        nullptr,                &Corvane::showDcsCode},
        {Kind::CO, 0,   applies, Effect::Custom,        nullptr,                &Corvane::showContourSwitch},
        {Kind::CO, 1,   applies, Effect::Custom,        nullptr,                &Corvane::showContourFrequency},
        {Kind::CO, 2,   applies, Effect::Custom,        nullptr,                &Corvane::showApfSwitch},
        {Kind::CO, 3,   skips,   Effect::Custom,        nullptr,                &Corvane::showApfLevel},
        {Kind::CS, any, applies, Effect::Tick,          widget<&Ui_::chkCWSpot>, nullptr},
        {Kind::CT, any, applies, Effect::Custom,        nullptr,                &Corvane::showToneMode},
        {Kind::FS, any, skips,   Effect::Light,         widget<&Ui_::btnFST>,   nullptr},
        {Kind::IS, any, skips,   Effect::Custom,        nullptr,                &Corvane::showIFShift},
        {Kind::KP, any, applies, Effect::Custom,        nullptr,                &Corvane::showKeyPitch},
        {Kind::KR, any, skips,   Effect::Tick,          widget<&Ui_::chkbxKeyerEnable>, nullptr},
        {Kind::KS, any, skips,   Effect::Custom,        nullptr,                &Corvane::showKeySpeed},
        {Kind::LK, any, skips,   Effect::Light,         widget<&Ui_::btnLOCK>,  nullptr},
        {Kind::MG, any, skips,   Effect::Level,         widget<&Ui_::MicGain>,  nullptr},
        {Kind::ML, 0,   skips,   Effect::Custom,        nullptr,                &Corvane::showMonitor},
        {Kind::ML, any, skips,   Effect::Level,         widget<&Ui_::MON>,      nullptr},
        {Kind::MX, any, applies, Effect::Tick,          widget<&Ui_::ckMox>,    nullptr},
        {Kind::NA, any, applies, Effect::Custom,        nullptr,                &Corvane::showNarrow},
        {Kind::NB, any, applies, Effect::Light,         widget<&Ui_::btnNB>,    nullptr},
        {Kind::NL, any, applies, Effect::Custom,        nullptr,                &Corvane::showNoiseBlankerLevel},
        {Kind::NR, any, skips,   Effect::Custom,        nullptr,                &Corvane::showNoiseReduction},
        {Kind::OS, any, applies, Effect::Custom,        nullptr,                &Corvane::showRepeaterOffset},
        {Kind::PA, any, applies, Effect::LightInverted, widget<&Ui_::btnIPO>,   nullptr},
        {Kind::PL, any, applies, Effect::Level,         widget<&Ui_::Comp>,     nullptr},
        {Kind::PR, 0,   applies, Effect::Light,         widget<&Ui_::btnPRC>,   nullptr},
        {Kind::PR, 1,   applies, Effect::Light,         widget<&Ui_::btnEQ>,    nullptr},
        {Kind::RA, any, applies, Effect::Light,         widget<&Ui_::btnATT>,   nullptr},
        {Kind::RG, any, skips,   Effect::Level,         widget<&Ui_::RFGain>,   nullptr},
        {Kind::RL, any, skips,   Effect::Custom,        nullptr,                &Corvane::showNoiseReductionLevel},
        {Kind::RS, any, applies, Effect::Custom,        nullptr,                &Corvane::showRadioStatus},
        {Kind::SC, any, applies, Effect::Custom,        nullptr,                &Corvane::showScan},
        {Kind::SD, any, skips,   Effect::Custom,        nullptr,                &Corvane::showBreakInDelay},
        {Kind::SQ, any, skips,   Effect::Level,         widget<&Ui_::Squelch>,  nullptr},
        {Kind::ST, any, applies, Effect::Custom,        nullptr,                &Corvane::showSplitWatch},
        {Kind::UL, any, applies, Effect::Custom,        nullptr,                &Corvane::showUnlock},
        {Kind::VX, any, skips,   Effect::Light,         widget<&Ui_::btnVox>,   nullptr},
    };
    // clang-format on

    // The first row of the kind whose selector matches (a row for any selector comes last).
    static const FunctionRow* find(Kind kind, int selector) {
        for (const FunctionRow& row : rows)
            if (row.kind == kind && (row.selector == any || row.selector == selector))
                return &row;
        return nullptr;
    }

    // Each kind and selector has one row, and a kind's selector rows come before its row for
    // any selector, which would otherwise take their answers.
    static constexpr bool eachSelectorOnce() {
        for (size_t i = 0; i < std::size(rows); ++i)
            for (size_t j = i + 1; j < std::size(rows); ++j)
                if (rows[i].kind == rows[j].kind &&
                    (rows[i].selector == rows[j].selector || rows[i].selector == any))
                    return false;
        return true;
    }
};
static_assert(FunctionTable::eachSelectorOnce(), "an answer has two rows in the function table");

void Corvane::applyFunctionAnswer(Kind kind, CAT::IntPair value) {
    const FunctionRow* row = FunctionTable::find(kind, value.first);
    if (!row || (row->held == Held::Skips && MouseButtonHeld()))
        return;
    const int state = value.second;
    switch (row->effect) {
    case Effect::Light:
        showOnOff(row->target(ui), state);
        break;
    case Effect::LightInverted:
        showOnOff(row->target(ui), state == 0 ? 1 : state == 1 ? 0 : state);
        break;
    case Effect::Level:
        if (auto* slider = qobject_cast<QAbstractSlider*>(row->target(ui))) {
            ShowValue(slider, state);
            slider->update();
        }
        break;
    case Effect::Tick:
        if (auto* box = qobject_cast<QAbstractButton*>(row->target(ui)); box && (state == 0 || state == 1))
            ShowChecked(box, state == 1);
        break;
    case Effect::Custom:
        (this->*row->custom)(value);
        break;
    }
}

void Corvane::paintButton(QWidget* button, const QColor& colour) {
    Paint(button, QPalette::Button, colour);
}

void Corvane::showOnOff(QWidget* button, int state) {
    if (state == 1)
        paintButton(button, OnColour());
    else if (state == 0)
        paintButton(button, defaultButtonColour);
}

// A restore closes with an AC read; its answer ends the wait of the read-back's end. The
// band-change step runs whatever the mouse does; only the tuner button waits for it.
void Corvane::onTunerAnswer(int state) {
    onBandChangeStep();
    applyFunctionAnswer(Kind::AC, {0, state});
}

// The first NR answer after a restore ends the disabled state of the read-back.
void Corvane::onNoiseReductionAnswer(int state) {
    if (restore.phase() == BandModeRestore::Phase::Restoring && !readBackInProgress)
        setEnabled(true);
    applyFunctionAnswer(Kind::NR, {0, state});
}

void Corvane::showNoiseReduction(CAT::IntPair value) {
    dnrEnabled = value.second;
    // The button takes the DNR slider's palette, so it sits in the row of the slider's colours.
    QPalette palette = ui.DNR->palette();
    palette.setColor(QPalette::Button, value.second != 0 ? OnColour() : defaultButtonColour);
    ui.btnDNR->setAutoFillBackground(true);
    ui.btnDNR->setPalette(palette);
    ui.btnDNR->update();
}

// The level must be on the slider before the read-back stores it for this band and mode, or
// the restore at its end would send the slider's minimum back to the radio.
void Corvane::showNoiseReductionLevel(CAT::IntPair value) {
    ShowValue(ui.DNR, value.second);
    // During the read-back its chain step stores the level.
    if (!readBackInProgress)
        keepNoiseReductionLevel();
}

// NL is the level of menu 05-03: the settings file keeps it whatever the mouse does.
void Corvane::showNoiseBlankerLevel(CAT::IntPair value) {
    onItemReported(noiseBlankerLevelItem, value.second);
    if (MouseButtonHeld())
        return;
    ShowValue(ui.NBLvl, value.second);
    ui.NBLvl->update();
}

// The radio forgets auto-information over a power cycle; switch it back on.
void Corvane::showAutoInformation(CAT::IntPair value) {
    if (value.second == 0)
        write(CAT::SetAI(1), false);
}

void Corvane::showClarifier(CAT::IntPair value) {
    if (value.second != 0 && value.second != 1)
        return;
    ShowChecked(ui.ckClarEnabled, value.second == 1);
    enableClarifierControls(value.second == 1);
}

// The scroll bar takes the reported shift too, so a later nudge starts from the radio's shift.
void Corvane::showIFShift(CAT::IntPair value) {
    ShowChecked(ui.ckIFShift, value.first == 1);
    ShowValue(ui.hsIFShift, value.second);
    showIFShiftState();
}

// Monitor state (kind 0); the monitor level is the MON slider's row.
void Corvane::showMonitor(CAT::IntPair value) {
    monitorOn = value.second == 1;
    showOnOff(ui.btnMON, value.second);
}

// NAR picks the width list of the next SH answer (the read-back reads NA before SH; the radio
// reports its width again after a NAR change).
void Corvane::showNarrow(CAT::IntPair value) {
    narrowOn = value.second;
    showOnOff(ui.btnNAR, value.second);
}

void Corvane::showRadioStatus(CAT::IntPair value) {
    if (value.second == 0)
        statusBar()->showMessage("Normal Mode Activated!", 1000);
    else if (value.second == 1)
        statusBar()->showMessage("Menu Mode Activated!", 1000);
}

void Corvane::showScan(CAT::IntPair value) {
    switch (value.second) {
    case 0:
        paintButton(ui.btnScan, defaultButtonColour);
        break;
    case 1:
    case 2:
        paintButton(ui.btnScan, OnColour());
        ShowChecked(value.second == 1 ? ui.rbScanUp : ui.rbScanDown, true);
        break;
    default:
        break;
    }
}

// Split (ST 1 or 2) lets the operator listen on the transmit frequency.
void Corvane::showSplitWatch(CAT::IntPair value) {
    if (value.second == 0)
        ui.ckTXWatch->setEnabled(false);
    else if (value.second == 1 || value.second == 2)
        ui.ckTXWatch->setEnabled(true);
}

void Corvane::showUnlock(CAT::IntPair value) {
    if (value.second == 0) {
        statusBar()->showMessage("PLL Locked", 2000);
    } else if (value.second == 1) {
        statusBar()->clearMessage();
        statusBar()->showMessage("PLL Unlocked!", 5000);
    }
}
