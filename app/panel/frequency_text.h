#pragma once

#include "cat/radio_facts.h"

#include <QString>

#include <optional>

using Yaesu::Commands::FT891::highestFrequency;
using Yaesu::Commands::FT891::lowestFrequency;

// The frequency as the panel shows it: megahertz, kilohertz and hertz grouped with full
// stops, 14074000 as "14.074.000". A negative value (a garbled answer) throws std::out_of_range.
QString FrequencyDisplay(int hertz);

// A frequency the operator typed, in hertz: the display form ("7.100.000"), plain hertz
// ("14074000") or megahertz with one "." or "," ("14.074", "7,1"). Nothing when the text is
// none of these or lies outside the radio's range.
std::optional<int> ParseTypedFrequency(const QString& typed);
