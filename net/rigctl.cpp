#include "net/rigctl.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <utility>

namespace Rigctl {

const std::vector<std::string> modeNames = {"USB",  "LSB",   "CW",     "CWR",    "AM",   "FM",
                                            "RTTY", "RTTYR", "PKTUSB", "PKTLSB", "PKTFM"};

bool Action::operator==(const Action& other) const {
    return kind == other.kind && vfoB == other.vfoB && hertz == other.hertz && mode == other.mode &&
           passband == other.passband && on == other.on && level == other.level && value == other.value;
}

namespace {

using Arguments = std::vector<std::string>;

// A command's outcome: its code and, for a read, its values as (key, value); an empty key
// prints the value alone in the extended form too (as get_level does).
struct Outcome {
    int error = Ok;
    std::vector<std::pair<std::string, std::string>> values;
};

struct Context {
    const Arguments& arguments;
    const RadioState& state;
    Session& session;
    std::vector<Action>& actions;
};

Outcome fail(int error) {
    return {error, {}};
}

// Numbers as the client writes them: "7074000", "7074000.000000", "7.074e6".
bool toNumber(const std::string& text, double& number) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(number);
}

// A fraction is dropped, as rigctld drops it: "14074000.9" is 14074000.
bool toInteger(const std::string& text, long long& number) {
    double value = 0;
    if (!toNumber(text, value) || std::fabs(value) > 1e15)
        return false;
    number = static_cast<long long>(std::trunc(value));
    return true;
}

bool knownMode(const std::string& name) {
    return std::find(modeNames.begin(), modeNames.end(), name) != modeNames.end();
}

// "VFOA", "VFOB" or "currVFO" (the session's own); false for anything else.
bool toVfo(const std::string& name, const Session& session, bool& vfoB) {
    if (name == "VFOA" || name == "VFOB") {
        vfoB = name == "VFOB";
        return true;
    }
    if (name == "currVFO") {
        vfoB = session.vfoB;
        return true;
    }
    return false;
}

std::string level(double value) {
    return fmt::format("{:f}", value);
}

// ---- Reads -----------------------------------------------------------------------------

Outcome getFrequency(Context& c) {
    return {Ok, {{"Frequency", std::to_string(c.session.vfoB ? c.state.frequencyB : c.state.frequencyA)}}};
}

Outcome getMode(Context& c) {
    return {Ok, {{"Mode", c.state.mode}, {"Passband", std::to_string(c.state.passband)}}};
}

Outcome getVfo(Context& c) {
    return {Ok, {{"VFO", c.session.vfoB ? "VFOB" : "VFOA"}}};
}

Outcome getPtt(Context& c) {
    return {Ok, {{"PTT", c.state.transmitting ? "1" : "0"}}};
}

// The transmit VFO is the one the connection set, whether split is on or off.
Outcome getSplit(Context& c) {
    const char txVfo = c.session.txVfo ? c.session.txVfo : (c.state.split ? 'B' : 'A');
    return {Ok, {{"Split", c.state.split ? "1" : "0"}, {"TX VFO", std::string("VFO") + txVfo}}};
}

Outcome getSplitFrequency(Context& c) {
    return {Ok, {{"TX Frequency", std::to_string(c.state.frequencyB)}}};
}

Outcome getSplitMode(Context& c) {
    return {Ok, {{"TX Mode", c.state.mode}, {"TX Passband", std::to_string(c.state.passband)}}};
}

Outcome getPowerStatus(Context& c) {
    return {Ok, {{"Power Status", c.state.powerOn ? "1" : "0"}}};
}

// The client asks before every mode change and changes nothing while the mode is locked.
Outcome getLockMode(Context&) {
    return {Ok, {{"Locked", "0"}}};
}

Outcome checkVfo(Context&) {
    return {Ok, {{"ChkVFO", "0"}}};
}

Outcome getVfoInfo(Context& c) {
    bool vfoB = false;
    if (!toVfo(c.arguments[0], c.session, vfoB))
        return fail(InvalidParameter);
    return {Ok,
            {{"Freq", std::to_string(vfoB ? c.state.frequencyB : c.state.frequencyA)},
             {"Mode", c.state.mode},
             {"Width", std::to_string(c.state.passband)},
             {"Split", c.state.split ? "1" : "0"},
             {"SatMode", "0"}}};
}

// The levels served: AF, RF and SQL are the panel's sliders, RFPOWER the power setting.
struct LevelRow {
    const char* name;
    double RadioState::*value; // nullptr: STRENGTH, read only
};
// clang-format off
constexpr LevelRow levelRows[] = {
    // name        value
    {"AF",       &RadioState::af},
    {"RF",       &RadioState::rf},
    {"SQL",      &RadioState::squelch},
    {"RFPOWER",  &RadioState::rfPower},
    {"STRENGTH", nullptr},
};
// clang-format on

const LevelRow* findLevel(const std::string& name) {
    for (const LevelRow& row : levelRows)
        if (name == row.name)
            return &row;
    return nullptr;
}

Outcome getLevel(Context& c) {
    const LevelRow* row = findLevel(c.arguments[0]);
    if (!row)
        return fail(NotAvailable);
    return {Ok, {{"", row->value ? level(c.state.*row->value) : std::to_string(c.state.strength)}}};
}

// ---- Sets ------------------------------------------------------------------------------

Outcome setFrequency(Context& c, bool vfoB) {
    long long hertz = 0;
    if (!toInteger(c.arguments[0], hertz) || hertz < lowestFrequency || hertz > highestFrequency)
        return fail(InvalidParameter);
    Action action;
    action.kind = Action::Kind::Frequency;
    action.vfoB = vfoB;
    action.hertz = hertz;
    c.actions.push_back(action);
    return {};
}

Outcome setFrequencyOnVfo(Context& c) {
    return setFrequency(c, c.session.vfoB);
}

Outcome setSplitFrequency(Context& c) {
    return setFrequency(c, true);
}

Outcome setMode(Context& c) {
    // The network client names DATA-FM "FM-D" on the wire.
    const std::string mode = c.arguments[0] == "FM-D" ? "PKTFM" : c.arguments[0];
    long long passband = 0;
    if (!knownMode(mode) || !toInteger(c.arguments[1], passband) || passband < -1 || passband > 100000)
        return fail(InvalidParameter);
    Action action;
    action.kind = Action::Kind::Mode;
    action.mode = mode;
    action.passband = static_cast<int>(passband);
    c.actions.push_back(action);
    return {};
}

Outcome setVfo(Context& c) {
    bool vfoB = false;
    if (!toVfo(c.arguments[0], c.session, vfoB))
        return fail(InvalidParameter);
    c.session.vfoB = vfoB;
    return {};
}

// 0 receive; 1 (and 2, 3: PTT with microphone or data audio) transmit.
Outcome setPtt(Context& c) {
    const std::string& value = c.arguments[0];
    if (value.size() != 1 || value[0] < '0' || value[0] > '3')
        return fail(InvalidParameter);
    Action action;
    action.kind = Action::Kind::Ptt;
    action.on = value != "0";
    c.actions.push_back(action);
    return {};
}

Outcome setSplit(Context& c) {
    const std::string& value = c.arguments[0];
    bool txVfoB = false;
    if ((value != "0" && value != "1") || !toVfo(c.arguments[1], c.session, txVfoB))
        return fail(InvalidParameter);
    Action action;
    action.kind = Action::Kind::Split;
    action.on = value == "1";
    c.actions.push_back(action);
    if (c.state.portOpen)
        c.session.txVfo = txVfoB ? 'B' : 'A';
    return {};
}

Outcome setLevel(Context& c) {
    const LevelRow* row = findLevel(c.arguments[0]);
    if (!row || !row->value)
        return fail(NotAvailable);
    double value = 0;
    if (!toNumber(c.arguments[1], value) || value < 0 || value > 1)
        return fail(InvalidParameter);
    Action action;
    action.kind = Action::Kind::Level;
    action.level = row->name;
    action.value = value;
    c.actions.push_back(action);
    return {};
}

Outcome dumpStateOutcome(Context&) {
    return {Ok, {{"", dumpState()}}};
}

// ---- The command table -----------------------------------------------------------------

struct CommandRow {
    char shortName; // 0: only its long name, with "\"
    const char* longName;
    int arguments;
    Outcome (*run)(Context&);
};
// clang-format off
constexpr CommandRow commandRows[] = {
    // short  long name          arguments  run
    {'f',  "get_freq",         0,         getFrequency},
    {'F',  "set_freq",         1,         setFrequencyOnVfo},
    {'m',  "get_mode",         0,         getMode},
    {'M',  "set_mode",         2,         setMode},
    {'v',  "get_vfo",          0,         getVfo},
    {'V',  "set_vfo",          1,         setVfo},
    {'t',  "get_ptt",          0,         getPtt},
    {'T',  "set_ptt",          1,         setPtt},
    {'s',  "get_split_vfo",    0,         getSplit},
    {'S',  "set_split_vfo",    2,         setSplit},
    {'i',  "get_split_freq",   0,         getSplitFrequency},
    {'I',  "set_split_freq",   1,         setSplitFrequency},
    {'x',  "get_split_mode",   0,         getSplitMode},
    // The radio transmits in the mode it receives in: the split mode is the mode.
    {'X',  "set_split_mode",   2,         setMode},
    {'l',  "get_level",        1,         getLevel},
    {'L',  "set_level",        2,         setLevel},
    {0,    "chk_vfo",          0,         checkVfo},
    {0,    "dump_state",       0,         dumpStateOutcome},
    {0,    "get_powerstat",    0,         getPowerStatus},
    {0,    "get_vfo_info",     1,         getVfoInfo},
    {0,    "get_lock_mode",    0,         getLockMode},
};
// clang-format on

const CommandRow* findCommand(const std::string& name, bool longName) {
    for (const CommandRow& row : commandRows)
        if (longName ? name == row.longName : (name.size() == 1 && name[0] == row.shortName && row.shortName))
            return &row;
    return nullptr;
}

bool isGet(const CommandRow& row) {
    return std::string(row.longName).rfind("set_", 0) != 0;
}

std::string report(int error) {
    return fmt::format("RPRT {:d}", error);
}

// The default form: a read's values one per line, or one "RPRT n" line.
std::string defaultForm(const CommandRow& row, const Outcome& outcome) {
    if (outcome.error != Ok || !isGet(row))
        return report(outcome.error) + "\n";
    std::string text;
    for (const auto& value : outcome.values)
        text += value.second + (value.second.empty() || value.second.back() != '\n' ? "\n" : "");
    return text;
}

// The extended form: the long name with the arguments, "Key: value" records and the
// "RPRT n" record, separated by `separator`, the whole ended by a line end.
std::string extendedForm(const CommandRow& row, const Arguments& arguments, const Outcome& outcome,
                         char separator) {
    std::string text = std::string(row.longName) + ":";
    for (const std::string& argument : arguments)
        text += " " + argument;
    text += separator;
    if (outcome.error == Ok)
        for (const auto& value : outcome.values)
            text += (value.first.empty() ? "" : value.first + ": ") + value.second +
                    (value.second.empty() || value.second.back() != '\n' ? std::string(1, separator) : "");
    return text + report(outcome.error) + "\n";
}

Arguments split(const std::string& text) {
    std::istringstream words(text);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

bool blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

size_t wordEnd(const std::string& text, size_t at) {
    while (at < text.size() && !blank(text[at]))
        ++at;
    return at;
}

size_t skipBlanks(const std::string& text, size_t at) {
    while (at < text.size() && blank(text[at]))
        ++at;
    return at;
}

// A request on its own: one command with its prefix and arguments.
Reply respondOne(const std::string& line, const RadioState& state, Session& session) {
    std::string request = line;
    while (!request.empty() && std::isspace(static_cast<unsigned char>(request.back())))
        request.pop_back();
    request.erase(0, std::min(request.find_first_not_of(" \t"), request.size()));
    Reply reply;
    if (request.empty())
        return reply;
    // A leading '+' asks for the extended form with line ends between records; ';', '|' and
    // ',' ask for it with that character between them.
    char separator = 0;
    if (std::string("+;|,").find(request[0]) != std::string::npos) {
        separator = request[0] == '+' ? '\n' : request[0];
        request.erase(0, 1);
    }
    if (request.empty()) {
        reply.text = report(InvalidParameter) + "\n";
        return reply;
    }
    if (request == "q" || request == "Q" || request == "\\quit") {
        reply.text = report(Ok) + "\n";
        reply.close = true;
        return reply;
    }
    const bool longName = request[0] == '\\';
    const size_t nameEnd = longName ? std::min(request.find(' '), request.size()) : 1;
    const std::string name = request.substr(longName ? 1 : 0, nameEnd - (longName ? 1 : 0));
    const CommandRow* row = findCommand(name, longName);
    const Arguments arguments = split(request.substr(nameEnd));
    if (!row) {
        reply.text = report(NotAvailable) + "\n";
        return reply;
    }
    Outcome outcome;
    if (static_cast<int>(arguments.size()) != row->arguments ||
        (!longName && request.size() > 1 && request[1] != ' ' && request[1] != '\t')) {
        outcome = fail(InvalidParameter);
    } else {
        Context context{arguments, state, session, reply.actions};
        outcome = row->run(context);
        // A set with nowhere to go is no success: the client hears so, as from a silent radio.
        if (outcome.error == Ok && !reply.actions.empty() && !state.portOpen)
            outcome = fail(IoError);
    }
    if (outcome.error != Ok)
        reply.actions.clear();
    if (separator && row->run == checkVfo)
        // chk_vfo's extended answer is its record alone, without the echo or the "RPRT" record;
        // the forms with a separator character end it with an empty line.
        reply.text = "ChkVFO: " + outcome.values.front().second + (separator == '\n' ? "\n" : "\n\n");
    else
        reply.text =
            separator ? extendedForm(*row, arguments, outcome, separator) : defaultForm(*row, outcome);
    return reply;
}

} // namespace

std::vector<std::string> requests(const std::string& line) {
    std::vector<std::string> out;
    for (size_t at = skipBlanks(line, 0); at < line.size(); at = skipBlanks(line, at)) {
        std::string request;
        if (std::string("+;|,").find(line[at]) != std::string::npos)
            request += line[at++];
        if (at == line.size() || blank(line[at])) {
            out.push_back(request);
            break;
        }
        const bool longName = line[at] == '\\';
        const size_t nameEnd = longName ? wordEnd(line, at) : at + 1;
        const std::string name = line.substr(at + (longName ? 1 : 0), nameEnd - at - (longName ? 1 : 0));
        request += line.substr(at, nameEnd - at);
        at = nameEnd;
        const CommandRow* row = findCommand(name, longName);
        for (int i = 0; row && i < row->arguments && (at = skipBlanks(line, at)) < line.size(); ++i) {
            const size_t end = wordEnd(line, at);
            request += " " + line.substr(at, end - at);
            at = end;
        }
        out.push_back(request);
        // Nothing tells where an unknown command's arguments end; "q" ends the connection.
        if (!row)
            break;
    }
    return out;
}

Reply respond(const std::string& line, const RadioState& state, Session& session) {
    Reply reply;
    for (const std::string& request : requests(line)) {
        Reply one = respondOne(request, state, session);
        reply.text += one.text;
        reply.actions.insert(reply.actions.end(), one.actions.begin(), one.actions.end());
        reply.close = one.close;
    }
    return reply;
}

std::string dumpState() {
    // Modes: AM 0x1, CW 0x2, USB 0x4, LSB 0x8, RTTY 0x10, FM 0x20, CWR 0x80, RTTYR 0x100,
    // PKTLSB 0x400, PKTUSB 0x800, PKTFM 0x1000. VFOs: A 0x1, B 0x2. Powers in mW.
    // Levels read: AF, RF, SQL, RFPOWER, STRENGTH; set: the first four.
    return "1\n"
           "2\n"
           "0\n"
           "30000.000000 56000000.000000 0x1dbf -1 -1 0x3 0x1\n"
           "0 0 0 0 0 0 0\n"
           "1800000.000000 54000000.000000 0x1dbf 5000 100000 0x3 0x1\n"
           "0 0 0 0 0 0 0\n"
           "0x1dbf 10\n"
           "0 0\n"
           "0xc0c 2400\n"
           "0xc0c 1800\n"
           "0xc0c 3200\n"
           "0x192 500\n"
           "0x192 300\n"
           "0x192 2400\n"
           "0x1 6000\n"
           "0x1 3000\n"
           "0x1020 16000\n"
           "0x1020 9000\n"
           "0 0\n"
           "9990\n"
           "9990\n"
           "1200\n"
           "0\n"
           "10 \n"
           "12 \n"
           "0x0\n"
           "0x0\n"
           "0x40001038\n"
           "0x1038\n"
           "0x0\n"
           "0x0\n"
           "vfo_ops=0x0\n"
           "ptt_type=0x1\n"
           "targetable_vfo=0x0\n"
           "has_set_vfo=1\n"
           "has_get_vfo=1\n"
           "has_set_freq=1\n"
           "has_get_freq=1\n"
           "has_set_conf=0\n"
           "has_get_conf=0\n"
           "has_power2mW=0\n"
           "has_mW2power=0\n"
           "timeout=0\n"
           "done\n";
}

} // namespace Rigctl
