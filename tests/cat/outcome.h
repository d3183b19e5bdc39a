// Turns what a parser did into one comparable text: the value it returned, or the kind and
// message of what it threw. Tables of answers then name the expected outcome directly.
#pragma once

#include <stdexcept>
#include <string>

#include <fmt/format.h>

#include "cat/ft891.h"

namespace CatTest {

using namespace Yaesu::Commands::FT891;

inline std::string Show(int value) {
    return fmt::format("{}", value);
}
inline std::string Show(const std::string& text) {
    return fmt::format("\"{}\"", text);
}
inline std::string Show(const IntPair& p) {
    return fmt::format("{{{}, {}}}", p.first, p.second);
}
inline std::string Show(const DimmerRecord& r) {
    return fmt::format("{{{}, {}, {}, {}}}", r.first, r.second, r.third, r.fourth);
}
inline std::string Show(const KeyerMemoryRecord& r) {
    return fmt::format("{{{}, \"{}\"}}", r.slot, r.text);
}
inline std::string Show(const InformationRecord& r) {
    return fmt::format("{{ch {}, f {}, clar {} {}, mode {}, vm {}, ct {}, op {}}}", r.channel, r.frequency,
                       r.clarifierValue, r.clarifierEnabled, r.mode, r.vfoMemory, r.ctcssType, r.operation);
}
inline std::string Show(const ChannelRecord& r) {
    return fmt::format("{{ch {}, f {}, clar {} {}, mode {}, ct {}, op {}, tag {} \"{}\"}}", r.channel,
                       r.frequency, r.clarifierValue, r.clarifierEnabled, r.mode, r.ctcssType, r.operation,
                       r.tagEnabled, r.tagName);
}

// The outcome texts of the documented failures.
inline const std::string kPosition = "out_of_range: invalid string position";
inline const std::string kNoDigits = "invalid_argument: invalid stoi argument";
inline const std::string kRange = "out_of_range: stoi argument out of range";
inline std::string BadItem(int number) {
    return fmt::format("BadMenuItemException {}", number);
}

// Runs `call` and describes its outcome; any other exception type is reported as such.
template <typename Call> std::string Outcome(Call&& call) {
    try {
        return Show(call());
    } catch (const BadMenuItemException& e) {
        return std::string(e.what()) == "Bad Menu Function Parse!"
                   ? BadItem(e.menuNumber())
                   : fmt::format("BadMenuItemException ({})", e.what());
    } catch (const std::invalid_argument& e) {
        return fmt::format("invalid_argument: {}", e.what());
    } catch (const std::out_of_range& e) {
        return fmt::format("out_of_range: {}", e.what());
    } catch (const std::exception& e) {
        return fmt::format("unexpected exception: {}", e.what());
    }
}

} // namespace CatTest
