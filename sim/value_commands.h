#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cat/types.h"

namespace Sim {

using Yaesu::Commands::FT891::IntPair;

// The radio's settings that one command reads and sets: a value, or a selector digit and a
// value. The value lives in `second`; `first` is the selector of commands such as BP, CO, ML
// and PR (fixed for a row), the on/off digit of IS and the leading digit of SH.
struct Range {
    int low;
    int high;
    constexpr bool contains(int value) const { return value >= low && value <= high; }
};

enum class Access : std::uint8_t { ReadSet, ReadOnly };
// DNF, DNR and its level are not available in AM and FM: the radio rejects them there.
enum class Availability : std::uint8_t { AllModes, NotInAmFm };
// Auto-information reports a change of the radio's state; switching it is no such change.
enum class Report : std::uint8_t { Reported, Silent };

struct ValueCommand {
    const char* read;      // the read command; also the name of the setting ("AG0;")
    const char* setPrefix; // the text every set command of the setting starts with ("AG0")
    // The radio's answer for a value; a set command is accepted only when it is exactly the
    // answer for the value it carries, so widths, signs and fixed characters are checked.
    std::string (*answer)(const IntPair& value);
    IntPair (*parse)(const std::string& command); // may throw on a malformed command
    Access access;
    Range first;
    Range second;
    IntPair initial;
    Availability availability;
    Report report;
};

// The table of every such setting; see value_commands.cpp.
const ValueCommand* valueCommandsBegin();
const ValueCommand* valueCommandsEnd();

// The row whose read command is `read`, or nullptr.
const ValueCommand* findValueCommand(std::string_view read);
// The row a set command belongs to (its set prefix starts the command), or nullptr.
const ValueCommand* findSetCommand(std::string_view command);

} // namespace Sim
