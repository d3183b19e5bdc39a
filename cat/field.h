// The one field reader every answer parser is built on.
#pragma once

#include <cstddef>
#include <string>

namespace Yaesu::Commands::FT891 {

// Reads the numeric field at `offset`, at most `width` characters, in `base` (10 or 16).
// Behaves exactly like std::stoi(answer.substr(offset, width), nullptr, base) in the "C"
// locale (leading white space " \t\n\v\f\r" skipped, one optional sign, for base 16 an
// optional "0x"/"0X" prefix, digits up to the first non-digit, an embedded NUL ends the
// text), but throws with these messages:
//   answer.size() < offset -> std::out_of_range("invalid string position")
//   no digit read          -> std::invalid_argument("invalid stoi argument")
//   value beyond int       -> std::out_of_range("stoi argument out of range")
int ReadField(const std::string& answer, std::size_t offset, std::size_t width, int base = 10);

// Text field: answer.substr(offset, count) with the same offset check (count may exceed
// the rest of the answer; the text is then shorter).
std::string ReadText(const std::string& answer, std::size_t offset, std::size_t count);

// The channel field of IF, OI and MT answers (offsets 2-4), decoded as:
// "EMG" -> 600; "Pn?" -> 100 + 2(n-1) (+1 for "U"), other n -> 0; otherwise decimal.
int ReadChannelField(const std::string& answer);

// The exception messages, for callers and tests.
inline constexpr const char* kInvalidPosition = "invalid string position";
inline constexpr const char* kInvalidArgument = "invalid stoi argument";
inline constexpr const char* kOutOfRange = "stoi argument out of range";
inline constexpr const char* kBadMenuItem = "Bad Menu Function Parse!";

} // namespace Yaesu::Commands::FT891
