#include "app/pages/menu_rows.h"

#include "app/Corvane.h"

#include <algorithm>
#include <cassert>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {

using P = SettingsPage;
using S = Shape;
using G = AnswerGuard;
using L = LoadedWhen;
using X = SendGuard;

// The radio reports AGC AUTO as 4, 5 or 6 (auto fast, mid or slow); the box has one AUTO.
constexpr int agcIndex(int value) {
    return value >= 4 && value <= 6 ? 4 : value;
}

// The receive cut-off steps: 0 is off, then 50 Hz steps from 100 Hz (low cut, 1 to 19) and
// from 700 Hz (high cut, 1 to 67), up to the pages' fixed end labels of 1000 and 4000 Hz.
std::string cutOffText(int step, int base) {
    return step == 0 ? std::string("OFF") : fmt::format("{:d} Hz", base + 50 * step);
}
std::string lowCutText(int step) {
    return cutOffText(step, 50);
}
std::string highCutText(int step) {
    return cutOffText(step, 650);
}

// 07-10 counts the wave shapes from 1 (2 ms); the box from 0.
constexpr int waveShapeIndex(int value) {
    return value - 1;
}
std::string waveShapeCommand(int index) {
    return CAT::SetMenu(710, index + 1);
}

// The key pitch in 10 Hz steps from 300 Hz (KP 00 to 75).
constexpr int keyPitchHertz(int step) {
    return 300 + 10 * step;
}

// The audio peak filter: CO function 2 switches it, function 3 moves its centre in 10 Hz
// steps around the pitch (25 is the pitch itself).
std::string apfSwitchCommand(int on) {
    return CAT::SetCO({2, on});
}
std::string apfLevelCommand(int step) {
    return CAT::SetCO({3, step});
}
std::string apfLevelText(int step) {
    return fmt::format("{:d}", (step - 25) * 10);
}

// Tones and codes go to the radio as their number in its list: CN with 0 for CTCSS, 1 for DCS.
std::string toneCommand(int index) {
    return CAT::SetCN({0, index});
}
std::string dcsCommand(int index) {
    return CAT::SetCN({1, index});
}

constexpr bool inCatalogueOrder(const std::array<MenuRow, 158>& rows) {
    for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i - 1].item >= rows[i].item)
            return false;
    return true;
}

} // namespace

// One row per catalogue item. Rows without a control (the CAT rate, the dialog items) act
// through their effect function.
const std::array<MenuRow, 158>& PageTables::menuRows() {
    // clang-format off
    static constexpr std::array<MenuRow, 158> rows{{
    // item page           widget                        shape       guard     loaded     send           command  map      label               format            effect
    { 101, P::Misc,        "lvlAGCFast",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblAGCFast",       "{:d} ms"},
    { 102, P::Misc,        "lvlAGCMid",                  S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblAGCMid",        "{:d} ms"},
    { 103, P::Misc,        "lvlAGCSlow",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblAGCSlow",       "{:d} ms"},
    { 201, P::Misc,        "lvlContrast",                S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblContrast",      "{:d}"},
    { 202, P::Misc,        "lvlBacklight",               S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblBacklight",     "{:d}"},
    { 203, P::Misc,        "lvlLCD",                     S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblLCDDimmer",     "{:d}"},
    { 204, P::Misc,        "lvlTxBusy",                  S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblTxBusy",        "{:d}"},
    { 205, P::Misc,        "cbPeakHold",                 S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 206, P::Misc,        "chkbxZinLed",                S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 207, P::Misc,        "cbPopupMenu",                S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 301, P::Contesting,  "lvldvsRx",                   S::Slider,  G::Page,  L::Before, X::PageLoaded},
    { 302, P::Contesting,  "lvldvsTx",                   S::Slider,  G::Page,  L::Never,  X::PageLoaded},
    { 401, P::Cw,       "cbCWKeyerType",              S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 402, P::Cw,       "cbCWKeyerDotDash",           S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 403, P::Cw,       "lvlCWWeight",                S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblCWWeight", "CW Weight: {:d}"},
    { 404, P::Misc,        "sbBeconInterval",            S::SpinBox, G::Page,  L::Never,  X::PageLoaded},
    { 405, P::Contesting,  "cbNumberFormat",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 406, P::Contesting,  "sbContestNumber",            S::SpinBox, G::Page,  L::Never,  X::PageLoaded},
    { 407, P::Contesting,  "cbMK",                       S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 408, P::Contesting,  "cbMK_2",                     S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 409, P::Contesting,  "cbMK_3",                     S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 410, P::Contesting,  "cbMK_4",                     S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 411, P::Contesting,  "cbMK_5",                     S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    { 501, P::FrontPanel,  "cbNBWidth",                  S::Combo,   G::Mouse, L::Never,  X::Elsewhere},
    { 502, P::FrontPanel,  "cbNBRejection",              S::Combo,   G::Mouse, L::Never,  X::Elsewhere},
    { 503, P::FrontPanel,  "NBLvl",                      S::Slider,  G::Mouse, L::Never,  X::Elsewhere},
    { 504, P::Misc,        "lvlBeep",                    S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblBeep",          "{:d}"},
    { 505, P::Misc,        "cbRFSQLvr",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 506, P::Misc,        nullptr,                      S::None,    G::Page,  L::Never,  X::ReadOnly,   nullptr, nullptr, nullptr,            nullptr,              &Corvane::setCatRate},
    { 507, P::Misc,        "cbCATTOT",                   S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 508, P::Misc,        "chkbxCatRTS",                S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 509, P::Misc,        "chkbxMemGroup",              S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 510, P::Misc,        "chkbxFMSetting",             S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 511, P::Misc,        "chkbxRECSettings",           S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 512, P::Misc,        "chkbxATAS",                  S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 513, P::Misc,        "sbQuickSplit",               S::SpinBox, G::Page,  L::Never,  X::PageLoaded},
    { 514, P::Misc,        "lvlTxTOT",                   S::Slider,  G::Page,  L::After,  X::PageLoaded, nullptr, nullptr, "lblTxTOT",         "{:d} min"},
    { 515, P::Misc,        "chkbxMicScan",               S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 516, P::Misc,        "cbMicScanResume",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 517, P::Misc,        "sbRefReqAdj",                S::SpinBox, G::Page,  L::Never,  X::PageLoaded},
    { 518, P::FrontPanel,  "cbClarSelect",               S::Combo,   G::Mouse, L::Never,  X::Elsewhere},
    { 519, P::Misc,        "cbAPO",                      S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 520, P::Misc,        "chkbxFan",                   S::Check,   G::Page,  L::Never,  X::PageLoaded},
    { 601, P::Am,       "lvlAMLCutFreq",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblLcutStart", nullptr, nullptr, lowCutText},
    { 602, P::Am,       "cbAMLCutSlope",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 603, P::Am,       "lvlAMHCutFreq",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHcutStart", nullptr, nullptr, highCutText},
    { 604, P::Am,       "cbAMHCutSlope",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 605, P::Am,       "cbAMMicSelect",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 606, P::Am,       "lvlAMOutLevel",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblAmOutLevel", "Out Level: {:d}"},
    { 607, P::Am,       "cbAMPTT",                    S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 701, P::Cw,       "lvlCWLCutFreq",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblLcutStart_CW", nullptr, nullptr, lowCutText},
    { 702, P::Cw,       "cbCWLCutSlope",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 703, P::Cw,       "lvlCWHCutFreq",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHcutStart_CW", nullptr, nullptr, highCutText},
    { 704, P::Cw,       "cbCWHCutSlope",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 705, P::Cw,       "lvlCWOutLevel",              S::Slider,  G::Page,  L::Before, X::PageLoaded, nullptr, nullptr, "lblCWOutLevel", "Out Level: {:d}"},
    { 706, P::Cw,       "cbCWAutoMode",               S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 707, P::Cw,       "cbCWBFO",                    S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 708, P::Cw,       "cbCWBkInType",               S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 709, P::Cw,       "lvlCWBKINDelay",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblCWBkInDelay", "BK-IN Delay: {:d} ms"},
    { 710, P::Cw,       "cbWaveShape",                S::Combo,   G::Page,  L::Never,  X::PageLoaded, waveShapeCommand, waveShapeIndex},
    { 711, P::Cw,       "cbCWFreqDisplay",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 712, P::Cw,       "cbCWPCKeying",               S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 713, P::Cw,       "cbCWQSKDelayTime",           S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 801, P::Data,     "cbDataMode",                 S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 802, P::Data,     "cbPskTone",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 803, P::Data,     "sbOtherDISP",                S::SpinBox, G::Page,  L::Never,  X::PageLoaded},
    { 804, P::Data,     "sbOtherShift",               S::SpinBox, G::Page,  L::Never,  X::PageLoaded},
    { 805, P::Data,     "lvlDATALCutFreq",            S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblLcutStart_DATA", nullptr, nullptr, lowCutText},
    { 806, P::Data,     "cbDATALCutSlope",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 807, P::Data,     "lvlDATAHCutFreq",            S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHcutStart_DATA", nullptr, nullptr, highCutText},
    { 808, P::Data,     "cbDATAHCutSlope",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 809, P::Data,     "cbDataInSelect",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 810, P::Data,     "cbDataPTT",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 811, P::Data,     "lvlDATAOut",                 S::Slider,  G::Page,  L::Before, X::PageLoaded, nullptr, nullptr, "lblDataOutValue", "{:d}"},
    { 812, P::Data,     "cbDataBFO",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 901, P::Fm,       "cbFMMicSelect",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 902, P::Fm,       "lvlFMOut",                   S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblFMOut", "Out Level: {:d}"},
    { 903, P::Fm,       "cbPktPttSelect",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    { 904, P::Fm,       "sb28mhzShift",               S::SpinBox, G::Page,  L::Never,  X::ReadOnly},
    { 905, P::Fm,       "sb50mhzShift",               S::SpinBox, G::Page,  L::Never,  X::ReadOnly},
    { 906, P::Fm,       "cbDCSPolarity",              S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1001, P::Rtty,     "lvlRTTYLCutFreq",            S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblLcutStart_DATA_2", nullptr, nullptr, lowCutText},
    {1002, P::Rtty,     "cbRTTYLCutSlope",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1003, P::Rtty,     "lvlRTTYHCutFreq",            S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHcutStart_DATA_2", nullptr, nullptr, highCutText},
    {1004, P::Rtty,     "cbRTTYHCutSlope",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1005, P::Rtty,     "cbRTTYShiftPort",            S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1006, P::Rtty,     "cbPolarityR",                S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1007, P::Rtty,     "cbPolarityT",                S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1008, P::Rtty,     "lvlRTTYOut",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblRTTYOut", "Out Level: {:d}"},
    {1009, P::Rtty,     "cbRTTYShiftFeq",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1010, P::Rtty,     "cbRTTYMarkFreq",             S::Combo,   G::Page,  L::Before, X::PageLoaded},
    {1011, P::Rtty,     "cbRTTYBfo",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1101, P::Ssb,      "lvlSSBLCutFreq",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblLcutStart_SSB", nullptr, nullptr, lowCutText},
    {1102, P::Ssb,      "cbSSBLCutSlope",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1103, P::Ssb,      "lvlSSBHCutFreq",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHcutStart_SSB", nullptr, nullptr, highCutText},
    {1104, P::Ssb,      "cbSSBHCutSlope",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1105, P::Ssb,      "cbSSBMicSelect",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1106, P::Ssb,      "lvlSSBOut",                  S::Slider,  G::Page,  L::Before, X::PageLoaded, nullptr, nullptr, "lblSSBOut", "Out Level: {:d}"},
    {1107, P::Ssb,      "cbSSBBfo",                   S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1108, P::Ssb,      "cbSSBPTTSelect",             S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1109, P::Ssb,      "cbSSBTxBPF",                 S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1201, P::Cw,       "cbApfWidth",                 S::Combo,   G::Mouse, L::Never,  X::PortOpen},
    {1202, P::Dialog,      nullptr,                      S::None,    G::None,  L::Never,  X::Elsewhere,  nullptr, nullptr, nullptr,            nullptr,              &Corvane::keepContourLevel},
    {1203, P::Dialog,      nullptr,                      S::None,    G::None,  L::Never,  X::Elsewhere,  nullptr, nullptr, nullptr,            nullptr,              &Corvane::keepContourWidth},
    {1204, P::Dialog,      nullptr,                      S::None,    G::Mouse, L::Never,  X::Elsewhere,  nullptr, nullptr, nullptr,            nullptr,              &Corvane::keepNotchValue},
    {1301, P::Misc,        "cbSpectrumScopeStartCycle",  S::Combo,   G::Mouse, L::Never,  X::PortOpen},
    {1302, P::Misc,        "cbScopeSpan",                S::Combo,   G::Mouse, L::Never,  X::PortOpen},
    {1401, P::Misc,        "cbQuickDialStep",            S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    {1402, P::Misc,        "cbSSBDialStep",              S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    {1403, P::Misc,        "cbAmDialStep",               S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1404, P::Misc,        "cbFmDialStep",               S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    {1405, P::Misc,        "cbDialDialStep",             S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    {1406, P::Misc,        "cbAmChStep",                 S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1407, P::Misc,        "cbFmChStep",                 S::Combo,   G::Page,  L::Never,  X::ReadOnly},
    {1501, P::TxEq,        "cbMicLow",                   S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1502, P::TxEq,        "lvlMicLow",                  S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbl0MicLow",         "{:d}"},
    {1503, P::TxEq,        "lvlMicLowWidth",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbllvlMicLowWidth",  "Width: {:d}"},
    {1504, P::TxEq,        "cbMicMid",                   S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1505, P::TxEq,        "lvlMicMid",                  S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbl0MicLow_2",       "{:d}"},
    {1506, P::TxEq,        "lvlMicMidWidth",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbllvlMicLowWidth_2", "Width: {:d}"},
    {1507, P::TxEq,        "cbMicHigh",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1508, P::TxEq,        "lvlMicHigh",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbl0MicLow_3",       "{:d}"},
    {1509, P::TxEq,        "lvlMicHighWidth",            S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbllvlMicLowWidth_3", "Width: {:d}"},
    {1510, P::TxEq,        "cbProcLow",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1511, P::TxEq,        "lvlProcLow",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbl0MicLow_4",       "{:d}"},
    {1512, P::TxEq,        "lvlProcLowWidth",            S::Slider,  G::Page,  L::Never,  X::PortOpen,   nullptr, nullptr, "lblProcLowWidth",    "Width: {:d}"},
    {1513, P::TxEq,        "cbProcMid",                  S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1514, P::TxEq,        "lvlProcMid",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbl0MicLow_5",       "{:d}"},
    {1515, P::TxEq,        "lvlProcMidWidth",            S::Slider,  G::Page,  L::Never,  X::PortOpen,   nullptr, nullptr, "lbllvlProcMidWidth", "Width: {:d}"},
    {1516, P::TxEq,        "cbProcHigh",                 S::Combo,   G::Page,  L::Never,  X::PageLoaded},
    {1517, P::TxEq,        "lvlProcHigh",                S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lbl0MicLow_6",       "{:d}"},
    {1518, P::TxEq,        "lvlProcHighWidth",           S::Slider,  G::Page,  L::Before, X::PortOpen,   nullptr, nullptr, "lbllvlMicLowWidth_6", "Width: {:d}"},
    {1601, P::OutputPower, "lvlHFSSBPower",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHFSSB",         "SSB: {:d}"},
    {1602, P::OutputPower, "lvlHFAMPower",               S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHFAM",          "AM: {:d}"},
    {1603, P::OutputPower, "lvlHFPower",                 S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblHFPOWER",       "CW/Data: {:d}"},
    {1604, P::OutputPower, "lvlVHFSSBPower",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblVHFSSB",        "SSB: {:d}"},
    {1605, P::OutputPower, "lvlVHFAMPower",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblVHFAM",         "AM: {:d}"},
    {1606, P::OutputPower, "lvlVHFPower",                S::Slider,  G::Page,  L::After,  X::PageLoaded, nullptr, nullptr, "lblVHFPWR",        "CW/Data: {:d}"},
    {1607, P::Ssb,      "lvlSSBMicGain",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblSSBMicGain", "Mic Gain: {:d}"},
    {1608, P::Am,       "lvlAMMicGain",               S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblAmMicGain", "Mic Gain: {:d}"},
    {1609, P::Fm,       "lvlFMMicGain",               S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblFMMicGain", "Mic Gain: {:d}"},
    {1610, P::Data,     "lvlDataMicGain",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblDataMicGain", "Mic Gain: {:d}"},
    {1611, P::Ssb,      "lvlSSBDataGain",             S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblSSBDataGain", "Data Gain: {:d}"},
    {1612, P::Am,       "lvlAMDataGain",              S::Slider,  G::Page,  L::After,  X::PageLoaded, nullptr, nullptr, "lblAmDataGain", "Data Gain: {:d}"},
    {1613, P::Fm,       "lvlFMDataGain",              S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblFMDataGain", "Data Gain: {:d}"},
    {1614, P::Data,     "lvlDataGain",                S::Slider,  G::Page,  L::Never,  X::PageLoaded, nullptr, nullptr, "lblDataGain", "DATA GAIN: {:d}"},
    {1615, P::FrontPanel,  "cbTunerSelect",              S::Combo,   G::Mouse, L::Never,  X::Elsewhere},
    {1616, P::Vox,         "cbVoxSelect",                S::Combo,   G::Page,  L::Never,  X::PortOpen},
    // VOX gain and delay are set with VG and VD; the menu items only show them.
    {1617, P::Vox,         "VoxLevel",                   S::Slider,  G::Page,  L::Never,  X::PortOpen,   CAT::SetVG, nullptr, "lblVoxLevel",   "Vox Gain: {:d}"},
    {1618, P::Vox,         "sbVoxDelay",                 S::SpinBox, G::Page,  L::Never,  X::PortOpen,   CAT::SetVD},
    {1619, P::Vox,         "AntiVox",                    S::Slider,  G::Page,  L::After,  X::PortOpen,   nullptr, nullptr, "lblAntiVox",       "Anti Vox Gain: {:d}"},
    {1620, P::Vox,         "lvlDataVoxGain",             S::Slider,  G::Page,  L::Never,  X::PortOpen,   nullptr, nullptr, "lblDataVoxGain",   "Vox Gain: {:d}"},
    {1621, P::Vox,         "sbDataVoxDelay",             S::SpinBox, G::Page,  L::Never,  X::PortOpen},
    {1622, P::Vox,         "lvlDataAntiVoxGain",         S::Slider,  G::Page,  L::Never,  X::PortOpen,   nullptr, nullptr, "lblDataAntiVoxGain", "Anti Vox Gain: {:d}"},
    {1623, P::Misc,        "chkbxEmergencyFreq",         S::Check,   G::Mouse, L::Never,  X::PageLoaded},
    {1801, P::Firmware,    "lblMain",                    S::Version, G::None,  L::Never,  X::ReadOnly},
    {1802, P::Firmware,    "lblDSP",                     S::Version, G::None,  L::Never,  X::ReadOnly},
    {1803, P::Firmware,    "lblLCD",                     S::Version, G::None,  L::Never,  X::ReadOnly},
}};
    // clang-format on
    static_assert(inCatalogueOrder(rows), "the page rows must follow the catalogue");
    return rows;
}

const std::array<MenuRow, 11>& PageTables::commandRows() {
    // clang-format off
    static constexpr std::array<MenuRow, 11> commands{{
    // item page      widget              shape       guard     loaded    send           command           map            label               format
    {0,    P::Misc,   "cbAGCFunc",        S::Combo,   G::Page,  L::Never, X::PageLoaded, CAT::SetGT,       agcIndex},
    {0,    P::Cw,     "spbxKeySpeed",     S::SpinBox, G::None,  L::Never, X::PageLoaded, CAT::SetKS},
    {0,    P::Cw,     "chkbxBreakIn",     S::Check,   G::None,  L::Never, X::PageLoaded, CAT::SetBI},
    {0,    P::Cw,     "chkbxKeyerEnable", S::Check,   G::None,  L::Never, X::PageLoaded, CAT::SetKR},
    {0,    P::Cw,     "chkCWSpot",        S::Check,   G::None,  L::Never, X::PageLoaded, CAT::SetCS},
    // The radio's KP set command is not in the command set: the pitch only shows.
    {0,    P::Cw,     "vsKeyPitch",       S::Slider,  G::None,  L::Never, X::Elsewhere,  nullptr,          keyPitchHertz, "lblKeyPitchValue", "{:d} Hz"},
    {0,    P::Cw,     "ckAPF",            S::Check,   G::None,  L::Never, X::PortOpen,   apfSwitchCommand},
    {0,    P::Cw,     "lvlAPF",           S::Slider,  G::None,  L::Never, X::PortOpen,   apfLevelCommand,  nullptr,       "lblApfLevelValue", nullptr,  nullptr, apfLevelText},
    {0,    P::Fm,     "cbCTCSSTone",      S::Combo,   G::None,  L::Never, X::PageLoaded, toneCommand},
    {0,    P::Fm,     "cbDCSCode",        S::Combo,   G::None,  L::Never, X::PageLoaded, dcsCommand},
    {0,    P::Fm,     "cbRepeaterOffset", S::Combo,   G::None,  L::Never, X::PageLoaded, CAT::SetOS},
}};
    // clang-format on
    return commands;
}

const MenuRow& PageTables::commandRow(std::string_view widget) {
    const auto& rows = commandRows();
    const auto* it =
        std::find_if(rows.begin(), rows.end(), [widget](const MenuRow& row) { return widget == row.widget; });
    // The names are this program's own; a missing one is a typing error in the caller.
    assert(it != rows.end());
    return *it;
}

std::string MenuRow::labelText(int value) const {
    return text ? text(value) : fmt::format(fmt::runtime(format), value);
}

const MenuRow* PageTables::findRow(int item) {
    const auto& rows = menuRows();
    const auto it = std::lower_bound(rows.begin(), rows.end(), item,
                                     [](const MenuRow& row, int n) { return row.item < n; });
    return it != rows.end() && it->item == item ? &*it : nullptr;
}

bool Corvane::*PageTables::loadedFlag(SettingsPage page) {
    switch (page) {
    case P::Misc:
        return &Corvane::miscLoaded;
    case P::OutputPower:
        return &Corvane::outputPowerLoaded;
    case P::Vox:
        return &Corvane::voxLoaded;
    case P::TxEq:
        return &Corvane::txEqLoaded;
    case P::Cw:
        return &Corvane::cwLoaded;
    case P::Ssb:
        return &Corvane::ssbLoaded;
    case P::Am:
        return &Corvane::amLoaded;
    case P::Fm:
        return &Corvane::fmLoaded;
    case P::Data:
        return &Corvane::dataLoaded;
    case P::Rtty:
        return &Corvane::rttyLoaded;
    case P::Contesting:
        return &Corvane::contestingLoaded;
    case P::FrontPanel:
    case P::Dialog:
    case P::Firmware:
        break;
    }
    return nullptr;
}
