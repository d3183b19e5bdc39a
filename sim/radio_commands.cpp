// The commands of the simulated radio that are not one setting of the value command table:
// menu items, the information answers, dimmer, keyer texts, memory channels and the VFO,
// clarifier, band and keyer actions.
#include <algorithm>
#include <cctype>
#include <optional>

#include <fmt/format.h>

#include "cat/builders.h"
#include "cat/field.h"
#include "cat/menu.h"
#include "cat/parsers.h"
#include "sim/menu_settings.h"
#include "sim/radio_factory.h"
#include "sim/simulated_radio.h"

namespace Sim {

namespace FT891 = Yaesu::Commands::FT891;

namespace {

// The numeric parameter of a command, accepted only when `build` gives back exactly the
// command for it: the width, the sign and every fixed character are then the radio's.
template <class Build>
std::optional<int> parameter(const std::string& command, std::size_t offset, std::size_t width, int base,
                             Build build) {
    try {
        const int value = FT891::ReadField(command, offset, width, base);
        if (build(value) == command)
            return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

bool isChannelNumber(int channel) {
    return (channel >= 1 && channel <= 117) || (channel >= 501 && channel <= 504) || channel == 506 ||
           channel == 600;
}

bool validChannel(const ChannelRecord& channel) {
    return isChannelNumber(channel.channel) && channel.frequency >= 30000 && channel.frequency <= 56000000 &&
           channel.clarifierValue >= -9999 && channel.clarifierValue <= 9999 &&
           (channel.clarifierEnabled == 0 || channel.clarifierEnabled == 1) && channel.mode >= 1 &&
           channel.mode <= 13 && channel.ctcssType >= 0 && channel.ctcssType <= 3 && channel.operation >= 0 &&
           channel.operation <= 2 && (channel.tagEnabled == 0 || channel.tagEnabled == 1);
}

constexpr int kDimmerItems[] = {201, 202, 203, 204};

} // namespace

bool SimulatedRadio::handleSpecial(const std::string& command, Messages& out) {
    using Handler = bool (SimulatedRadio::*)(const std::string&, Messages&);
    struct Special {
        const char* mnemonic;
        Handler handle;
    };
    static constexpr Special kSpecials[] = {
        // mnemonic handler
        {"EX", &SimulatedRadio::menu},
        {"IF", &SimulatedRadio::information},
        {"OI", &SimulatedRadio::oppositeInformation},
        {"DA", &SimulatedRadio::dimmer},
        {"KM", &SimulatedRadio::keyer},
        {"MT", &SimulatedRadio::memoryChannelCommand},
        {"AB", &SimulatedRadio::copyAToB},
        {"BA", &SimulatedRadio::copyBToA},
        {"SV", &SimulatedRadio::swapVfos},
        {"AM", &SimulatedRadio::storeInMemory},
        {"VM", &SimulatedRadio::toggleVfoMemory},
        {"RC", &SimulatedRadio::clarifierStep},
        {"RU", &SimulatedRadio::clarifierStep},
        {"RD", &SimulatedRadio::clarifierStep},
        {"ZI", &SimulatedRadio::zeroIn},
        {"QS", &SimulatedRadio::quickSplit},
        {"CH", &SimulatedRadio::channelStep},
        {"BS", &SimulatedRadio::bandSelect},
        {"KY", &SimulatedRadio::playKeyer},
    };
    for (const Special& special : kSpecials)
        if (command.compare(0, 2, special.mnemonic) == 0)
            return (this->*special.handle)(command, out);
    return false;
}

bool SimulatedRadio::menu(const std::string& command, Messages& out) {
    if (command.size() < 7 || !std::all_of(command.begin() + 2, command.begin() + 6, [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        }))
        return false;
    const int number = std::stoi(command.substr(2, 4));
    const FT891::MenuItem* item = FT891::FindMenuItem(number);
    if (item == nullptr)
        return false;
    if (command.size() == 7) {
        out.push_back(menuAnswer(number));
        return true;
    }
    if (item->readOnly)
        return false;
    const auto value =
        parameter(command, 6, command.size() - 7, 10, [number](int v) { return FT891::SetMenu(number, v); });
    const MenuSetting* setting = findMenuSetting(number);
    if (!value || *value < setting->low || *value > setting->high)
        return false;
    changeMenu(number, *value, out, true);
    return true;
}

std::string SimulatedRadio::informationAnswer() const {
    // Channel, frequency, clarifier offset and RX clarifier, a 0, mode, VFO/memory,
    // CTCSS/DCS mode, two 0s, repeater shift.
    return fmt::format("IF{}{:09}{:+05}{:d}0{:X}{:d}{:d}00{:d};",
                       FT891::ChannelField(currentChannel).substr(2), value("FA;"), clarifier, value("CF0;"),
                       value("MD0;"), vfoMemory, value("CT0;"), value("OS0;"));
}

bool SimulatedRadio::information(const std::string& command, Messages& out) {
    if (command != "IF;")
        return false;
    out.push_back(informationAnswer());
    return true;
}

bool SimulatedRadio::oppositeInformation(const std::string& command, Messages& out) {
    if (command != "OI;")
        return false;
    // VFO-B has no clarifier of its own and is always a VFO.
    out.push_back(fmt::format("OI{}{:09}+000000{:X}00000;", FT891::ChannelField(currentChannel).substr(2),
                              value("FB;"), modeB));
    return true;
}

bool SimulatedRadio::dimmer(const std::string& command, Messages& out) {
    // The four dimmer levels are the menu items 02-01 to 02-04, in that order.
    const auto answer = [](const int(&levels)[4]) {
        return fmt::format("DA{:02}{:02}{:02}{:02};", levels[0], levels[1], levels[2], levels[3]);
    };
    int levels[4];
    for (int i = 0; i < 4; ++i)
        levels[i] = menuValue(kDimmerItems[i]);
    if (command == "DA;") {
        out.push_back(answer(levels));
        return true;
    }
    FT891::DimmerRecord record;
    try {
        record = FT891::ParseDA(command);
    } catch (const std::exception&) {
        return false;
    }
    const int wanted[4] = {record.first, record.second, record.third, record.fourth};
    if (answer(wanted) != command)
        return false;
    for (int i = 0; i < 4; ++i) {
        const MenuSetting* setting = findMenuSetting(kDimmerItems[i]);
        if (wanted[i] < setting->low || wanted[i] > setting->high)
            return false;
    }
    Messages notSent;
    for (int i = 0; i < 4; ++i)
        changeMenu(kDimmerItems[i], wanted[i], notSent);
    if (!std::equal(std::begin(levels), std::end(levels), std::begin(wanted)) || reportUnchanged)
        report(out, answer(wanted));
    return true;
}

// Keyer texts and memory channels are stored contents, not the operating state:
// auto-information does not report them.
bool SimulatedRadio::keyer(const std::string& command, Messages& out) {
    if (command.size() < 4 || command[2] < '1' || command[2] > '5')
        return false;
    const int slot = command[2] - '0';
    if (command.size() == 4) {
        out.push_back(FT891::SetKM({slot, keyerMemory(slot)}));
        return true;
    }
    const FT891::KeyerMemoryRecord record{slot, command.substr(3, command.size() - 4)};
    if (FT891::SetKM(record) != command)
        return false; // longer than the 50 characters a memory holds
    setKeyerMemory(slot, record.text);
    return true;
}

bool SimulatedRadio::memoryChannelCommand(const std::string& command, Messages& out) {
    ChannelRecord record;
    try {
        record = command.size() == 6 ? ChannelRecord{} : FT891::ParseMT(command);
        record.channel = FT891::ReadChannelField(command);
    } catch (const std::exception&) {
        return false;
    }
    if (command.size() == 6) {
        const auto it = channels.find(record.channel);
        // An empty channel is rejected like an unknown one.
        if (FT891::ReadMT(record.channel) != command || it == channels.end())
            return false;
        out.push_back(FT891::SetMT(it->second));
        return true;
    }
    if (!validChannel(record) || FT891::SetMT(record) != command)
        return false;
    channels[record.channel] = record;
    return true;
}

// ---- VFO and memory actions ---------------------------------------------------------------

bool SimulatedRadio::copyAToB(const std::string& command, Messages& out) {
    if (command != FT891::SetAB())
        return false;
    change(row("FB;"), {0, value("FA;")}, out);
    modeB = value("MD0;");
    return true;
}

bool SimulatedRadio::copyBToA(const std::string& command, Messages& out) {
    if (command != FT891::SetBA())
        return false;
    change(row("FA;"), {0, value("FB;")}, out);
    change(row("MD0;"), {0, modeB}, out);
    return true;
}

bool SimulatedRadio::swapVfos(const std::string& command, Messages& out) {
    if (command != FT891::SetSV())
        return false;
    const int frequencyA = value("FA;");
    const int modeA = value("MD0;");
    change(row("FA;"), {0, value("FB;")}, out);
    change(row("FB;"), {0, frequencyA}, out);
    change(row("MD0;"), {0, modeB}, out);
    modeB = modeA;
    return true;
}

bool SimulatedRadio::storeInMemory(const std::string& command, Messages&) {
    if (command != FT891::SetAM())
        return false;
    ChannelRecord& stored = channels[currentChannel];
    stored.channel = currentChannel;
    stored.frequency = value("FA;");
    stored.mode = value("MD0;");
    stored.clarifierValue = clarifier;
    stored.clarifierEnabled = value("CF0;");
    return true;
}

void SimulatedRadio::loadChannel(const ChannelRecord& channel, Messages& out) {
    change(row("FA;"), {0, channel.frequency}, out);
    change(row("MD0;"), {0, channel.mode}, out);
}

bool SimulatedRadio::toggleVfoMemory(const std::string& command, Messages& out) {
    if (command != FT891::SetVM())
        return false;
    if (vfoMemory == 0) {
        const auto stored = channel(currentChannel);
        if (!stored)
            return false;
        vfoFrequency = value("FA;");
        vfoMode = value("MD0;");
        vfoMemory = 1;
        loadChannel(*stored, out);
    } else {
        vfoMemory = 0;
        change(row("FA;"), {0, vfoFrequency}, out);
        change(row("MD0;"), {0, vfoMode}, out);
    }
    report(out, informationAnswer());
    return true;
}

bool SimulatedRadio::channelStep(const std::string& command, Messages& out) {
    const auto direction = parameter(command, 2, 1, 10, FT891::SetCH);
    if (!direction || *direction > 1)
        return false;
    // The next programmed channel of 1-99 up (0) or down (1), wrapping round.
    const int step = *direction == 0 ? 1 : 98;
    for (int n = 1, candidate = currentChannel; n <= 99; ++n) {
        candidate = (candidate - 1 + step) % 99 + 1;
        if (const auto stored = channel(candidate)) {
            currentChannel = candidate;
            if (vfoMemory != 0)
                loadChannel(*stored, out);
            report(out, informationAnswer());
            return true;
        }
    }
    return false;
}

bool SimulatedRadio::quickSplit(const std::string& command, Messages& out) {
    if (command != "QS;")
        return false;
    // VFO-B goes to VFO-A plus the quick split offset of menu 05-13 (kHz), and split goes on.
    const int target = std::clamp(value("FA;") + menuValue(513) * 1000, 30000, 56000000);
    change(row("FB;"), {0, target}, out);
    modeB = value("MD0;");
    change(row("ST;"), {0, 1}, out);
    return true;
}

bool SimulatedRadio::bandSelect(const std::string& command, Messages& out) {
    const auto band = parameter(command, 2, 2, 10, FT891::SetBS);
    if (!band || *band >= kBandCount)
        return false;
    bandFrequencies[static_cast<std::size_t>(bandOf(value("FA;")))] = value("FA;");
    change(row("FA;"), {0, bandFrequencies[static_cast<std::size_t>(*band)]}, out);
    // The filter width is reported after every band change.
    report(out, answerFor(row("SH0;")));
    return true;
}

// ---- Clarifier and CW ---------------------------------------------------------------------

bool SimulatedRadio::clarifierStep(const std::string& command, Messages& out) {
    int offset = clarifier;
    if (command == FT891::SetRC()) {
        offset = 0;
    } else if (const auto up = parameter(command, 2, 4, 10, FT891::SetRU)) {
        offset = std::min(clarifier + *up, 9999);
    } else if (const auto down = parameter(command, 2, 4, 10, FT891::SetRD)) {
        offset = std::max(clarifier - *down, -9999);
    } else {
        return false;
    }
    const bool differs = offset != clarifier;
    clarifier = offset;
    if (differs || reportUnchanged)
        report(out, informationAnswer());
    return true;
}

bool SimulatedRadio::zeroIn(const std::string& command, Messages&) {
    return command == FT891::SetZI();
}

bool SimulatedRadio::playKeyer(const std::string& command, Messages&) {
    const auto message = parameter(command, 2, 1, 16, FT891::SetKY);
    return message && *message >= 1 && *message <= 10;
}

} // namespace Sim
