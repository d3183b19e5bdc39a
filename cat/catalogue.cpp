// The menu item catalogue as one data table: 158 rows in ascending menu
// number (the read-back order). Columns: number, set format, reshape rule, rule bounds
// (low, high), answer width, read-only. Items 18-01..18-03 are version texts (width 4:
// two plus two characters, see ParseMenuVersion). The read-only rows are the items the menu
// does not take: the CAT rate (the line's own speed), the firmware versions, and 05-03, 16-17
// and 16-18, whose values the NL, VG and VD commands set.
#include "cat/menu.h"

namespace Yaesu::Commands::FT891 {

namespace {

using F = MenuFormat;
using R = MenuReshape;

constexpr std::array<MenuItem, 158> kCatalogue{{
    // clang-format off
    // number  format      reshape          low  high  width read-only  item  control
    { 101, F::Zero4,    R::Step20AtMost,     0, 4000, 4, false}, // 01-01 lvlAGCFast
    { 102, F::Zero4,    R::Step20AtMost,     0, 4000, 4, false}, // 01-02 lvlAGCMid
    { 103, F::Zero4,    R::Step20AtMost,     0, 4000, 4, false}, // 01-03 lvlAGCSlow
    { 201, F::Zero2,    R::Clamp,            1,   15, 2, false}, // 02-01 lvlContrast
    { 202, F::Zero2,    R::Clamp,            1,   15, 2, false}, // 02-02 lvlBacklight
    { 203, F::Zero2,    R::Clamp,            1,   15, 2, false}, // 02-03 lvlLCD
    { 204, F::Zero2,    R::Clamp,            1,   15, 2, false}, // 02-04 lvlTxBusy
    { 205, F::PeakHold, R::None,             0,    0, 1, false}, // 02-05 cbPeakHold
    { 206, F::Digits,   R::None,             0,    0, 1, false}, // 02-06 chkbxZinLed
    { 207, F::Digits,   R::None,             0,    0, 1, false}, // 02-07 cbPopupMenu
    { 301, F::Zero3,    R::None,             0,    0, 3, false}, // 03-01 lvldvsRx
    { 302, F::Zero3,    R::None,             0,    0, 3, false}, // 03-02 lvldvsTx
    { 401, F::Digits,   R::None,             0,    0, 1, false}, // 04-01 cbCWKeyerType
    { 402, F::Digits,   R::None,             0,    0, 1, false}, // 04-02 cbCWKeyerDotDash
    { 403, F::Zero2,    R::Clamp,           25,   45, 2, false}, // 04-03 lvlCWWeight
    { 404, F::Zero3,    R::None,             0,    0, 3, false}, // 04-04 sbBeconInterval
    { 405, F::Digits,   R::None,             0,    0, 1, false}, // 04-05 cbNumberFormat
    { 406, F::Zero4,    R::None,             0,    0, 4, false}, // 04-06 sbContestNumber
    { 407, F::Digits,   R::None,             0,    0, 1, false}, // 04-07 cbMK
    { 408, F::Digits,   R::None,             0,    0, 1, false}, // 04-08 cbMK_2
    { 409, F::Digits,   R::None,             0,    0, 1, false}, // 04-09 cbMK_3
    { 410, F::Digits,   R::None,             0,    0, 1, false}, // 04-10 cbMK_4
    { 411, F::Digits,   R::None,             0,    0, 1, false}, // 04-11 cbMK_5
    { 501, F::Digits,   R::None,             0,    0, 1, false}, // 05-01 cbNBWidth
    { 502, F::Digits,   R::None,             0,    0, 1, false}, // 05-02 cbNBRejection
    { 503, F::ReadOnly, R::None,             0,    0, 2, true}, // 05-03 NBLvl
    { 504, F::Zero3,    R::AtMost,           0,  100, 3, false}, // 05-04 lvlBeep
    { 505, F::Digits,   R::None,             0,    0, 1, false}, // 05-05 cbRFSQLvr
    { 506, F::ReadOnly, R::None,             0,    0, 1, true}, // 05-06 serial
    { 507, F::Digits,   R::None,             0,    0, 1, false}, // 05-07 cbCATTOT
    { 508, F::Digits,   R::None,             0,    0, 1, false}, // 05-08 chkbxCatRTS
    { 509, F::Digits,   R::None,             0,    0, 1, false}, // 05-09 chkbxMemGroup
    { 510, F::Digits,   R::None,             0,    0, 1, false}, // 05-10 chkbxFMSetting
    { 511, F::Digits,   R::None,             0,    0, 1, false}, // 05-11 chkbxRECSettings
    { 512, F::Digits,   R::None,             0,    0, 1, false}, // 05-12 chkbxATAS
    { 513, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 05-13 sbQuickSplit
    { 514, F::Zero2,    R::Clamp,            0,   30, 2, false}, // 05-14 lvlTxTOT
    { 515, F::Digits,   R::None,             0,    0, 1, false}, // 05-15 chkbxMicScan
    { 516, F::Digits,   R::None,             0,    0, 1, false}, // 05-16 cbMicScanResume
    { 517, F::Sign2,    R::Clamp,          -25,   25, 3, false}, // 05-17 sbRefReqAdj
    { 518, F::Digits,   R::None,             0,    0, 1, false}, // 05-18 cbClarSelect
    { 519, F::Digits,   R::None,             0,    0, 1, false}, // 05-19 cbAPO
    { 520, F::Digits,   R::None,             0,    0, 1, false}, // 05-20 chkbxFan
    { 601, F::Zero2,    R::None,             0,    0, 2, false}, // 06-01 lvlAMLCutFreq
    { 602, F::Digits,   R::None,             0,    0, 1, false}, // 06-02 cbAMLCutSlope
    { 603, F::Zero2,    R::None,             0,    0, 2, false}, // 06-03 lvlAMHCutFreq
    { 604, F::Digits,   R::None,             0,    0, 1, false}, // 06-04 cbAMHCutSlope
    { 605, F::Digits,   R::None,             0,    0, 1, false}, // 06-05 cbAMMicSelect
    { 606, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 06-06 lvlAMOutLevel
    { 607, F::Digits,   R::None,             0,    0, 1, false}, // 06-07 cbAMPTT
    { 701, F::Zero2,    R::None,             0,    0, 2, false}, // 07-01 lvlCWLCutFreq
    { 702, F::Digits,   R::None,             0,    0, 1, false}, // 07-02 cbCWLCutSlope
    { 703, F::Zero2,    R::None,             0,    0, 2, false}, // 07-03 lvlCWHCutFreq
    { 704, F::Digits,   R::None,             0,    0, 1, false}, // 07-04 cbCWHCutSlope
    { 705, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 07-05 lvlCWOutLevel
    { 706, F::Digits,   R::None,             0,    0, 1, false}, // 07-06 cbCWAutoMode
    { 707, F::Digits,   R::None,             0,    0, 1, false}, // 07-07 cbCWBFO
    { 708, F::Digits,   R::None,             0,    0, 1, false}, // 07-08 cbCWBkInType
    { 709, F::Zero4,    R::Step10Clamp,     30, 3000, 4, false}, // 07-09 lvlCWBKINDelay
    { 710, F::Digits,   R::None,             0,    0, 1, false}, // 07-10 cbWaveShape
    { 711, F::Digits,   R::None,             0,    0, 1, false}, // 07-11 cbCWFreqDisplay
    { 712, F::Digits,   R::None,             0,    0, 1, false}, // 07-12 cbCWPCKeying
    { 713, F::Digits,   R::None,             0,    0, 1, false}, // 07-13 cbCWQSKDelayTime
    { 801, F::Digits,   R::None,             0,    0, 1, false}, // 08-01 cbDataMode
    { 802, F::Digits,   R::None,             0,    0, 1, false}, // 08-02 cbPskTone
    { 803, F::Sign4,    R::ClampStep10,  -3000, 3000, 5, false}, // 08-03 sbOtherDISP
    { 804, F::Sign4,    R::ClampStep10,  -3000, 3000, 5, false}, // 08-04 sbOtherShift
    { 805, F::Zero2,    R::None,             0,    0, 2, false}, // 08-05 lvlDATALCutFreq
    { 806, F::Digits,   R::None,             0,    0, 1, false}, // 08-06 cbDATALCutSlope
    { 807, F::Zero2,    R::None,             0,    0, 2, false}, // 08-07 lvlDATAHCutFreq
    { 808, F::Digits,   R::None,             0,    0, 1, false}, // 08-08 cbDATAHCutSlope
    { 809, F::Digits,   R::None,             0,    0, 1, false}, // 08-09 cbDataInSelect
    { 810, F::Digits,   R::None,             0,    0, 1, false}, // 08-10 cbDataPTT
    { 811, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 08-11 lvlDATAOut
    { 812, F::Digits,   R::None,             0,    0, 1, false}, // 08-12 cbDataBFO
    { 901, F::Digits,   R::None,             0,    0, 1, false}, // 09-01 cbFMMicSelect
    { 902, F::Zero3,    R::None,             0,    0, 3, false}, // 09-02 lvlFMOut
    { 903, F::Digits,   R::None,             0,    0, 1, false}, // 09-03 cbPktPttSelect
    { 904, F::Zero4,    R::None,             0,    0, 4, false}, // 09-04 sb28mhzShift
    { 905, F::Zero4,    R::None,             0,    0, 4, false}, // 09-05 sb50mhzShift
    { 906, F::Digits,   R::None,             0,    0, 1, false}, // 09-06 cbDCSPolarity
    {1001, F::Zero2,    R::None,             0,    0, 2, false}, // 10-01 lvlRTTYLCutFreq
    {1002, F::Digits,   R::None,             0,    0, 1, false}, // 10-02 cbRTTYLCutSlope
    {1003, F::Zero2,    R::None,             0,    0, 2, false}, // 10-03 lvlRTTYHCutFreq
    {1004, F::Digits,   R::None,             0,    0, 1, false}, // 10-04 cbRTTYHCutSlope
    {1005, F::Digits,   R::None,             0,    0, 1, false}, // 10-05 cbRTTYShiftPort
    {1006, F::Digits,   R::None,             0,    0, 1, false}, // 10-06 cbPolarityR
    {1007, F::Digits,   R::None,             0,    0, 1, false}, // 10-07 cbPolarityT
    {1008, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 10-08 lvlRTTYOut
    {1009, F::Digits,   R::None,             0,    0, 1, false}, // 10-09 cbRTTYShiftFeq
    {1010, F::Digits,   R::None,             0,    0, 1, false}, // 10-10 cbRTTYMarkFreq
    {1011, F::Digits,   R::None,             0,    0, 1, false}, // 10-11 cbRTTYBfo
    {1101, F::Zero2,    R::None,             0,    0, 2, false}, // 11-01 lvlSSBLCutFreq
    {1102, F::Digits,   R::None,             0,    0, 1, false}, // 11-02 cbSSBLCutSlope
    {1103, F::Zero2,    R::None,             0,    0, 2, false}, // 11-03 lvlSSBHCutFreq
    {1104, F::Digits,   R::None,             0,    0, 1, false}, // 11-04 cbSSBHCutSlope
    {1105, F::Digits,   R::None,             0,    0, 1, false}, // 11-05 cbSSBMicSelect
    {1106, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 11-06 lvlSSBOut
    {1107, F::Digits,   R::None,             0,    0, 1, false}, // 11-07 cbSSBBfo
    {1108, F::Digits,   R::None,             0,    0, 1, false}, // 11-08 cbSSBPTTSelect
    {1109, F::Digits,   R::None,             0,    0, 1, false}, // 11-09 cbSSBTxBPF
    {1201, F::Digits,   R::None,             0,    0, 1, false}, // 12-01 cbApfWidth
    {1202, F::Sign2,    R::Clamp,          -40,   20, 3, false}, // 12-02 ContourLevel
    {1203, F::Zero2,    R::Clamp,            1,   11, 2, false}, // 12-03 ContourWidth
    {1204, F::Digits,   R::None,             0,    0, 2, false}, // 12-04 cbIFNotch
    {1301, F::Digits,   R::None,             0,    0, 1, false}, // 13-01 cbSpectrumScopeStartCycle
    {1302, F::Digits,   R::None,             0,    0, 1, false}, // 13-02 cbScopeSpan
    {1401, F::Digits,   R::None,             0,    0, 1, false}, // 14-01 cbQuickDialStep
    {1402, F::Digits,   R::None,             0,    0, 1, false}, // 14-02 cbSSBDialStep
    {1403, F::Digits,   R::None,             0,    0, 1, false}, // 14-03 cbAmDialStep
    {1404, F::Digits,   R::None,             0,    0, 1, false}, // 14-04 cbFmDialStep
    {1405, F::Digits,   R::None,             0,    0, 1, false}, // 14-05 cbDialDialStep
    {1406, F::Digits,   R::None,             0,    0, 1, false}, // 14-06 cbAmChStep
    {1407, F::Digits,   R::None,             0,    0, 1, false}, // 14-07 cbFmChStep
    {1501, F::Zero2,    R::None,             0,    0, 2, false}, // 15-01 cbMicLow
    {1502, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 15-02 lvlMicLow
    {1503, F::Zero2,    R::Clamp,            1,   10, 2, false}, // 15-03 lvlMicLowWidth
    {1504, F::Zero2,    R::None,             0,    0, 2, false}, // 15-04 cbMicMid
    {1505, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 15-05 lvlMicMid
    {1506, F::Zero2,    R::Clamp,            1,   10, 2, false}, // 15-06 lvlMicMidWidth
    {1507, F::Zero2,    R::None,             0,    0, 2, false}, // 15-07 cbMicHigh
    {1508, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 15-08 lvlMicHigh
    {1509, F::Zero2,    R::Clamp,            1,   10, 2, false}, // 15-09 lvlMicHighWidth
    {1510, F::Zero2,    R::None,             0,    0, 2, false}, // 15-10 cbProcLow
    {1511, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 15-11 lvlProcLow
    {1512, F::Zero2,    R::Clamp,            1,   10, 2, false}, // 15-12 lvlProcLowWidth
    {1513, F::Zero2,    R::None,             0,    0, 2, false}, // 15-13 cbProcMid
    {1514, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 15-14 lvlProcMid
    {1515, F::Zero2,    R::Clamp,            1,   10, 2, false}, // 15-15 lvlProcMidWidth
    {1516, F::Zero2,    R::None,             0,    0, 2, false}, // 15-16 cbProcHigh
    {1517, F::Sign2,    R::Clamp,          -20,   20, 3, false}, // 15-17 lvlProcHigh
    {1518, F::Zero2,    R::Clamp,            1,   10, 2, false}, // 15-18 lvlProcHighWidth
    {1601, F::Zero3,    R::Clamp,            5,  100, 3, false}, // 16-01 lvlHFSSBPower
    {1602, F::Zero3,    R::Clamp,            5,   40, 3, false}, // 16-02 lvlHFAMPower
    {1603, F::Zero3,    R::Clamp,            5,  100, 3, false}, // 16-03 lvlHFPower
    {1604, F::Zero3,    R::Clamp,            5,  100, 3, false}, // 16-04 lvlVHFSSBPower
    {1605, F::Zero3,    R::Clamp,            5,   40, 3, false}, // 16-05 lvlVHFAMPower
    {1606, F::Zero3,    R::Clamp,            5,  100, 3, false}, // 16-06 lvlVHFPower
    {1607, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-07 lvlSSBMicGain
    {1608, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-08 lvlAMMicGain
    {1609, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-09 lvlFMMicGain
    {1610, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-10 lvlDataMicGain
    {1611, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-11 lvlSSBDataGain
    {1612, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-12 lvlAMDataGain
    {1613, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-13 lvlFMDataGain
    {1614, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-14 lvlDataGain
    {1615, F::Digits,   R::None,             0,    0, 1, false}, // 16-15 cbTunerSelect
    {1616, F::Digits,   R::None,             0,    0, 1, false}, // 16-16 cbVoxSelect
    {1617, F::ReadOnly, R::None,             0,    0, 4, true}, // 16-17 VoxLevel
    {1618, F::ReadOnly, R::None,             0,    0, 4, true}, // 16-18 sbVoxDelay
    {1619, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-19 AntiVox
    {1620, F::Zero3,    R::Clamp,            0,  100, 4, false}, // 16-20 lvlDataVoxGain
    {1621, F::Zero4,    R::Clamp,           30, 3000, 4, false}, // 16-21 sbDataVoxDelay
    {1622, F::Zero3,    R::Clamp,            0,  100, 3, false}, // 16-22 lvlDataAntiVoxGain
    {1623, F::Digits,   R::None,             0,    0, 1, false}, // 16-23 chkbxEmergencyFreq
    {1801, F::ReadOnly, R::None,             0,    0, 4, true}, // 18-01 lblMain
    {1802, F::ReadOnly, R::None,             0,    0, 4, true}, // 18-02 lblDSP
    {1803, F::ReadOnly, R::None,             0,    0, 4, true}, // 18-03 lblLCD
    // clang-format on
}};

// The table must stay in ascending number: FindMenuItem searches it and NextMenuItem walks it.
constexpr bool Ascending() {
    for (std::size_t i = 1; i < kCatalogue.size(); ++i) {
        if (!(kCatalogue[i - 1].number < kCatalogue[i].number)) {
            return false;
        }
    }
    return true;
}
static_assert(Ascending(), "the menu catalogue must be in ascending menu number");

// Read-only rows have no set format, and every rule's bounds are in order.
constexpr bool Consistent() {
    for (const MenuItem& item : kCatalogue) {
        if (item.readOnly != (item.format == MenuFormat::ReadOnly) || item.low > item.high ||
            item.answerWidth < 1 || item.answerWidth > 5) {
            return false;
        }
    }
    return true;
}
static_assert(Consistent(), "a menu catalogue row contradicts itself");
static_assert(kCatalogue.front().number == 101 && kCatalogue.back().number == 1803);

} // namespace

const std::array<MenuItem, 158>& MenuCatalogue() {
    return kCatalogue;
}

} // namespace Yaesu::Commands::FT891
