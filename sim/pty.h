#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace Sim {

// One pseudo-terminal pair. The slave path is what the program under test opens as its
// serial port; the master end plays the radio. The slave is also held open here, in raw
// mode, so that the pair survives the program closing and reopening its end and nothing
// the radio writes before that is echoed back.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return path; }
    int masterFd() const { return master; }
    // The slave end held here; its terminal settings are the ones the program's port set.
    int slaveFd() const { return slave; }

    // Writes all bytes to the master end.
    void write(std::string_view bytes);
    // Whatever arrives at the master end within the time; waits no longer than that.
    std::string readFor(std::chrono::milliseconds time);
    // Reads until the bytes received so far end with `terminator` or the time is up.
    std::string readUntil(std::string_view terminator, std::chrono::milliseconds timeout);
    // Reads what is already there without waiting.
    std::string readAvailable();

private:
    int master = -1;
    int slave = -1;
    std::string path;
};

} // namespace Sim
