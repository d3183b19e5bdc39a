// Answers other than EX that show on the settings pages: dimmer, AGC, power, VOX gain and
// delay, and the CW and FM pages' key speed, pitch, break-in delay, tones and APF. Each lands on the row of
// the control that shows it, with nothing sent back.
#include "app/Corvane.h"
#include "app/answers/guards.h"
#include "app/pages/menu_rows.h"
#include "app/trace.h"

#include <QRadioButton>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {
constexpr int contrastItem = 201, backlightItem = 202, lcdItem = 203, txBusyItem = 204;
constexpr int voxGainItem = 1617, voxDelayItem = 1618;
constexpr int breakInDelayItem = 709;

// The power item the PC level belongs to: one per band range (HF, 50 MHz) and mode group.
int powerItem(int modeCode, unsigned int hertz) {
    const int base = hertz >= 30000000 ? 1604 : 1601;
    switch (modeCode) {
    case 0x1: // LSB
    case 0x2: // USB
        return base;
    case 0x5: // AM
    case 0xD: // AM-N
        return base + 1;
    default: // CW, FM, RTTY and DATA
        return base + 2;
    }
}
} // namespace

// The four levels come in the order of the menu items 02-01 to 02-04.
void Corvane::onDimmerAnswer(const CAT::DimmerRecord& levels) {
    showRowValue(*PageTables::findRow(backlightItem), levels.second);
    showRowValue(*PageTables::findRow(lcdItem), levels.third);
    showRowValue(*PageTables::findRow(contrastItem), levels.first);
    showRowValue(*PageTables::findRow(txBusyItem), levels.fourth);
}

void Corvane::onAgcAnswer(int value) {
    const MenuRow& row = PageTables::commandRows().front();
    if (!answerDropped(row))
        showRowValue(row, value);
}

// PC is the power of the mode the radio is on, which is one of the six power items; until
// the radio has reported its mode there is no telling which.
void Corvane::onPowerLevelAnswer(int watts) {
    if (MouseButtonHeld())
        return;
    if (radioModeCode < 0) {
        Trace(fmt::format("power {:d} W for a mode not known yet\r\n", watts));
        return;
    }
    showRowValue(*PageTables::findRow(powerItem(radioModeCode, vfoAFrequency)), watts);
}

void Corvane::onVoxDelayAnswer(int ms) {
    onItemReported(voxDelayItem, ms);
    if (!MouseButtonHeld())
        showRowValue(*PageTables::findRow(voxDelayItem), ms);
}

void Corvane::onVoxGainAnswer(int level) {
    onItemReported(voxGainItem, level);
    if (!MouseButtonHeld())
        showRowValue(*PageTables::findRow(voxGainItem), level);
}

// The radio reports and takes the key speed in words per minute, 4 to 60, as the box shows
// it. The box keeps still while the operator types in it.
void Corvane::showKeySpeed(CAT::IntPair value) {
    if (!ui.spbxKeySpeed->hasFocus())
        showRowValue(PageTables::commandRow("spbxKeySpeed"), value.second);
}

void Corvane::showKeyPitch(CAT::IntPair value) {
    showRowValue(PageTables::commandRow("vsKeyPitch"), value.second);
}

// SD is the break-in delay of 07-09.
void Corvane::showBreakInDelay(CAT::IntPair value) {
    // The radio reports a change of menu 07-09 as SD: the settings file must see it too.
    onItemReported(breakInDelayItem, value.second);
    showRowValue(*PageTables::findRow(breakInDelayItem), value.second);
}

void Corvane::showRepeaterOffset(CAT::IntPair value) {
    showRowValue(PageTables::commandRow("cbRepeaterOffset"), value.second);
}

void Corvane::showTone(CAT::IntPair value) {
    showRowValue(PageTables::commandRow("cbCTCSSTone"), value.second);
}

void Corvane::showDcsCode(CAT::IntPair value) {
    if (!MouseButtonHeld())
        showRowValue(PageTables::commandRow("cbDCSCode"), value.second);
    fmLoaded = true;
}

void Corvane::showToneMode(CAT::IntPair value) {
    const auto buttons = toneModeButtons();
    if (value.second < 0 || value.second >= static_cast<int>(buttons.size())) {
        Trace(fmt::format("no tone mode {:d}\r\n", value.second));
        return;
    }
    ShowChecked(buttons[static_cast<size_t>(value.second)], true);
}

void Corvane::showApfSwitch(CAT::IntPair value) {
    if (value.second != 0 && value.second != 1)
        return;
    ShowChecked(ui.ckAPF, value.second == 1);
    enableApfControls(value.second == 1);
}

void Corvane::showApfLevel(CAT::IntPair value) {
    showRowValue(PageTables::commandRow("lvlAPF"), value.second);
}
