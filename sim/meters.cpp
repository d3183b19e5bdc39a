// The radio's meters: every reading of the S-meter (SM0;) or of one of the meters RM0 to
// RM7 finds the needle somewhere else, as it would on the air.
#include <cctype>

#include "sim/simulated_radio.h"

namespace Sim {

namespace {

// A needle that sweeps up and down between low and low + span, a step per reading.
int sweep(int reading, int low, int span, int step) {
    const int along = (reading * step) % (2 * span);
    return low + (along < span ? along : 2 * span - along);
}

bool isMeterRead(const std::string& command) {
    return command.size() == 4 && command.compare(0, 2, "RM") == 0 &&
           std::isdigit(static_cast<unsigned char>(command[2])) && command[3] == ';';
}

} // namespace

bool SimulatedRadio::meterReading(const std::string& command, Messages& out) {
    const bool sMeter = command == "SM0;";
    if ((!sMeter && !isMeterRead(command)) || findValueCommand(command) == nullptr)
        return false;
    ++meterReadings;
    // A signal that comes and goes while receiving; a voice peaking while transmitting.
    const int level = sMeter ? sweep(meterReadings, 30, 140, 11) : sweep(meterReadings, 60, 150, 23);
    const ValueCommand& meter = row(command);
    slot(meter).second = level;
    out.push_back(answerFor(meter));
    return true;
}

} // namespace Sim
