#pragma once

#include <chrono>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

// The program's end of the line: the pseudo-terminal slave opened as a serial port, raw.
class ProgramPort {
public:
    explicit ProgramPort(const std::string& path) : fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        if (fd < 0)
            throw std::runtime_error("cannot open " + path);
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
    }
    ~ProgramPort() { ::close(fd); }
    ProgramPort(const ProgramPort&) = delete;
    ProgramPort& operator=(const ProgramPort&) = delete;

    void write(const std::string& bytes) {
        if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("short write to the radio");
    }

    // Reads until the bytes received end with `end` or the time is up.
    std::string readUntil(const std::string& end,
                          std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string received;
        while (!(end.size() > 0 && received.size() >= end.size() &&
                 received.compare(received.size() - end.size(), end.size(), end) == 0)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd readable{fd, POLLIN, 0};
            if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0)
                continue;
            char chunk[4096];
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n > 0)
                received.append(chunk, static_cast<std::size_t>(n));
        }
        return received;
    }
    // Whatever arrives within the time.
    std::string readFor(std::chrono::milliseconds time) { return readUntil({}, time); }

private:
    int fd;
};
