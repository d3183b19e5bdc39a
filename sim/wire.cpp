#include "sim/wire.h"

#include <cctype>
#include <cstdlib>

#include <fmt/format.h>

namespace Sim {

namespace {

bool isField(char c) {
    return c == 's' || c == 'n' || c == 'h' || c == 'g';
}

std::size_t runLength(std::string_view layout, std::size_t at) {
    std::size_t end = at;
    while (end < layout.size() && layout[end] == layout[at])
        ++end;
    return end - at;
}

// The digits of a field: exactly `width` digits of `base`, upper-case for hexadecimal.
std::optional<int> digits(std::string_view text, int base) {
    int value = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        if (value > 99999999)
            return std::nullopt; // no field of the radio holds more
        value = value * base + digit;
    }
    return value;
}

} // namespace

std::string layOut(std::string_view layout, IntPair value) {
    std::string text;
    for (std::size_t at = 0; at < layout.size();) {
        const char c = layout[at];
        const std::size_t width = runLength(layout, at);
        switch (c) {
        case 's':
            text += fmt::format("{:0{}d}", value.first, width);
            break;
        case 'n':
            text += fmt::format("{:0{}d}", std::abs(value.second), width);
            break;
        case 'h':
            text += fmt::format("{:0{}X}", value.second, width);
            break;
        case 'g':
            text += value.second < 0 ? '-' : '+';
            break;
        default:
            text.append(layout.substr(at, width));
            break;
        }
        at += width;
    }
    return text;
}

std::optional<IntPair> readLayout(std::string_view layout, std::string_view message, int selector) {
    if (message.size() != layout.size())
        return std::nullopt;
    IntPair value{selector, 0};
    int sign = 1;
    for (std::size_t at = 0; at < layout.size();) {
        const char c = layout[at];
        const std::size_t width = runLength(layout, at);
        const std::string_view part = message.substr(at, width);
        if (c == 'g') {
            if (width != 1 || (part != "+" && part != "-"))
                return std::nullopt;
            sign = part == "-" ? -1 : 1;
        } else if (isField(c)) {
            const auto read = digits(part, c == 'h' ? 16 : 10);
            if (!read)
                return std::nullopt;
            (c == 's' ? value.first : value.second) = *read;
        } else if (part != layout.substr(at, width)) {
            return std::nullopt;
        }
        at += width;
    }
    value.second *= sign;
    return value;
}

std::string channelField(int channel) {
    if (channel == 600)
        return "EMG";
    if (channel >= 100 && channel <= 117)
        return fmt::format("P{}{}", (channel - 100) / 2 + 1, channel % 2 == 0 ? 'L' : 'U');
    return fmt::format("{:03}", channel);
}

std::optional<int> channelOfField(std::string_view field) {
    if (field.size() != 3)
        return std::nullopt;
    if (field == "EMG")
        return 600;
    if (field[0] == 'P') {
        if (field[1] < '1' || field[1] > '9' || (field[2] != 'L' && field[2] != 'U'))
            return std::nullopt;
        return 100 + 2 * (field[1] - '1') + (field[2] == 'U' ? 1 : 0);
    }
    return digits(field, 10);
}

} // namespace Sim
