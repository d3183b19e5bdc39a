#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/pty.h"
#include "sim/simulated_radio.h"

namespace Sim {

// How the simulated radio's serial line behaves.
struct LineOptions {
    // Delay before each answer, as the radio's processing time.
    std::chrono::microseconds latency{0};
    // Emulated line speed: 10 bits per byte in both directions; 0 sends at once.
    int baud = 0;
};

// One command the radio received, with the time its last byte arrived (on the emulated
// line, when a baud rate is set).
struct ReceivedCommand {
    std::string text;
    std::chrono::steady_clock::time_point time;
};

// Plays a SimulatedRadio on a pseudo-terminal: a thread reads the master end, cuts the
// bytes at ";" into commands and writes the radio's answers back. The program under test
// opens slavePath() as its serial port. Everything here may be called from any thread.
class PtyRadio {
public:
    explicit PtyRadio(LineOptions options = {});
    ~PtyRadio();
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    const std::string& slavePath() const { return pty.slavePath(); }

    // ---- What the radio received --------------------------------------------------------
    std::vector<ReceivedCommand> received() const;
    bool hasReceived(const std::string& command) const { return countReceived(command) > 0; }
    int countReceived(const std::string& command) const;
    void clearReceived();
    // The log holds a command once the radio has acted on it; its answers may still be on
    // their way. Waits until `command` has been received (also before the call, unless
    // cleared since).
    // `pump` runs between checks, for a caller whose own thread must keep working (a GUI test
    // passes a function that processes its events); without it the call just blocks.
    bool waitForCommand(const std::string& command, std::chrono::milliseconds timeout,
                        const std::function<void()>& pump = {});
    // The same for any condition on the received commands.
    bool waitUntil(const std::function<bool(const std::vector<ReceivedCommand>&)>& done,
                   std::chrono::milliseconds timeout, const std::function<void()>& pump = {});

    // Waits until no command has come for `quiet` (counted from the call at the earliest),
    // for a caller that must not miss the last commands of a burst before it looks at or
    // clears the log. `pump` as above.
    bool waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout,
                      const std::function<void()>& pump = {});

    // ---- Driving the radio ----------------------------------------------------------------
    // Sends bytes to the program as they stand (after the answers already queued).
    void sendRaw(const std::string& bytes);
    // As if the operator changed the radio's setting (a set command such as "FA007100000;"):
    // applies it and sends the auto-information reports. Throws std::invalid_argument for a
    // command the radio rejects.
    void operate(const std::string& command);
    // Runs `change` on the radio's state under the lock, for anything not forwarded below.
    template <class Change> auto withRadio(Change&& change) {
        std::lock_guard<std::mutex> lock(radioMutex);
        return change(radio);
    }

    // ---- Shortcuts to the radio's state and faults (see SimulatedRadio) -------------------
    int value(const std::string& read) const;
    void setValue(const std::string& read, int value);
    int menuValue(int number) const;
    void setMenuValue(int number, int value);
    void setModelId(int id);
    void setPower(bool on);
    bool powered() const;
    void rejectRead(const std::string& command);
    void silenceRead(const std::string& command, int times = 1);
    void clearFaults();

    // Called on the radio's thread for every command received and every message sent
    // (`received` tells which); set it before the program starts talking.
    void setTrace(std::function<void(bool received, const std::string& message)> trace);

private:
    void run();
    void handleCommand(const std::string& command, std::chrono::steady_clock::time_point arrival);
    void sendPending();
    void send(const std::string& message);
    void write(std::string_view bytes);
    // Waits until `deadline`; false when the radio is stopping.
    bool waitUntilTime(std::chrono::steady_clock::time_point deadline);
    std::chrono::nanoseconds lineTime(std::size_t bytes) const;

    const LineOptions options;
    PtyPair pty;
    int wakePipe[2] = {-1, -1};

    mutable std::mutex radioMutex;
    SimulatedRadio radio;

    mutable std::mutex logMutex;
    std::condition_variable logChanged;
    std::vector<ReceivedCommand> log;

    std::mutex pendingMutex;
    std::vector<std::string> pending; // messages from other threads, sent by the radio's thread

    std::mutex traceMutex;
    std::function<void(bool, const std::string&)> trace;

    std::mutex stopMutex;
    std::condition_variable stopRequested;
    std::atomic<bool> stopping{false};
    std::chrono::steady_clock::time_point lineFreeAt; // when the emulated input line is idle
    std::thread thread;
};

} // namespace Sim
