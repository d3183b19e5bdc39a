// What the FT-891 is: its frequency range, the amateur bands of its BAND key and its filter
// widths. Every other part of the program derives these from here.
#pragma once

#include <cstddef>
#include <iterator>

namespace Yaesu::Commands::FT891 {

// The radio tunes 30 kHz to 56 MHz; FA and FB clamp anything else into it.
inline constexpr int lowestFrequency = 30000;
inline constexpr int highestFrequency = 56000000;

// The amateur bands of the band code (BS), both ends included; anything else is general
// coverage, band code 11.
struct BandRange {
    unsigned int low, high; // Hz
    const char* name;       // as the panel's band list shows it
};
// clang-format off
inline constexpr BandRange bandRanges[] = {
    // low        high        name     band code
    { 1800000,   2000000,    "1.8"},  //  0
    { 3500000,   4000000,    "3.5"},  //  1
    { 5300000,   5405000,    "5.0"},  //  2
    { 7000000,   7300000,    "7.0"},  //  3
    {10100000,  10150000,    "10"},   //  4
    {14000000,  14350000,    "14"},   //  5
    {18068000,  18168000,    "18"},   //  6
    {21000000,  21450000,    "21"},   //  7
    {24890000,  24990000,    "24"},   //  8
    {28000000,  29700000,    "28"},   //  9
    {50000000,  54000000,    "50"},   // 10
};
// clang-format on
inline constexpr int generalCoverage = 11;
inline constexpr const char* generalCoverageName = "GEN";
static_assert(std::size(bandRanges) == generalCoverage);

constexpr bool bandsAscendApart() {
    for (std::size_t i = 0; i < std::size(bandRanges); ++i)
        if (bandRanges[i].low > bandRanges[i].high || (i > 0 && bandRanges[i - 1].high >= bandRanges[i].low))
            return false;
    return true;
}
static_assert(bandsAscendApart(), "band ranges overlap or are out of order");

// The band code of a frequency: its amateur band, or general coverage.
constexpr int BandOf(unsigned int hertz) {
    for (std::size_t i = 0; i < std::size(bandRanges); ++i)
        if (hertz >= bandRanges[i].low && hertz <= bandRanges[i].high)
            return static_cast<int>(i);
    return generalCoverage;
}

// The filter widths the SH command selects, in Hz, by width code: the item at index i of a
// list is width code i + offset.
struct WidthList {
    const int* hertz;
    int count;
    int offset; // the width code of the first item
    constexpr int code(int index) const { return index + offset; }
    constexpr bool holds(int code) const { return code >= offset && code < offset + count; }
    constexpr int hertzOf(int code) const { return holds(code) ? hertz[code - offset] : 0; }
};

namespace Widths {
inline constexpr int ssbNarrow[] = {200, 400, 600, 850, 1100, 1350, 1500, 1650, 1800};
inline constexpr int ssbWide[] = {1800, 1950, 2100, 2200, 2300, 2400, 2500,
                                  2600, 2700, 2800, 2900, 3000, 3200};
inline constexpr int cwNarrow[] = {50, 100, 150, 200, 250, 300, 350, 400, 450, 500};
inline constexpr int cwWide[] = {500, 800, 1200, 1400, 1700, 2000, 2400, 3000};
static_assert(std::size(ssbNarrow) == 9 && std::size(ssbWide) == 13);
static_assert(std::size(cwNarrow) == 10 && std::size(cwWide) == 8);

template <std::size_t N> constexpr WidthList list(const int (&hertz)[N], int offset) {
    return {hertz, static_cast<int>(N), offset};
}
} // namespace Widths

// The SSB lists share code 9 (1800 Hz) and the CW lists code 10 (500 Hz). RTTY and DATA use
// the CW lists; AM and FM have none.
inline constexpr WidthList ssbNarrowWidths = Widths::list(Widths::ssbNarrow, 1);
inline constexpr WidthList ssbWideWidths = Widths::list(Widths::ssbWide, 9);
inline constexpr WidthList cwNarrowWidths = Widths::list(Widths::cwNarrow, 1);
inline constexpr WidthList cwWideWidths = Widths::list(Widths::cwWide, 10);

} // namespace Yaesu::Commands::FT891
