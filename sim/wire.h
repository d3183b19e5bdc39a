// The radio's own side of the CAT wire: the value types its commands carry and the layouts
// in which it writes and reads them. The simulated radio formats and checks every message
// with these alone, so it is a witness independent of the program's command set.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Sim {

// A setting's value, with the selector or on/off digit of two-field commands in `first`.
struct IntPair {
    int first = 0;
    int second = 0;
    friend bool operator==(const IntPair& a, const IntPair& b) {
        return a.first == b.first && a.second == b.second;
    }
    friend bool operator!=(const IntPair& a, const IntPair& b) { return !(a == b); }
};

// One memory channel as the MT command carries it.
struct ChannelRecord {
    int channel = 0;        // 1-99, 100-117 (P1L ... P9U), 501-504, 506, 600 (EMG)
    int frequency = 0;      // Hz
    int clarifierValue = 0; // Hz, signed
    int clarifierEnabled = 0;
    int mode = 0; // mode code, one hexadecimal digit
    int ctcssType = 0;
    int operation = 0; // repeater shift
    int tagEnabled = 0;
    std::string tagName; // up to 12 characters
};

// A layout is the text of a message with its fields marked by runs of lower-case letters
// (the radio's messages hold upper-case letters, digits, signs and ";" only):
//   s  the selector (`first`) in decimal, as many digits as the run is long, zero-filled
//   n  the value (`second`) in decimal, zero-filled to the run
//   h  the value in upper-case hexadecimal, zero-filled to the run
//   g  the value's sign, "+" or "-"; the run of n after it holds the digits
// Any other character stands for itself: "AG0nnn;", "IS0sgnnnn;", "MD0h;".

// The message of `layout` carrying `value`.
std::string layOut(std::string_view layout, IntPair value);
// The values of a message that has exactly the layout (every fixed character, every field
// full width, digits where digits belong), or nothing. A layout without a selector leaves
// `first` at `selector`.
std::optional<IntPair> readLayout(std::string_view layout, std::string_view message, int selector = 0);

// The three characters naming a memory channel in IF, OI and MT: "001", "P3U", "EMG".
std::string channelField(int channel);
// The channel a channel field names, or nothing for a field that names none.
std::optional<int> channelOfField(std::string_view field);

} // namespace Sim
