#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/value_commands.h"

namespace Sim {

// What the radio sends in reply to one command: each element is one complete message.
using Messages = std::vector<std::string>;

// The state of a simulated FT-891 and its reaction to CAT commands, without any I/O.
// Not thread-safe: PtyRadio guards it with a mutex.
//
// Settings are named by their read command ("FA;", "MD0;", "CO01;", "SH0;"): value() is the
// value field, values() also the selector or on/off digit of two-field commands (IS, SH).
class SimulatedRadio {
public:
    // The 8 bytes the program sends to wake the radio's CAT port; they are not a command.
    static constexpr std::string_view kWakeUp = "aslkdfk;";
    // silenceRead() count that never runs out.
    static constexpr int kAlways = -1;

    SimulatedRadio();

    // One complete command, up to and including its ";". Returns, in order, what the radio
    // sends back: nothing (a set command, the wake-up string, a silenced read), the answer of
    // a read, "?;" for a command it does not know or rejects, and with auto-information on
    // the reports of the state a set command changed. With the power off it answers only PS;.
    Messages handle(const std::string& command);

    // As if the operator changed a setting on the radio itself: applies a set command (or an
    // action such as "SV;") without the faults below and returns the auto-information reports.
    // Throws std::invalid_argument for a command the radio would reject.
    Messages operate(const std::string& command);

    // ---- State --------------------------------------------------------------------------
    // These throw std::invalid_argument for a read command no setting answers to.
    int value(std::string_view read) const;
    IntPair values(std::string_view read) const;
    void setValue(std::string_view read, int value);
    void setValues(std::string_view read, IntPair values);
    // Menu items by number (1605 for 16-05); std::invalid_argument for an unknown item.
    int menuValue(int number) const;
    void setMenuValue(int number, int value);
    std::string keyerMemory(int slot) const;
    void setKeyerMemory(int slot, std::string text);
    std::optional<ChannelRecord> channel(int number) const;
    void setChannel(const ChannelRecord& channel);
    void eraseChannel(int number);
    int clarifierOffset() const { return clarifier; }
    bool inMemoryMode() const { return vfoMemory != 0; }
    int memoryChannel() const { return currentChannel; }
    int modelId() const { return value("ID;"); }
    void setModelId(int id) { setValue("ID;", id); }
    bool powered() const { return power; }
    // Switching off also switches auto-information off, as the radio starts without it.
    void setPower(bool on);
    bool autoInformation() const { return value("AI;") == 1; }
    // The CAT rate menu item 05-06 for a serial speed; other speeds leave it as it is.
    void setCatRate(int baud);

    // ---- Faults, for tests ------------------------------------------------------------
    // Answer "?;" to exactly this command text.
    void rejectRead(const std::string& command);
    // Answer nothing to exactly this command text, the next `times` times (kAlways: always).
    void silenceRead(const std::string& command, int times = 1);
    void clearFaults();
    // Report every accepted set command while auto-information is on, not only changes.
    void setReportUnchangedSets(bool on) { reportUnchanged = on; }

private:
    bool dispatch(const std::string& command, Messages& out);
    bool handlePower(const std::string& command, Messages& out);
    bool answerRead(const ValueCommand& row, Messages& out) const;
    bool applySet(const ValueCommand& row, const std::string& command, Messages& out);
    bool handleSpecial(const std::string& command, Messages& out);
    // A moving reading for SM0; and the RM reads (sim/meters.cpp).
    bool meterReading(const std::string& command, Messages& out);
    // The mnemonic handlers of handleSpecial.
    bool menu(const std::string& command, Messages& out);
    bool information(const std::string& command, Messages& out);
    bool oppositeInformation(const std::string& command, Messages& out);
    bool dimmer(const std::string& command, Messages& out);
    bool keyer(const std::string& command, Messages& out);
    bool memoryChannelCommand(const std::string& command, Messages& out);
    bool copyAToB(const std::string& command, Messages& out);
    bool copyBToA(const std::string& command, Messages& out);
    bool swapVfos(const std::string& command, Messages& out);
    bool storeInMemory(const std::string& command, Messages& out);
    bool toggleVfoMemory(const std::string& command, Messages& out);
    bool clarifierStep(const std::string& command, Messages& out);
    bool zeroIn(const std::string& command, Messages& out);
    bool quickSplit(const std::string& command, Messages& out);
    bool channelStep(const std::string& command, Messages& out);
    bool bandSelect(const std::string& command, Messages& out);
    bool playKeyer(const std::string& command, Messages& out);

    // Stores a value; reports it with auto-information when it changed (or always, for a
    // set command with reportUnchanged).
    void change(const ValueCommand& row, IntPair value, Messages& out, bool bySetCommand = false);
    void changeMenu(int number, int value, Messages& out, bool bySetCommand = false);
    void report(Messages& out, std::string answer) const;
    std::string answerFor(const ValueCommand& row) const;
    std::string menuAnswer(int number) const;
    std::string informationAnswer() const;
    void loadChannel(const ChannelRecord& channel, Messages& out);
    const ValueCommand& row(std::string_view read) const;
    IntPair& slot(const ValueCommand& row);
    const IntPair& slot(const ValueCommand& row) const;
    bool inAmOrFm() const;

    std::vector<IntPair> settings;   // one per row of the value command table
    std::array<int, 158> menuValues; // one per catalogue item
    std::array<std::string, 5> keyerMemories;
    std::map<int, ChannelRecord> channels;
    std::array<int, 12> bandFrequencies; // the last frequency used on each band
    int clarifier = 0;
    int vfoMemory = 0; // 0 VFO, 1 memory channel
    int currentChannel = 1;
    int modeB = 2;
    int vfoFrequency = 0; // VFO-A while a memory channel is on it
    int vfoMode = 0;
    bool power = true;
    int meterReadings = 0;
    bool reportUnchanged = false;
    std::map<std::string, int> silenced;
    std::vector<std::string> rejected;
};

} // namespace Sim
