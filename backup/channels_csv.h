// The memory channels as CSV, one line per channel under a header line: channel, frequency in
// hertz, mode, shift, clarifier on/off and offset, tone mode and tag. Reading refuses any row
// the memory channel editor would refuse, naming its line and column. No Qt.
#pragma once

#include "cat/types.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Backup {

// The editor's own limits on a channel.
constexpr int channelCount = 99;
constexpr int lowestFrequency = 30000, highestFrequency = 56000000;
constexpr int clarifierLimit = 9999;
constexpr std::size_t tagLength = 12;
// The radio takes printable ASCII in a tag; a ";" would end its command early.
bool ValidTag(std::string_view tag);

// The names of a channel's repeater shift and tone mode, the radio's code being the index; the
// editor's lists show the same. Modes are named by the one mode table of the command set.
const std::vector<std::string>& ShiftNames();
const std::vector<std::string>& ToneNames();

std::string WriteChannelsCsv(const std::vector<Yaesu::Commands::FT891::ChannelRecord>& channels);

struct ReadChannels {
    std::vector<Yaesu::Commands::FT891::ChannelRecord> channels;
    std::string problem; // empty when every row is good
};
ReadChannels ReadChannelsCsv(std::string_view text);

constexpr std::size_t maxChannelsFileBytes = 1 << 20;

} // namespace Backup
