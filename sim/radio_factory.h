#pragma once

#include <array>
#include <string>
#include <vector>

#include "sim/wire.h"

namespace Sim {

// What the simulated radio holds when it leaves the factory, besides the settings of the
// value command and menu tables: keyer texts, a few memory channels, the band stack.

// The text of keyer memory 1-5. The radio ends each text with its end-of-message mark "}".
std::string factoryKeyerMemory(int slot);

std::vector<ChannelRecord> factoryChannels();

// The bands of the band select command BS, by band code 0-11 (1.8 MHz ... 50 MHz, GEN).
struct Band {
    int low;  // lowest frequency of the band, Hz
    int high; // highest frequency, Hz
    int home; // where the band stack starts, Hz
};
constexpr int kBandCount = 12;
std::array<int, kBandCount> factoryBandFrequencies();
// The band code of a frequency; GEN (11) outside the amateur bands.
int bandOf(int frequency);

} // namespace Sim
