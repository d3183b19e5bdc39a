// The commands of the simulated radio that are not one setting of the value command table:
// menu items, the information answers, dimmer, keyer texts, memory channels and the VFO,
// clarifier, band and keyer actions.
#include <algorithm>
#include <cctype>
#include <optional>

#include <fmt/format.h>

#include "sim/menu_settings.h"
#include "sim/radio_factory.h"
#include "sim/simulated_radio.h"

namespace Sim {

namespace {

// The value of a command that has exactly `layout` (sim/wire.h), or nothing.
std::optional<int> parameter(const std::string& command, std::string_view layout) {
    const auto value = readLayout(layout, command);
    return value ? std::optional<int>(value->second) : std::nullopt;
}

// The layouts of the messages below that carry several values or a text, with {fmt}
// fields in the order of the comment; the channel field is channelField()'s three characters.
// clang-format off
// channel, frequency, clarifier offset, RX clarifier, 0, mode, VFO/memory, CTCSS/DCS, 00, repeater shift
constexpr char kInformation[] = "IF{}{:09}{:+05}{:d}0{:X}{:d}{:d}00{:d};";
// channel, VFO-B frequency, no clarifier, 0, mode, VFO, no tone, 00, simplex
constexpr char kOppositeInformation[] = "OI{}{:09}+000000{:X}00000;";
// channel, frequency, clarifier offset, clarifier, 0, mode, 0, CTCSS/DCS, 00, repeater shift, tag on, tag
constexpr char kChannel[] = "MT{}{:09}{:+05}{:d}0{:X}0{:d}00{:d}{:d}{:<12};";
// slot 1-5, text
constexpr char kKeyerText[] = "KM{}{};";
// the four display levels of two digits, menu items 02-01 to 02-04 (a sim/wire.h layout)
constexpr char kDimmer[] = "DAnnnnnnnn;";
// clang-format on
constexpr std::size_t kKeyerTextMax = 50; // characters a keyer memory holds
constexpr std::size_t kTagWidth = 12;     // characters of a memory channel's tag

std::string channelAnswer(const ChannelRecord& channel) {
    return fmt::format(kChannel, channelField(channel.channel), channel.frequency, channel.clarifierValue,
                       channel.clarifierEnabled, channel.mode, channel.ctcssType, channel.operation,
                       channel.tagEnabled, channel.tagName.substr(0, kTagWidth));
}

// The channel an MT write carries, or nothing when it is not laid out as channelAnswer.
std::optional<ChannelRecord> readChannelWrite(const std::string& command) {
    if (command.size() != 41)
        return std::nullopt;
    const auto at = [&](std::size_t offset, std::string_view layout) {
        return readLayout(layout, std::string_view(command).substr(offset, layout.size()));
    };
    const auto channel = channelOfField(std::string_view(command).substr(2, 3));
    const auto frequency = at(5, "nnnnnnnnn");
    const auto clarifier = at(14, "gnnnn");
    const auto clarifierOn = at(19, "n");
    const auto mode = at(21, "h");
    const auto ctcss = at(23, "n");
    const auto operation = at(26, "n");
    const auto tagOn = at(27, "n");
    if (!channel || !frequency || !clarifier || !clarifierOn || !mode || !ctcss || !operation || !tagOn)
        return std::nullopt;
    ChannelRecord record{
        *channel,      frequency->second, clarifier->second, clarifierOn->second,          mode->second,
        ctcss->second, operation->second, tagOn->second,     command.substr(28, kTagWidth)};
    // Every fixed character in its place, too.
    if (channelAnswer(record) != command)
        return std::nullopt;
    return record;
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
    const auto number = readLayout("EXnnnn", std::string_view(command).substr(0, 6));
    const MenuSetting* item = number ? findMenuSetting(number->second) : nullptr;
    if (item == nullptr)
        return false;
    if (command.size() == 7) {
        out.push_back(menuAnswer(item->number));
        return true;
    }
    if (item->access != MenuAccess::Set)
        return false;
    const auto value = menuSetValue(*item, command);
    if (!value)
        return false;
    changeMenu(item->number, *value, out, true);
    return true;
}

std::string SimulatedRadio::informationAnswer() const {
    return fmt::format(kInformation, channelField(currentChannel), value("FA;"), clarifier, value("CF0;"),
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
    out.push_back(fmt::format(kOppositeInformation, channelField(currentChannel), value("FB;"), modeB));
    return true;
}

bool SimulatedRadio::dimmer(const std::string& command, Messages& out) {
    // The four dimmer levels are the menu items 02-01 to 02-04, in that order.
    const auto answer = [](const int(&levels)[4]) {
        return layOut(kDimmer, {0, ((levels[0] * 100 + levels[1]) * 100 + levels[2]) * 100 + levels[3]});
    };
    int levels[4];
    for (int i = 0; i < 4; ++i)
        levels[i] = menuValue(kDimmerItems[i]);
    if (command == "DA;") {
        out.push_back(answer(levels));
        return true;
    }
    const auto all = parameter(command, kDimmer);
    if (!all)
        return false;
    const int wanted[4] = {*all / 1000000, *all / 10000 % 100, *all / 100 % 100, *all % 100};
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
        out.push_back(fmt::format(kKeyerText, slot, keyerMemory(slot)));
        return true;
    }
    const std::string text = command.substr(3, command.size() - 4);
    if (text.size() > kKeyerTextMax)
        return false;
    setKeyerMemory(slot, text);
    return true;
}

bool SimulatedRadio::memoryChannelCommand(const std::string& command, Messages& out) {
    if (command.size() == 6) {
        const auto number = channelOfField(std::string_view(command).substr(2, 3));
        const auto it = number ? channels.find(*number) : channels.end();
        // An empty channel is rejected like an unknown one.
        if (it == channels.end())
            return false;
        out.push_back(channelAnswer(it->second));
        return true;
    }
    const auto record = readChannelWrite(command);
    if (!record || !validChannel(*record))
        return false;
    channels[record->channel] = *record;
    return true;
}

// ---- VFO and memory actions ---------------------------------------------------------------

bool SimulatedRadio::copyAToB(const std::string& command, Messages& out) {
    if (command != "AB;")
        return false;
    change(row("FB;"), {0, value("FA;")}, out);
    modeB = value("MD0;");
    return true;
}

bool SimulatedRadio::copyBToA(const std::string& command, Messages& out) {
    if (command != "BA;")
        return false;
    change(row("FA;"), {0, value("FB;")}, out);
    change(row("MD0;"), {0, modeB}, out);
    return true;
}

bool SimulatedRadio::swapVfos(const std::string& command, Messages& out) {
    if (command != "SV;")
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
    if (command != "AM;")
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
    if (command != "VM;")
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
    const auto direction = parameter(command, "CHn;");
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
    const auto band = parameter(command, "BSnn;");
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
    if (command == "RC;") {
        offset = 0;
    } else if (const auto up = parameter(command, "RUnnnn;")) {
        offset = std::min(clarifier + *up, 9999);
    } else if (const auto down = parameter(command, "RDnnnn;")) {
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
    return command == "ZI;";
}

bool SimulatedRadio::playKeyer(const std::string& command, Messages&) {
    const auto message = parameter(command, "KYh;");
    return message && *message >= 1 && *message <= 10;
}

} // namespace Sim
