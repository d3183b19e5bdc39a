#pragma once

// The commands waiting for the radio's line, whole, in the order they are to go out. The line
// carries a few hundred bytes a second at the radio's slower CAT rates, while a network client
// can send sets by the thousand: what waits here is bounded, a client's set of a kind replaces
// the one of that kind still waiting, and a PTT release never waits behind anything.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class Outbox {
public:
    // The lanes, in the order they go out.
    enum class Lane : std::uint8_t {
        Release, // TX0; and MX0;: a transmitter keyed by the panel or a client is unkeyed first
        Own,     // the operator's commands and the window's own reads, in the order given
        Network, // the network clients' sets: of each kind only the newest waits
    };
    static constexpr std::size_t ownLimit = 1024;
    static constexpr std::size_t networkLimit = 64;

    struct Command {
        std::string text;
        // Runs when the command leaves for the port (the power sequences time their pauses
        // from there).
        std::function<void()> handed;
    };

    // False when the lane is full: the command is not queued.
    bool push(std::string command, Lane lane, std::function<void()> handed = {});
    bool empty() const { return release.empty() && own.empty() && network.empty(); }
    std::size_t size() const { return release.size() + own.size() + network.size(); }
    // The next command to go out; the outbox must not be empty.
    Command take();
    void clear();

    // What the protocol says of a command's text.
    static bool isRelease(const std::string& command) { return command == "TX0;" || command == "MX0;"; }
    static bool isKeying(const std::string& command) { return command == "TX1;" || command == "MX1;"; }
    // A client's sets of one kind set the same thing: the mnemonic, and the item for a menu set.
    static std::string kindOf(const std::string& command);

private:
    std::deque<Command> release, own, network;
};
