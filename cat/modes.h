// The radio's operating modes by their code, the one hexadecimal digit of the MD, IF and MT
// answers and sets, with the name the radio's display and the channel editor give each. One
// table for the memory channel editor and the channel file. Standard library only.
#pragma once

#include <iterator>
#include <string_view>

namespace Yaesu::Commands::FT891 {

struct Mode {
    int code;
    std::string_view panel;  // as the radio's own display names it
    std::string_view editor; // the memory channel editor's list and the channel file
};

// Every code the radio reports, once, in code order. Codes 0, E and F are no mode; A is
// DATA-FM and B the narrow FM.
// clang-format off
inline constexpr Mode modes[] = {
    // code  panel      editor
    {0x1,    "LSB",     "LSB"},
    {0x2,    "USB",     "USB"},
    {0x3,    "CW-U",    "CW"},
    {0x4,    "FM",      "FM"},
    {0x5,    "AM",      "AM"},
    {0x6,    "RTTY-L",  "RTTY_LSB"},
    {0x7,    "CW-L",    "CW_R"},
    {0x8,    "DATA-L",  "DATA_LSB"},
    {0x9,    "RTTY-U",  "RTTY_USB"},
    {0xA,    "DATA-FM", "DATA_FM"},
    {0xB,    "FM-N",    "FM_N"},
    {0xC,    "DATA-U",  "DATA_USB"},
    {0xD,    "AM-N",    "AM_N"},
};
// clang-format on
inline constexpr int modeCount = static_cast<int>(std::size(modes));
static_assert(modeCount == 13, "codes 1 to D");

// The row of a code; nullptr for a code that is no mode.
const Mode* ModeOfCode(int code) noexcept;
// The row whose editor name or panel name this is; nullptr for any other text.
const Mode* ModeNamed(std::string_view name) noexcept;

} // namespace Yaesu::Commands::FT891
