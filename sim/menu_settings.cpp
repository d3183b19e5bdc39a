#include "sim/menu_settings.h"

#include <algorithm>
#include <iterator>

#include <fmt/format.h>

#include "sim/wire.h"

namespace Sim {

namespace {

constexpr MenuAccess S = MenuAccess::Set;
constexpr MenuAccess R = MenuAccess::ReadOnly;

// clang-format off
constexpr std::array<MenuSetting, 158> kMenuSettings{{
    // number low  high  initial field    step access   item
    { 101,   20, 4000,  300, "nnnn",  20, S   },  // 01-01 AGC fast delay (ms, steps of 20)
    { 102,   20, 4000, 1000, "nnnn",  20, S   },  // 01-02 AGC mid delay
    { 103,   20, 4000, 3000, "nnnn",  20, S   },  // 01-03 AGC slow delay
    { 201,    1,   15,    8, "nn",     1, S   },  // 02-01 contrast
    { 202,    1,   15,   10, "nn",     1, S   },  // 02-02 backlight (dimmer)
    { 203,    1,   15,    8, "nn",     1, S   },  // 02-03 LCD dimmer
    { 204,    1,   15,   10, "nn",     1, S   },  // 02-04 TX busy dimmer
    { 205,    0,    3,    0, "n",      1, S   },  // 02-05 peak hold
    { 206,    0,    1,    1, "n",      1, S   },  // 02-06 ZIN LED
    { 207,    0,    1,    0, "n",      1, S   },  // 02-07 pop-up menu
    { 301,    0,  100,   50, "nnn",    1, S   },  // 03-01 DVS RX out level
    { 302,    0,  100,   50, "nnn",    1, S   },  // 03-02 DVS TX level
    { 401,    0,    4,    3, "n",      1, S   },  // 04-01 keyer type
    { 402,    0,    1,    0, "n",      1, S   },  // 04-02 keyer dot/dash
    { 403,   25,   45,   30, "nn",     1, S   },  // 04-03 CW weight
    { 404,    0,  690,    0, "nnn",    1, S   },  // 04-04 beacon interval (0 off)
    { 405,    0,    6,    0, "n",      1, S   },  // 04-05 number style
    { 406,    0, 9999,    1, "nnnn",   1, S   },  // 04-06 contest number
    { 407,    0,    1,    0, "n",      1, S   },  // 04-07 CW memory 1 input
    { 408,    0,    1,    0, "n",      1, S   },  // 04-08 CW memory 2 input
    { 409,    0,    1,    0, "n",      1, S   },  // 04-09 CW memory 3 input
    { 410,    0,    1,    0, "n",      1, S   },  // 04-10 CW memory 4 input
    { 411,    0,    1,    0, "n",      1, S   },  // 04-11 CW memory 5 input
    { 501,    0,    2,    1, "n",      1, S   },  // 05-01 NB width
    { 502,    0,    2,    1, "n",      1, S   },  // 05-02 NB rejection
    { 503,    0,   10,    5, "nn",     1, R   },  // 05-03 NB level (the NL level)
    { 504,    0,  100,   30, "nnn",    1, S   },  // 05-04 beep level
    { 505,    0,    1,    0, "n",      1, S   },  // 05-05 RF/SQL VR
    { 506,    0,    3,    3, "n",      1, R   },  // 05-06 CAT rate (0 4800 ... 3 38400)
    { 507,    0,    3,    1, "n",      1, S   },  // 05-07 CAT time-out timer
    { 508,    0,    1,    1, "n",      1, S   },  // 05-08 CAT RTS
    { 509,    0,    1,    0, "n",      1, S   },  // 05-09 memory group
    { 510,    0,    1,    0, "n",      1, S   },  // 05-10 FM setting
    { 511,    0,    1,    0, "n",      1, S   },  // 05-11 REC setting
    { 512,    0,    1,    0, "n",      1, S   },  // 05-12 ATAS setting
    { 513,  -20,   20,    5, "gnn",    1, S   },  // 05-13 quick split (kHz)
    { 514,    0,   30,   10, "nn",     1, S   },  // 05-14 TX time-out timer (min)
    { 515,    0,    1,    1, "n",      1, S   },  // 05-15 mic scan
    { 516,    0,    1,    1, "n",      1, S   },  // 05-16 mic scan resume
    { 517,  -25,   25,    0, "gnn",    1, S   },  // 05-17 reference frequency adjust
    { 518,    0,    2,    0, "n",      1, S   },  // 05-18 clarifier select
    { 519,    0,    7,    0, "n",      1, S   },  // 05-19 auto power off
    { 520,    0,    1,    0, "n",      1, S   },  // 05-20 fan control
    { 601,    0,   19,    1, "nn",     1, S   },  // 06-01 AM low-cut frequency
    { 602,    0,    1,    1, "n",      1, S   },  // 06-02 AM low-cut slope
    { 603,    0,   67,   47, "nn",     1, S   },  // 06-03 AM high-cut frequency
    { 604,    0,    1,    1, "n",      1, S   },  // 06-04 AM high-cut slope
    { 605,    0,    1,    0, "n",      1, S   },  // 06-05 AM mic select
    { 606,    0,  100,   50, "nnn",    1, S   },  // 06-06 AM out level
    { 607,    0,    2,    0, "n",      1, S   },  // 06-07 AM PTT select
    { 701,    0,   19,    5, "nn",     1, S   },  // 07-01 CW low-cut frequency
    { 702,    0,    1,    1, "n",      1, S   },  // 07-02 CW low-cut slope
    { 703,    0,   67,   20, "nn",     1, S   },  // 07-03 CW high-cut frequency
    { 704,    0,    1,    1, "n",      1, S   },  // 07-04 CW high-cut slope
    { 705,    0,  100,   50, "nnn",    1, S   },  // 07-05 CW out level
    { 706,    0,    2,    0, "n",      1, S   },  // 07-06 CW auto mode
    { 707,    0,    2,    0, "n",      1, S   },  // 07-07 CW BFO
    { 708,    0,    1,    0, "n",      1, S   },  // 07-08 CW break-in type
    { 709,   30, 3000,  200, "nnnn",  10, S   },  // 07-09 CW break-in delay (ms)
    { 710,    1,    2,    2, "n",      1, S   },  // 07-10 CW wave shape (1 2 ms, 2 4 ms)
    { 711,    0,    1,    0, "n",      1, S   },  // 07-11 CW frequency display
    { 712,    0,    3,    0, "n",      1, S   },  // 07-12 PC keying
    { 713,    0,    3,    0, "n",      1, S   },  // 07-13 QSK delay time
    { 801,    0,    1,    1, "n",      1, S   },  // 08-01 DATA mode
    { 802,    0,    2,    0, "n",      1, S   },  // 08-02 PSK tone
    { 803, -3000, 3000,    0, "gnnnn", 10, S   },  // 08-03 other display (Hz, steps of 10)
    { 804, -3000, 3000, 1500, "gnnnn", 10, S   },  // 08-04 other shift (Hz, steps of 10)
    { 805,    0,   19,    3, "nn",     1, S   },  // 08-05 DATA low-cut frequency
    { 806,    0,    1,    1, "n",      1, S   },  // 08-06 DATA low-cut slope
    { 807,    0,   67,   47, "nn",     1, S   },  // 08-07 DATA high-cut frequency
    { 808,    0,    1,    1, "n",      1, S   },  // 08-08 DATA high-cut slope
    { 809,    0,    1,    1, "n",      1, S   },  // 08-09 DATA in select
    { 810,    0,    2,    0, "n",      1, S   },  // 08-10 DATA PTT select
    { 811,    0,  100,   50, "nnn",    1, S   },  // 08-11 DATA out level
    { 812,    0,    1,    0, "n",      1, S   },  // 08-12 DATA BFO
    { 901,    0,    1,    0, "n",      1, S   },  // 09-01 FM mic select
    { 902,    0,  100,   50, "nnn",    1, S   },  // 09-02 FM out level
    { 903,    0,    2,    0, "n",      1, S   },  // 09-03 packet PTT select
    { 904,    0, 1000,  100, "nnnn",   1, S   },  // 09-04 28 MHz repeater shift (kHz)
    { 905,    0, 4000, 1000, "nnnn",   1, S   },  // 09-05 50 MHz repeater shift (kHz)
    { 906,    0,    3,    0, "n",      1, S   },  // 09-06 DCS polarity
    {1001,    0,   19,    5, "nn",     1, S   },  // 10-01 RTTY low-cut frequency
    {1002,    0,    1,    1, "n",      1, S   },  // 10-02 RTTY low-cut slope
    {1003,    0,   67,   20, "nn",     1, S   },  // 10-03 RTTY high-cut frequency
    {1004,    0,    1,    1, "n",      1, S   },  // 10-04 RTTY high-cut slope
    {1005,    0,    2,    0, "n",      1, S   },  // 10-05 RTTY shift port
    {1006,    0,    1,    0, "n",      1, S   },  // 10-06 RTTY polarity RX
    {1007,    0,    1,    0, "n",      1, S   },  // 10-07 RTTY polarity TX
    {1008,    0,  100,   50, "nnn",    1, S   },  // 10-08 RTTY out level
    {1009,    0,    3,    0, "n",      1, S   },  // 10-09 RTTY shift frequency
    {1010,    0,    1,    1, "n",      1, S   },  // 10-10 RTTY mark frequency
    {1011,    0,    1,    1, "n",      1, S   },  // 10-11 RTTY BFO
    {1101,    0,   19,    1, "nn",     1, S   },  // 11-01 SSB low-cut frequency
    {1102,    0,    1,    1, "n",      1, S   },  // 11-02 SSB low-cut slope
    {1103,    0,   67,   47, "nn",     1, S   },  // 11-03 SSB high-cut frequency
    {1104,    0,    1,    1, "n",      1, S   },  // 11-04 SSB high-cut slope
    {1105,    0,    1,    0, "n",      1, S   },  // 11-05 SSB mic select
    {1106,    0,  100,   50, "nnn",    1, S   },  // 11-06 SSB out level
    {1107,    0,    2,    0, "n",      1, S   },  // 11-07 SSB BFO
    {1108,    0,    2,    0, "n",      1, S   },  // 11-08 SSB PTT select
    {1109,    0,    4,    1, "n",      1, S   },  // 11-09 SSB TX band-pass filter
    {1201,    0,    2,    1, "n",      1, S   },  // 12-01 APF width
    {1202,  -40,   20,  -15, "gnn",    1, S   },  // 12-02 contour level
    {1203,    1,   11,   10, "nn",     1, S   },  // 12-03 contour width
    {1204,    0,    1,    0, "n",      1, S   },  // 12-04 IF notch width
    {1301,    0,    3,    1, "n",      1, S   },  // 13-01 scope start cycle
    {1302,    0,    4,    2, "n",      1, S   },  // 13-02 scope span
    {1401,    0,    2,    1, "n",      1, S   },  // 14-01 quick dial step
    {1402,    0,    2,    2, "n",      1, S   },  // 14-02 SSB dial step
    {1403,    0,    1,    0, "n",      1, S   },  // 14-03 AM dial step
    {1404,    0,    2,    2, "n",      1, S   },  // 14-04 FM dial step
    {1405,    0,    2,    2, "n",      1, S   },  // 14-05 dial step
    {1406,    0,    5,    1, "n",      1, S   },  // 14-06 AM channel step
    {1407,    0,    6,    0, "n",      1, S   },  // 14-07 FM channel step
    {1501,    0,    7,    0, "nn",     1, S   },  // 15-01 mic EQ low frequency (0 off)
    {1502,  -20,   20,    5, "gnn",    1, S   },  // 15-02 mic EQ low level
    {1503,    1,   10,   10, "nn",     1, S   },  // 15-03 mic EQ low width
    {1504,    0,    9,    0, "nn",     1, S   },  // 15-04 mic EQ mid frequency
    {1505,  -20,   20,    0, "gnn",    1, S   },  // 15-05 mic EQ mid level
    {1506,    1,   10,   10, "nn",     1, S   },  // 15-06 mic EQ mid width
    {1507,    0,   18,    0, "nn",     1, S   },  // 15-07 mic EQ high frequency
    {1508,  -20,   20,    0, "gnn",    1, S   },  // 15-08 mic EQ high level
    {1509,    1,   10,   10, "nn",     1, S   },  // 15-09 mic EQ high width
    {1510,    0,    7,    2, "nn",     1, S   },  // 15-10 processor EQ low frequency
    {1511,  -20,   20,    0, "gnn",    1, S   },  // 15-11 processor EQ low level
    {1512,    1,   10,    2, "nn",     1, S   },  // 15-12 processor EQ low width
    {1513,    0,    9,    0, "nn",     1, S   },  // 15-13 processor EQ mid frequency
    {1514,  -20,   20,    0, "gnn",    1, S   },  // 15-14 processor EQ mid level
    {1515,    1,   10,   10, "nn",     1, S   },  // 15-15 processor EQ mid width
    {1516,    0,   18,   10, "nn",     1, S   },  // 15-16 processor EQ high frequency
    {1517,  -20,   20,   10, "gnn",    1, S   },  // 15-17 processor EQ high level
    {1518,    1,   10,    1, "nn",     1, S   },  // 15-18 processor EQ high width
    {1601,    5,  100,  100, "nnn",    1, S   },  // 16-01 HF SSB power (W)
    {1602,    5,   40,   25, "nnn",    1, S   },  // 16-02 HF AM power
    {1603,    5,  100,  100, "nnn",    1, S   },  // 16-03 HF power
    {1604,    5,  100,   50, "nnn",    1, S   },  // 16-04 50 MHz SSB power
    {1605,    5,   40,   25, "nnn",    1, S   },  // 16-05 50 MHz AM power
    {1606,    5,  100,   50, "nnn",    1, S   },  // 16-06 50 MHz power
    {1607,    0,  100,   50, "nnn",    1, S   },  // 16-07 SSB mic gain
    {1608,    0,  100,   50, "nnn",    1, S   },  // 16-08 AM mic gain
    {1609,    0,  100,   50, "nnn",    1, S   },  // 16-09 FM mic gain
    {1610,    0,  100,   50, "nnn",    1, S   },  // 16-10 DATA mic gain
    {1611,    0,  100,   50, "nnn",    1, S   },  // 16-11 SSB data gain
    {1612,    0,  100,   50, "nnn",    1, S   },  // 16-12 AM data gain
    {1613,    0,  100,   50, "nnn",    1, S   },  // 16-13 FM data gain
    {1614,    0,  100,   50, "nnn",    1, S   },  // 16-14 DATA data gain
    {1615,    0,    3,    0, "n",      1, S   },  // 16-15 tuner select
    {1616,    0,    1,    0, "n",      1, S   },  // 16-16 VOX select
    {1617,    0,  100,   50, "nnnn",   1, R   },  // 16-17 VOX gain (the VG level)
    {1618,   30, 3000,  500, "nnnn",   1, R   },  // 16-18 VOX delay (the VD delay)
    {1619,    0,  100,   50, "nnn",    1, S   },  // 16-19 anti-VOX gain
    {1620,    0,  100,   50, "nnn",    1, S   },  // 16-20 DATA VOX gain
    {1621,   30, 3000,  100, "nnnn",   1, S   },  // 16-21 DATA VOX delay
    {1622,    0,  100,    0, "nnn",    1, S   },  // 16-22 DATA anti-VOX gain
    {1623,    0,    1,    0, "n",      1, S   },  // 16-23 emergency frequency TX
    {1801,    0, 9999,  106, "nnnn",   1, R   },  // 18-01 main firmware, V01-06
    {1802,    0, 9999,  201, "nnnn",   1, R   },  // 18-02 DSP firmware, V02-01
    {1803,    0, 9999,  103, "nnnn",   1, R   },  // 18-03 display firmware, V01-03
}};

constexpr MenuLink kMenuLinks[] = {
    // number read
    { 503,    "NL0;"},
    { 709,    "SD;"},
    {1617,    "VG;"},
    {1618,    "VD;"},
};

struct CatRate {
    int baud;
    int code;
};
constexpr CatRate kCatRates[] = {
    // baud  code
    { 4800,  0},
    { 9600,  1},
    {19200,  2},
    {38400,  3},
};
// clang-format on

} // namespace

const std::array<MenuSetting, 158>& menuSettings() {
    return kMenuSettings;
}

const MenuSetting* findMenuSetting(int number) {
    const auto it = std::lower_bound(kMenuSettings.begin(), kMenuSettings.end(), number,
                                     [](const MenuSetting& row, int n) { return row.number < n; });
    return it != kMenuSettings.end() && it->number == number ? &*it : nullptr;
}

namespace {

std::string menuLayout(const MenuSetting& item) {
    return fmt::format("EX{:04}{};", item.number, item.field);
}

} // namespace

std::string menuAnswer(const MenuSetting& item, int value) {
    return layOut(menuLayout(item), {0, value});
}

std::optional<int> menuSetValue(const MenuSetting& item, std::string_view command) {
    const auto value = readLayout(menuLayout(item), command);
    if (!value || value->second < item.low || value->second > item.high || value->second % item.step != 0)
        return std::nullopt;
    return value->second;
}

const char* linkedValue(int number) {
    for (const MenuLink& link : kMenuLinks)
        if (link.number == number)
            return link.read;
    return nullptr;
}

int catRateCode(int baud) {
    for (const CatRate& rate : kCatRates)
        if (rate.baud == baud)
            return rate.code;
    return -1;
}

} // namespace Sim
