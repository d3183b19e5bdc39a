#pragma once

#include <QString>

#include <optional>

// The radio tunes 30 kHz to 56 MHz; the FA and FB commands clamp anything else into it.
constexpr int lowestFrequency = 30000;
constexpr int highestFrequency = 56000000;

// The frequency as the panel shows it: megahertz, kilohertz and hertz grouped with full
// stops, 14074000 as "14.074.000". A negative value (a garbled answer) throws std::out_of_range.
QString FrequencyDisplay(int hertz);

// A frequency the operator typed, in hertz: the display form ("7.100.000"), plain hertz
// ("14074000") or megahertz with one "." or "," ("14.074", "7,1"). Nothing when the text is
// none of these or lies outside the radio's range.
std::optional<int> ParseTypedFrequency(const QString& typed);
