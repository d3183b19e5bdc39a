#pragma once

// The network protocol of Hamlib's rigctld, as its "NET rigctl" client and logging programs
// speak it: one request per line, answered from a snapshot of the radio's state. Sets come
// back as actions for the window to turn into CAT commands. Standard library only.

#include <cstdint>
#include <string>
#include <vector>

namespace Rigctl {

// The codes of the "RPRT n" lines.
enum Error : int {
    Ok = 0,
    InvalidParameter = -1, // malformed request or value out of range
    IoError = -6,          // a set while the radio's port is closed
    NotAvailable = -11,    // a command or level this radio does not serve
};

// What the window knows of the radio, from its answers.
struct RadioState {
    std::int64_t frequencyA = 0; // Hz; 0 while the radio has not reported it
    std::int64_t frequencyB = 0;
    std::string mode = "USB"; // one of the names of modeNames
    int passband = 0;         // Hz; 0 when the mode has no width list
    bool split = false;
    bool transmitting = false;
    bool powerOn = true;
    bool portOpen = true; // sets can reach the radio
    // The level sliders and the power setting, 0 to 1.
    double af = 0, rf = 0, squelch = 0, rfPower = 0;
    int strength = -54; // dB over S9, from the last S-meter reading
};

// One connection's choice of VFO (the "V" command); reads and sets of f/F/m/M follow it.
struct Session {
    bool vfoB = false;
    // The transmit VFO the connection last named in "S"; 0 while it has named none.
    char txVfo = 0; // 'A' or 'B'
};

// A set the radio has to carry out.
struct Action {
    enum class Kind { Frequency, Mode, Ptt, Split, Level };
    Kind kind = Kind::Frequency;
    bool vfoB = false;      // Frequency: VFO B's
    std::int64_t hertz = 0; // Frequency
    std::string mode;       // Mode: a name of modeNames
    int passband = 0;       // Mode: Hz; 0 or -1 keeps the width
    bool on = false;        // Ptt, Split
    std::string level;      // Level: AF, RF, SQL or RFPOWER
    double value = 0;       // Level: 0 to 1
    bool operator==(const Action& other) const;
};

struct Reply {
    std::string text; // the bytes to send back; empty for an empty line
    std::vector<Action> actions;
    bool close = false; // "q": the client is done
};

// The mode names the FT-891 can serve.
extern const std::vector<std::string> modeNames;

// The frequencies the radio tunes, both ends included.
inline constexpr std::int64_t lowestFrequency = 30000;
inline constexpr std::int64_t highestFrequency = 56000000;

// Cuts a line into its requests as rigctld reads them: one-letter commands may follow each other
// without a blank ("+fmv" is "+f", "m", "v"), each takes as many words as it has arguments. The
// line ends at an unknown command (nothing tells where its arguments end) and at "q".
std::vector<std::string> requests(const std::string& line);

// Answers one request line (without its line end), all its requests in turn. Never throws.
Reply respond(const std::string& line, const RadioState& state, Session& session);

// The capabilities block of "\dump_state", in the layout the NET rigctl client parses.
std::string dumpState();

} // namespace Rigctl
