#include "sim/simulated_radio.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <stdexcept>

#include <fmt/format.h>

#include "sim/menu_settings.h"
#include "sim/radio_factory.h"

namespace Sim {

namespace {

// A change of one setting that the radio reports together with another one: the filter
// width follows the mode.
struct FollowUp {
    const char* changed;
    const char* alsoReported;
};
constexpr FollowUp kFollowUps[] = {
    // changed  also reported
    {"MD0;", "SH0;"},
};

std::size_t menuIndex(int number) {
    const MenuSetting* item = findMenuSetting(number);
    if (item == nullptr)
        throw std::invalid_argument(fmt::format("no menu item {:04}", number));
    return static_cast<std::size_t>(item - menuSettings().data());
}

// A well-formed command: two upper-case letters, parameters without ";", one ";" at the end.
bool wellFormed(const std::string& command) {
    if (command.size() < 3 || command.back() != ';')
        return false;
    if (!std::isupper(static_cast<unsigned char>(command[0])) ||
        !std::isupper(static_cast<unsigned char>(command[1])))
        return false;
    return std::all_of(command.begin(), command.end() - 1, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7f && c != ';';
    });
}

} // namespace

SimulatedRadio::SimulatedRadio() {
    for (const ValueCommand* row = valueCommandsBegin(); row != valueCommandsEnd(); ++row)
        settings.push_back(row->initial);
    for (std::size_t i = 0; i < menuValues.size(); ++i)
        menuValues[i] = menuSettings()[i].initial;
    for (std::size_t i = 0; i < keyerMemories.size(); ++i)
        keyerMemories[i] = factoryKeyerMemory(static_cast<int>(i) + 1);
    for (const ChannelRecord& channel : factoryChannels())
        channels[channel.channel] = channel;
    bandFrequencies = factoryBandFrequencies();
    modeB = value("MD0;");
}

Messages SimulatedRadio::handle(const std::string& command) {
    if (command == kWakeUp)
        return {};
    if (!power) {
        // A radio that is off only listens for the power switch.
        Messages out;
        if (wellFormed(command) && command.compare(0, 2, "PS") == 0)
            handlePower(command, out);
        return out;
    }
    if (auto it = silenced.find(command); it != silenced.end() && it->second != 0) {
        if (it->second > 0)
            --it->second;
        return {};
    }
    if (std::find(rejected.begin(), rejected.end(), command) != rejected.end())
        return {"?;"};
    Messages out;
    if (!dispatch(command, out))
        return {"?;"};
    return out;
}

Messages SimulatedRadio::operate(const std::string& command) {
    Messages out;
    if (!power || !dispatch(command, out))
        throw std::invalid_argument("the radio rejects " + command);
    return out;
}

bool SimulatedRadio::dispatch(const std::string& command, Messages& out) {
    if (!wellFormed(command))
        return false;
    if (command.compare(0, 2, "PS") == 0)
        return handlePower(command, out);
    if (meterReading(command, out))
        return true;
    if (const ValueCommand* row = findValueCommand(command))
        return answerRead(*row, out);
    if (const ValueCommand* row = findSetCommand(command))
        return applySet(*row, command, out);
    return handleSpecial(command, out);
}

bool SimulatedRadio::handlePower(const std::string& command, Messages& out) {
    if (command == "PS;") {
        out.push_back(power ? "PS1;" : "PS0;");
        return true;
    }
    if (command == "PS0;" || command == "PS1;") {
        setPower(command == "PS1;");
        return true;
    }
    return false;
}

bool SimulatedRadio::answerRead(const ValueCommand& row, Messages& out) const {
    if (row.availability == Availability::NotInAmFm && inAmOrFm())
        return false;
    out.push_back(answerFor(row));
    return true;
}

bool SimulatedRadio::applySet(const ValueCommand& row, const std::string& command, Messages& out) {
    const std::optional<IntPair> parsed = row.parse(command);
    if (!parsed || row.access != Access::ReadSet || !row.first.contains(parsed->first) ||
        !row.second.contains(parsed->second) || (row.availability == Availability::NotInAmFm && inAmOrFm()))
        return false;
    const IntPair value = *parsed;
    const bool differs = slot(row) != value;
    change(row, value, out, true);
    // MOX keys the transmitter from the CAT port; the radio reports its transmit state.
    if (differs && row.read == std::string_view("MX;"))
        change(this->row("TX;"), {0, value.second == 1 ? 2 : 0}, out);
    for (const FollowUp& followUp : kFollowUps)
        if (differs && row.read == std::string_view(followUp.changed))
            report(out, answerFor(this->row(followUp.alsoReported)));
    return true;
}

void SimulatedRadio::change(const ValueCommand& row, IntPair value, Messages& out, bool bySetCommand) {
    IntPair& current = slot(row);
    const bool differs = current != value;
    current = value;
    if (row.report == Report::Reported && (differs || (bySetCommand && reportUnchanged)))
        report(out, answerFor(row));
}

void SimulatedRadio::changeMenu(int number, int value, Messages& out, bool bySetCommand) {
    if (const char* link = linkedValue(number)) {
        change(row(link), {slot(row(link)).first, value}, out, bySetCommand);
        return;
    }
    int& current = menuValues[menuIndex(number)];
    const bool differs = current != value;
    current = value;
    if (differs || (bySetCommand && reportUnchanged))
        report(out, menuAnswer(number));
}

void SimulatedRadio::report(Messages& out, std::string answer) const {
    if (autoInformation())
        out.push_back(std::move(answer));
}

std::string SimulatedRadio::answerFor(const ValueCommand& row) const {
    return row.answer(slot(row));
}

std::string SimulatedRadio::menuAnswer(int number) const {
    return Sim::menuAnswer(menuSettings()[menuIndex(number)], menuValue(number));
}

bool SimulatedRadio::inAmOrFm() const {
    // FM 4, AM 5, FM-N B, AM-N D.
    const int mode = value("MD0;");
    return mode == 4 || mode == 5 || mode == 11 || mode == 13;
}

const ValueCommand& SimulatedRadio::row(std::string_view read) const {
    const ValueCommand* found = findValueCommand(read);
    if (found == nullptr)
        throw std::invalid_argument(fmt::format("no setting answers {}", read));
    return *found;
}

IntPair& SimulatedRadio::slot(const ValueCommand& row) {
    return settings[static_cast<std::size_t>(&row - valueCommandsBegin())];
}
const IntPair& SimulatedRadio::slot(const ValueCommand& row) const {
    return settings[static_cast<std::size_t>(&row - valueCommandsBegin())];
}

// ---- State ------------------------------------------------------------------------------

int SimulatedRadio::value(std::string_view read) const {
    return slot(row(read)).second;
}
IntPair SimulatedRadio::values(std::string_view read) const {
    return slot(row(read));
}
void SimulatedRadio::setValue(std::string_view read, int value) {
    slot(row(read)).second = value;
}
void SimulatedRadio::setValues(std::string_view read, IntPair values) {
    slot(row(read)) = values;
}

int SimulatedRadio::menuValue(int number) const {
    if (const char* link = linkedValue(number))
        return value(link);
    return menuValues[menuIndex(number)];
}

void SimulatedRadio::setMenuValue(int number, int value) {
    Messages notSent;
    changeMenu(number, value, notSent);
}

std::string SimulatedRadio::keyerMemory(int slot) const {
    return keyerMemories.at(static_cast<std::size_t>(slot - 1));
}
void SimulatedRadio::setKeyerMemory(int slot, std::string text) {
    keyerMemories.at(static_cast<std::size_t>(slot - 1)) = std::move(text);
}

std::optional<ChannelRecord> SimulatedRadio::channel(int number) const {
    const auto it = channels.find(number);
    return it == channels.end() ? std::nullopt : std::optional<ChannelRecord>(it->second);
}
void SimulatedRadio::setChannel(const ChannelRecord& channel) {
    channels[channel.channel] = channel;
}
void SimulatedRadio::eraseChannel(int number) {
    channels.erase(number);
}

void SimulatedRadio::setPower(bool on) {
    power = on;
    if (!on)
        setValue("AI;", 0);
}

void SimulatedRadio::setCatRate(int baud) {
    if (const int code = catRateCode(baud); code >= 0)
        setMenuValue(506, code);
}

// ---- Faults -----------------------------------------------------------------------------

void SimulatedRadio::rejectRead(const std::string& command) {
    rejected.push_back(command);
}
void SimulatedRadio::silenceRead(const std::string& command, int times) {
    silenced[command] = times;
}
void SimulatedRadio::clearFaults() {
    rejected.clear();
    silenced.clear();
}

} // namespace Sim
