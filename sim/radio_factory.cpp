#include "sim/radio_factory.h"

#include <iterator>

namespace Sim {

namespace {

// clang-format off
constexpr const char* kKeyerMemories[] = {
    "CQ CQ CQ DE N0CALL N0CALL K}",
    "TU 5NN}",
    "N0CALL}",
    "QRZ?}",
    "TU 73 DE N0CALL SK}",
};

struct FactoryChannel {
    int channel;
    int frequency; // Hz
    int mode;      // the radio's mode code
    const char* tag;
};
constexpr FactoryChannel kChannels[] = {
    // channel frequency  mode  tag
    {   1,      7074000,  0xC,  "FT8 40M"},
    {   2,     14074000,  0xC,  "FT8 20M"},
    {   3,      3573000,  0xC,  "FT8 80M"},
    {   4,     14230000,  0x2,  "SSTV 20M"},
    {   5,     29600000,  0x4,  "10M FM CALL"},
    {  10,      7030000,  0x3,  "QRP CW 40M"},
    { 100,     14000000,  0x3,  ""},
    { 101,     14070000,  0x3,  ""},
};

constexpr Band kBands[kBandCount] = {
    // low       high      home
    { 1800000,  2000000,  1840000},  // 1.8
    { 3500000,  4000000,  3573000},  // 3.5
    { 5300000,  5405000,  5357000},  // 5.0
    { 7000000,  7300000,  7074000},  // 7.0
    {10100000, 10150000, 10136000},  // 10
    {14000000, 14350000, 14074000},  // 14
    {18068000, 18168000, 18100000},  // 18
    {21000000, 21450000, 21074000},  // 21
    {24890000, 24990000, 24915000},  // 24
    {28000000, 29700000, 28074000},  // 28
    {50000000, 54000000, 50313000},  // 50
    {   30000, 56000000, 10000000},  // GEN
};
// clang-format on

static_assert(std::size(kKeyerMemories) == 5);

} // namespace

std::string factoryKeyerMemory(int slot) {
    return kKeyerMemories[slot - 1];
}

std::vector<ChannelRecord> factoryChannels() {
    std::vector<ChannelRecord> channels;
    for (const FactoryChannel& row : kChannels) {
        ChannelRecord channel;
        channel.channel = row.channel;
        channel.frequency = row.frequency;
        channel.mode = row.mode;
        channel.tagEnabled = row.tag[0] != '\0' ? 1 : 0;
        channel.tagName = row.tag;
        channels.push_back(channel);
    }
    return channels;
}

std::array<int, kBandCount> factoryBandFrequencies() {
    std::array<int, kBandCount> frequencies{};
    for (int band = 0; band < kBandCount; ++band)
        frequencies[static_cast<std::size_t>(band)] = kBands[band].home;
    return frequencies;
}

int bandOf(int frequency) {
    for (int band = 0; band + 1 < kBandCount; ++band)
        if (frequency >= kBands[band].low && frequency <= kBands[band].high)
            return band;
    return kBandCount - 1;
}

} // namespace Sim
