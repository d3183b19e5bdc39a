#include "cat/builders.h"
#include "cat/radio_facts.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <iterator>
#include <string_view>

#include <fmt/compile.h>
#include <fmt/format.h>

namespace Yaesu::Commands::FT891 {

namespace {

struct Bounds {
    int low;
    int high;
};
constexpr Bounds kAny{INT_MIN, INT_MAX}; // no clamp: the value is formatted unchanged

// Commands of fixed text: the value-less set commands and the plain reads.
struct FixedCommand {
    std::string_view builder;
    std::string_view text;
};

// clang-format off
constexpr FixedCommand kFixedCommands[] = {
    // builder   text
    {"SetAB",  "AB;"},  {"SetAM",  "AM;"},  {"SetBA",  "BA;"},  {"SetRC",  "RC;"},
    {"SetSV",  "SV;"},  {"SetVM",  "VM;"},  {"SetZI",  "ZI;"},
    {"ReadAC", "AC;"},  {"ReadAG", "AG0;"}, {"ReadAI", "AI;"},  {"ReadBC", "BC0;"},
    {"ReadBI", "BI;"},  {"ReadBY", "BY;"},  {"ReadCF", "CF0;"}, {"ReadCS", "CS;"},
    {"ReadCT", "CT0;"}, {"ReadDA", "DA;"},  {"ReadFA", "FA;"},  {"ReadFB", "FB;"},
    {"ReadFS", "FS;"},  {"ReadGT", "GT0;"}, {"ReadID", "ID;"},  {"ReadIF", "IF;"},
    {"ReadIS", "IS0;"}, {"ReadKP", "KP;"},  {"ReadKR", "KR;"},  {"ReadKS", "KS;"},
    {"ReadLK", "LK;"},  {"ReadMD", "MD0;"}, {"ReadMG", "MG;"},  {"ReadMS", "MS;"},
    {"ReadMX", "MX;"},  {"ReadNA", "NA0;"}, {"ReadNB", "NB0;"}, {"ReadNL", "NL0;"},
    {"ReadNR", "NR0;"}, {"ReadOI", "OI;"},  {"ReadOS", "OS0;"}, {"ReadPA", "PA0;"},
    {"ReadPC", "PC;"},  {"ReadPL", "PL;"},  {"ReadPS", "PS;"},  {"ReadRA", "RA0;"},
    {"ReadRG", "RG0;"}, {"ReadRL", "RL0;"}, {"ReadSC", "SC;"},  {"ReadSD", "SD;"},
    {"ReadSH", "SH0;"}, {"ReadSQ", "SQ0;"}, {"ReadST", "ST;"},  {"ReadVD", "VD;"},
    {"ReadVG", "VG;"},  {"ReadVX", "VX;"},  {"ReadSM", "SM0;"},
};
static_assert(std::size(kFixedCommands) == 7 + 47);

// Commands of one int: the value is clamped to its bounds, then formatted.
struct ValueCommand {
    std::string_view builder;
    std::string_view format;
    Bounds value;
};

constexpr ValueCommand kValueCommands[] = {
    // builder   format          clamp
    {"SetAC",  "AC00{:01d};",  kAny},
    {"SetAG",  "AG0{:03};",    {0, 255}},
    {"SetAI",  "AI{};",        kAny},
    {"SetBC",  "BC0{:d};",     kAny},
    {"SetBI",  "BI{:01d};",    kAny},
    {"SetBS",  "BS{:0>2};",    kAny},
    {"SetCF",  "CF0{:d}0;",    kAny},
    {"SetCH",  "CH{:d};",      kAny},
    {"SetCS",  "CS{:d};",      kAny},
    {"SetCT",  "CT0{:d};",     kAny},
    {"SetFA",  "FA{:09};",     {lowestFrequency, highestFrequency}},
    {"SetFB",  "FB{:09};",     {lowestFrequency, highestFrequency}},
    {"SetFS",  "FS{:d};",      kAny},
    {"SetGT",  "GT{:02};",     kAny},
    {"SetKR",  "KR{};",        kAny},
    {"SetKS",  "KS{:03};",     kAny},
    {"SetKY",  "KY{:0X};",     kAny},
    {"SetLK",  "LK{:d};",      kAny},
    {"SetLM",  "LM0{:d};",     kAny},
    {"SetMD",  "MD0{:0X};",    kAny},
    {"SetMG",  "MG{:03};",     {0, 100}},
    {"SetMS",  "MS{:d};",      kAny},
    {"SetMX",  "MX{:d};",      kAny},
    {"SetNA",  "NA0{:d};",     kAny},
    {"SetNB",  "NB0{:d};",     kAny},
    {"SetNL",  "NL0{:03};",    {0, 10}},
    {"SetNR",  "NR0{:d};",     kAny},
    {"SetOS",  "OS0{:d};",     kAny},
    {"SetPA",  "PA0{:d};",     kAny},
    {"SetPB",  "PB0{:d};",     kAny},
    {"SetPS",  "PS{:d};",      kAny},
    {"SetRA",  "RA0{:d};",     kAny},
    {"SetRD",  "RD{:04};",     {0, 9999}},
    {"SetRG",  "RG0{:03};",    {0, 30}},
    {"SetRL",  "RL0{:02};",    {1, 15}},
    {"SetRU",  "RU{:04d};",    kAny},
    {"SetSC",  "SC{:d};",      kAny},
    {"SetSQ",  "SQ0{:03};",    {0, 100}},
    {"SetST",  "ST{:d};",      kAny},
    {"SetTS",  "TS{:d};",      kAny},
    {"SetVD",  "VD{:04};",     {30, 3000}},
    {"SetVG",  "VG{:03};",     {0, 100}},
    {"SetVX",  "VX{:d};",      kAny},
    {"ReadBP", "BP0{:d};",     kAny},
    {"ReadCN", "CN0{:01d};",   kAny},
    {"ReadCO", "CO0{:d};",     kAny},
    {"ReadKM", "KM{:d};",      kAny},
    {"ReadML", "ML{:d};",      kAny},
    {"ReadPR", "PR{:01};",     kAny},
    {"ReadRM", "RM{:d};",      kAny},
};

// Commands of two ints (IntPair): each value clamped to its bounds, then formatted in order.
struct PairCommand {
    std::string_view builder;
    std::string_view format;
    Bounds first;
    Bounds second;
};

constexpr PairCommand kPairCommands[] = {
    // builder  format               first  second
    {"SetBP", "BP0{:d}{:0>3};",     kAny,  kAny},
    {"SetCN", "CN0{:d}{:0>3};",     kAny,  kAny},
    {"SetCO", "CO0{:d}{:04};",      kAny,  kAny},
    {"SetML", "ML{:01d}{:03d};",    kAny,  {0, 100}},
    {"SetPR", "PR{:01}{:01};",      kAny,  kAny},
    {"SetSH", "SH0{:01d}{:02d};",   kAny,  {0, 21}},
};
// clang-format on

// Position of `builder` in `table`; the size of the table when absent (caught at compile time).
template <typename Row, std::size_t N>
constexpr std::size_t IndexOf(const Row (&table)[N], std::string_view builder) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].builder == builder) {
            return i;
        }
    }
    return N;
}

int Clamp(int value, Bounds bounds) {
    return std::clamp(value, bounds.low, bounds.high);
}

std::string Build(const ValueCommand& command, int value) {
    return fmt::format(fmt::runtime(command.format), Clamp(value, command.value));
}

std::string Build(const PairCommand& command, const IntPair& value) {
    return fmt::format(fmt::runtime(command.format), Clamp(value.first, command.first),
                       Clamp(value.second, command.second));
}

} // namespace

// Each named builder is its table row; a name missing from its table does not compile.
#define CORVANE_ROW(table, name)                                                                             \
    constexpr std::size_t row = IndexOf(table, #name);                                                       \
    static_assert(row < std::size(table), #name " has no row in " #table)
#define CORVANE_FIXED(name)                                                                                  \
    std::string name() {                                                                                     \
        CORVANE_ROW(kFixedCommands, name);                                                                   \
        return std::string(kFixedCommands[row].text);                                                        \
    }
#define CORVANE_VALUE(name)                                                                                  \
    std::string name(int value) {                                                                            \
        CORVANE_ROW(kValueCommands, name);                                                                   \
        return Build(kValueCommands[row], value);                                                            \
    }
#define CORVANE_PAIR(name)                                                                                   \
    std::string name(const IntPair& value) {                                                                 \
        CORVANE_ROW(kPairCommands, name);                                                                    \
        return Build(kPairCommands[row], value);                                                             \
    }

// clang-format off
CORVANE_FIXED(SetAB) CORVANE_FIXED(SetAM) CORVANE_FIXED(SetBA) CORVANE_FIXED(SetRC)
CORVANE_FIXED(SetSV) CORVANE_FIXED(SetVM) CORVANE_FIXED(SetZI)
CORVANE_FIXED(ReadAC) CORVANE_FIXED(ReadAG) CORVANE_FIXED(ReadAI) CORVANE_FIXED(ReadBC)
CORVANE_FIXED(ReadBI) CORVANE_FIXED(ReadBY) CORVANE_FIXED(ReadCF) CORVANE_FIXED(ReadCS)
CORVANE_FIXED(ReadCT) CORVANE_FIXED(ReadDA) CORVANE_FIXED(ReadFA) CORVANE_FIXED(ReadFB)
CORVANE_FIXED(ReadFS) CORVANE_FIXED(ReadGT) CORVANE_FIXED(ReadID) CORVANE_FIXED(ReadIF)
CORVANE_FIXED(ReadIS) CORVANE_FIXED(ReadKP) CORVANE_FIXED(ReadKR) CORVANE_FIXED(ReadKS)
CORVANE_FIXED(ReadLK) CORVANE_FIXED(ReadMD) CORVANE_FIXED(ReadMG) CORVANE_FIXED(ReadMS)
CORVANE_FIXED(ReadMX) CORVANE_FIXED(ReadNA) CORVANE_FIXED(ReadNB) CORVANE_FIXED(ReadNL)
CORVANE_FIXED(ReadNR) CORVANE_FIXED(ReadOI) CORVANE_FIXED(ReadOS) CORVANE_FIXED(ReadPA)
CORVANE_FIXED(ReadPC) CORVANE_FIXED(ReadPL) CORVANE_FIXED(ReadPS) CORVANE_FIXED(ReadRA)
CORVANE_FIXED(ReadRG) CORVANE_FIXED(ReadRL) CORVANE_FIXED(ReadSC) CORVANE_FIXED(ReadSD)
CORVANE_FIXED(ReadSH) CORVANE_FIXED(ReadSQ) CORVANE_FIXED(ReadST) CORVANE_FIXED(ReadVD)
CORVANE_FIXED(ReadVG) CORVANE_FIXED(ReadVX) CORVANE_FIXED(ReadSM)

CORVANE_VALUE(SetAC) CORVANE_VALUE(SetAG) CORVANE_VALUE(SetAI) CORVANE_VALUE(SetBC)
CORVANE_VALUE(SetBI) CORVANE_VALUE(SetBS) CORVANE_VALUE(SetCF) CORVANE_VALUE(SetCH)
CORVANE_VALUE(SetCS) CORVANE_VALUE(SetCT) CORVANE_VALUE(SetFA) CORVANE_VALUE(SetFB)
CORVANE_VALUE(SetFS) CORVANE_VALUE(SetGT) CORVANE_VALUE(SetKR) CORVANE_VALUE(SetKS)
CORVANE_VALUE(SetKY) CORVANE_VALUE(SetLK) CORVANE_VALUE(SetLM) CORVANE_VALUE(SetMD)
CORVANE_VALUE(SetMG) CORVANE_VALUE(SetMS) CORVANE_VALUE(SetMX) CORVANE_VALUE(SetNA)
CORVANE_VALUE(SetNB) CORVANE_VALUE(SetNL) CORVANE_VALUE(SetNR) CORVANE_VALUE(SetOS)
CORVANE_VALUE(SetPA) CORVANE_VALUE(SetPB) CORVANE_VALUE(SetPS) CORVANE_VALUE(SetRA)
CORVANE_VALUE(SetRD) CORVANE_VALUE(SetRG) CORVANE_VALUE(SetRL) CORVANE_VALUE(SetRU)
CORVANE_VALUE(SetSC) CORVANE_VALUE(SetSQ) CORVANE_VALUE(SetST) CORVANE_VALUE(SetTS)
CORVANE_VALUE(SetVD) CORVANE_VALUE(SetVG) CORVANE_VALUE(SetVX)
CORVANE_VALUE(ReadBP) CORVANE_VALUE(ReadCN) CORVANE_VALUE(ReadCO) CORVANE_VALUE(ReadKM)
CORVANE_VALUE(ReadML) CORVANE_VALUE(ReadPR) CORVANE_VALUE(ReadRM)

CORVANE_PAIR(SetBP) CORVANE_PAIR(SetCN) CORVANE_PAIR(SetCO) CORVANE_PAIR(SetML)
CORVANE_PAIR(SetPR) CORVANE_PAIR(SetSH)

#undef CORVANE_PAIR
#undef CORVANE_VALUE
#undef CORVANE_FIXED
#undef CORVANE_ROW
// clang-format on

// ---- Builders with their own rules -------------------------------------------------------

std::string SetIS(int on, int shift) {
    // The radio steps the IF shift in 20 Hz up to +1200 Hz; below that nothing is limited.
    shift = std::min(shift, 1200) / 20 * 20;
    return fmt::format(FMT_COMPILE("IS0{:01}{:+05d};"), on, shift);
}

std::string SetKM(const KeyerMemoryRecord& memory) {
    // A keyer memory holds at most 50 characters.
    return fmt::format(FMT_COMPILE("KM{:d}{};"), memory.slot, std::string_view(memory.text).substr(0, 50));
}

std::string ChannelField(int channel) {
    if (channel >= 100 && channel <= 117) {
        // The programmable-scan pairs: 100 is P1L, 101 P1U, ... 117 P9U.
        const int index = channel - 100;
        const char field[] = {'M', 'T', 'P', static_cast<char>('1' + index / 2), index % 2 != 0 ? 'U' : 'L'};
        return std::string(field, sizeof field);
    }
    if (channel == 600) {
        return "MTEMG";
    }
    return fmt::format(FMT_COMPILE("MT{:03}"), channel);
}

std::string ReadMT(int channel) {
    return ChannelField(channel) + ';';
}

std::string SetMT(const ChannelRecord& channel) {
    // The tag is always a 12-character field: the text from the left, blanks to the right.
    char tag[12];
    std::fill(std::begin(tag), std::end(tag), ' ');
    std::copy_n(channel.tagName.data(), std::min<std::size_t>(channel.tagName.size(), sizeof tag), tag);
    // The channel field is the one ReadMT uses for every channel, 501-504, 506 and EMG included,
    // so that the command always starts with "MT" and its channel.
    return fmt::format(FMT_COMPILE("{}{:09}{:+05}{:01}0{:0X}0{:01}00{:01}{:01}{};"),
                       ChannelField(channel.channel), channel.frequency, channel.clarifierValue,
                       channel.clarifierEnabled, channel.mode, channel.ctcssType, channel.operation,
                       channel.tagEnabled, std::string_view(tag, sizeof tag));
}

} // namespace Yaesu::Commands::FT891
