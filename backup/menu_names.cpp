#include "backup/menu_names.h"

#include <algorithm>
#include <cctype>

#include <fmt/format.h>

namespace Backup {

namespace {

// clang-format off
constexpr std::array<MenuName, 158> kNames{{
    // number name                  low    high
    { 101, "AGC FAST DELAY",         20,  4000},
    { 102, "AGC MID DELAY",          20,  4000},
    { 103, "AGC SLOW DELAY",         20,  4000},
    { 201, "LCD CONTRAST",            1,    15},
    { 202, "DIMMER BACKLIT",          1,    15},
    { 203, "DIMMER LCD",              1,    15},
    { 204, "DIMMER TX/BUSY",          1,    15},
    { 205, "PEAK HOLD",               0,     3},
    { 206, "ZIN LED",                 0,     1},
    { 207, "POP-UP MENU",             0,     1},
    { 301, "DVS RX OUT LVL",          0,   100},
    { 302, "DVS TX OUT LVL",          0,   100},
    { 401, "KEYER TYPE",              0,     4},
    { 402, "KEYER DOT/DASH",          0,     1},
    { 403, "CW WEIGHT",              25,    45},
    { 404, "BEACON INTERVAL",         0,   690},
    { 405, "NUMBER STYLE",            0,     6},
    { 406, "CONTEST NUMBER",          0,  9999},
    { 407, "CW MEMORY 1",             0,     1},
    { 408, "CW MEMORY 2",             0,     1},
    { 409, "CW MEMORY 3",             0,     1},
    { 410, "CW MEMORY 4",             0,     1},
    { 411, "CW MEMORY 5",             0,     1},
    { 501, "NB WIDTH",                0,     2},
    { 502, "NB REJECTION",            0,     2},
    { 503, "NB LEVEL",                0,    10},
    { 504, "BEEP LEVEL",              0,   100},
    { 505, "RF/SQL VR",               0,     1},
    { 506, "CAT RATE",                0,     3},
    { 507, "CAT TOT",                 0,     3},
    { 508, "CAT RTS",                 0,     1},
    { 509, "MEM GROUP",               0,     1},
    { 510, "FM SETTING",              0,     1},
    { 511, "REC SETTING",             0,     1},
    { 512, "ATAS SETTING",            0,     1},
    { 513, "QUICK SPL FREQ",        -20,    20},
    { 514, "TX TOT",                  0,    30},
    { 515, "MIC SCAN",                0,     1},
    { 516, "MIC SCAN RESUME",         0,     1},
    { 517, "REF FREQ ADJ",          -25,    25},
    { 518, "CLAR SELECT",             0,     2},
    { 519, "APO",                     0,     7},
    { 520, "FAN CONTROL",             0,     1},
    { 601, "AM LCUT FREQ",            0,    19},
    { 602, "AM LCUT SLOPE",           0,     1},
    { 603, "AM HCUT FREQ",            0,    67},
    { 604, "AM HCUT SLOPE",           0,     1},
    { 605, "AM MIC SELECT",           0,     1},
    { 606, "AM OUT LEVEL",            0,   100},
    { 607, "AM PTT SELECT",           0,     2},
    { 701, "CW LCUT FREQ",            0,    19},
    { 702, "CW LCUT SLOPE",           0,     1},
    { 703, "CW HCUT FREQ",            0,    67},
    { 704, "CW HCUT SLOPE",           0,     1},
    { 705, "CW OUT LEVEL",            0,   100},
    { 706, "CW AUTO MODE",            0,     2},
    { 707, "CW BFO",                  0,     2},
    { 708, "CW BK-IN TYPE",           0,     1},
    { 709, "CW BK-IN DELAY",         30,  3000},
    { 710, "CW WAVE SHAPE",           1,     2},
    { 711, "CW FREQ DISPLAY",         0,     1},
    { 712, "PC KEYING",               0,     3},
    { 713, "QSK DELAY TIME",          0,     3},
    { 801, "DATA MODE",               0,     1},
    { 802, "PSK TONE",                0,     2},
    { 803, "OTHER DISP",          -3000,  3000},
    { 804, "OTHER SHIFT",         -3000,  3000},
    { 805, "DATA LCUT FREQ",          0,    19},
    { 806, "DATA LCUT SLOPE",         0,     1},
    { 807, "DATA HCUT FREQ",          0,    67},
    { 808, "DATA HCUT SLOPE",         0,     1},
    { 809, "DATA IN SELECT",          0,     1},
    { 810, "DATA PTT SELECT",         0,     2},
    { 811, "DATA OUT LEVEL",          0,   100},
    { 812, "DATA BFO",                0,     1},
    { 901, "FM MIC SELECT",           0,     1},
    { 902, "FM OUT LEVEL",            0,   100},
    { 903, "PKT PTT SELECT",          0,     2},
    { 904, "RPT SHIFT 28MHz",         0,  1000},
    { 905, "RPT SHIFT 50MHz",         0,  4000},
    { 906, "DCS POLARITY",            0,     3},
    {1001, "RTTY LCUT FREQ",          0,    19},
    {1002, "RTTY LCUT SLOPE",         0,     1},
    {1003, "RTTY HCUT FREQ",          0,    67},
    {1004, "RTTY HCUT SLOPE",         0,     1},
    {1005, "RTTY SHIFT PORT",         0,     2},
    {1006, "RTTY POLARITY-R",         0,     1},
    {1007, "RTTY POLARITY-T",         0,     1},
    {1008, "RTTY OUT LEVEL",          0,   100},
    {1009, "RTTY SHIFT FREQ",         0,     3},
    {1010, "RTTY MARK FREQ",          0,     1},
    {1011, "RTTY BFO",                0,     1},
    {1101, "SSB LCUT FREQ",           0,    19},
    {1102, "SSB LCUT SLOPE",          0,     1},
    {1103, "SSB HCUT FREQ",           0,    67},
    {1104, "SSB HCUT SLOPE",          0,     1},
    {1105, "SSB MIC SELECT",          0,     1},
    {1106, "SSB OUT LEVEL",           0,   100},
    {1107, "SSB BFO",                 0,     2},
    {1108, "SSB PTT SELECT",          0,     2},
    {1109, "SSB TX BPF",              0,     4},
    {1201, "APF WIDTH",               0,     2},
    {1202, "CONTOUR LEVEL",         -40,    20},
    {1203, "CONTOUR WIDTH",           1,    11},
    {1204, "IF NOTCH WIDTH",          0,     1},
    {1301, "SCP START CYCLE",         0,     3},
    {1302, "SCP SPAN FREQ",           0,     4},
    {1401, "QUICK DIAL",              0,     2},
    {1402, "SSB DIAL STEP",           0,     2},
    {1403, "AM DIAL STEP",            0,     1},
    {1404, "FM DIAL STEP",            0,     2},
    {1405, "DIAL STEP",               0,     2},
    {1406, "AM CH STEP",              0,     5},
    {1407, "FM CH STEP",              0,     6},
    {1501, "EQ1 FREQ",                0,     7},
    {1502, "EQ1 LEVEL",             -20,    20},
    {1503, "EQ1 BWTH",                1,    10},
    {1504, "EQ2 FREQ",                0,     9},
    {1505, "EQ2 LEVEL",             -20,    20},
    {1506, "EQ2 BWTH",                1,    10},
    {1507, "EQ3 FREQ",                0,    18},
    {1508, "EQ3 LEVEL",             -20,    20},
    {1509, "EQ3 BWTH",                1,    10},
    {1510, "P-EQ1 FREQ",              0,     7},
    {1511, "P-EQ1 LEVEL",           -20,    20},
    {1512, "P-EQ1 BWTH",              1,    10},
    {1513, "P-EQ2 FREQ",              0,     9},
    {1514, "P-EQ2 LEVEL",           -20,    20},
    {1515, "P-EQ2 BWTH",              1,    10},
    {1516, "P-EQ3 FREQ",              0,    18},
    {1517, "P-EQ3 LEVEL",           -20,    20},
    {1518, "P-EQ3 BWTH",              1,    10},
    {1601, "HF SSB PWR",              5,   100},
    {1602, "HF AM PWR",               5,    40},
    {1603, "HF PWR",                  5,   100},
    {1604, "50M SSB PWR",             5,   100},
    {1605, "50M AM PWR",              5,    40},
    {1606, "50M PWR",                 5,   100},
    {1607, "SSB MIC GAIN",            0,   100},
    {1608, "AM MIC GAIN",             0,   100},
    {1609, "FM MIC GAIN",             0,   100},
    {1610, "DATA MIC GAIN",           0,   100},
    {1611, "SSB DATA GAIN",           0,   100},
    {1612, "AM DATA GAIN",            0,   100},
    {1613, "FM DATA GAIN",            0,   100},
    {1614, "DATA DATA GAIN",          0,   100},
    {1615, "TUNER SELECT",            0,     3},
    {1616, "VOX SELECT",              0,     1},
    {1617, "VOX GAIN",                0,   100},
    {1618, "VOX DELAY",              30,  3000},
    {1619, "ANTI VOX GAIN",           0,   100},
    {1620, "DATA VOX GAIN",           0,   100},
    {1621, "DATA VOX DELAY",         30,  3000},
    {1622, "ANTI DVOX GAIN",          0,   100},
    {1623, "EMERGENCY FREQ TX",       0,     1},
    {1801, "MAIN VERSION",            0,  9999},
    {1802, "DSP VERSION",             0,  9999},
    {1803, "LCD VERSION",             0,  9999},
}};
// clang-format on

} // namespace

const std::array<MenuName, 158>& MenuNames() {
    return kNames;
}

const MenuName* FindMenuName(int number) {
    const auto it = std::lower_bound(kNames.begin(), kNames.end(), number,
                                     [](const MenuName& row, int n) { return row.number < n; });
    return it != kNames.end() && it->number == number ? &*it : nullptr;
}

std::string ItemText(int number) {
    return fmt::format("{:02d}-{:02d}", number / 100, number % 100);
}

int ItemNumber(const std::string& text) {
    const auto digit = [&text](std::size_t i) {
        return std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    };
    if (text.size() != 5 || text[2] != '-' || !digit(0) || !digit(1) || !digit(3) || !digit(4))
        return 0;
    return std::stoi(text.substr(0, 2)) * 100 + std::stoi(text.substr(3, 2));
}

} // namespace Backup
