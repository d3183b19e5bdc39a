#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/wire.h"

namespace Sim {

// The radio's settings that one command reads and sets: a value, or a selector digit and a
// value. The value lives in `second`; `first` is the selector of commands such as BP, CO, ML
// and PR (fixed for a row), the on/off digit of IS and the leading digit of SH.
struct Range {
    int low;
    int high;
    int step = 1; // the values lie on a grid of this step (the IF shift's 20 Hz)
    constexpr bool contains(int value) const { return value >= low && value <= high && value % step == 0; }
};

enum class Access : std::uint8_t { ReadSet, ReadOnly };
// DNF, DNR and its level are not available in AM and FM: the radio rejects them there.
enum class Availability : std::uint8_t { AllModes, NotInAmFm };
// Auto-information reports a change of the radio's state; switching it is no such change.
enum class Report : std::uint8_t { Reported, Silent };

struct ValueCommand {
    const char* read; // the read command; also the name of the setting ("AG0;")
    // The radio's answer, in the marks of sim/wire.h ("AG0nnn;"). A set command has the
    // same layout: it is accepted only when it fits exactly, with every fixed character,
    // every digit and the sign where they belong. A selector fixed for the row is written
    // into the layout ("BP01nnn;").
    const char* layout;
    Access access;
    Range first;
    Range second;
    IntPair initial;
    Availability availability;
    Report report;

    std::string answer(const IntPair& value) const { return layOut(layout, value); }
    // The values a set command carries, or nothing when it does not fit the layout.
    std::optional<IntPair> parse(std::string_view command) const {
        return readLayout(layout, command, first.low);
    }
    // The text every set command of the setting starts with: the layout up to its first field.
    std::string_view setPrefix() const;
};

// The table of every such setting; see value_commands.cpp.
const ValueCommand* valueCommandsBegin();
const ValueCommand* valueCommandsEnd();

// The row whose read command is `read`, or nullptr.
const ValueCommand* findValueCommand(std::string_view read);
// The row a set command belongs to (its set prefix starts the command), or nullptr.
const ValueCommand* findSetCommand(std::string_view command);

} // namespace Sim
