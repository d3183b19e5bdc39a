#include "sim/pty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace Sim {

namespace {
void makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
    }
}
} // namespace

PtyPair::PtyPair() {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        throw std::runtime_error("cannot create a pseudo-terminal");
    path = ptsname(master);
    slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave < 0)
        throw std::runtime_error("cannot open the pseudo-terminal slave " + path);
    makeRaw(slave);
    makeRaw(master);
}

PtyPair::~PtyPair() {
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
}

void PtyPair::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(master, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<size_t>(n));
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd p{master, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

std::string PtyPair::readAvailable() {
    std::string out;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(master, chunk, sizeof chunk);
        if (n <= 0)
            break;
        out.append(chunk, static_cast<size_t>(n));
    }
    return out;
}

std::string PtyPair::readUntil(std::string_view terminator, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    std::string out;
    for (;;) {
        out += readAvailable();
        if (!terminator.empty() && out.size() >= terminator.size() &&
            out.compare(out.size() - terminator.size(), terminator.size(), terminator) == 0)
            return out;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return out;
        pollfd p{master, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left.count()));
    }
}

std::string PtyPair::readFor(std::chrono::milliseconds time) {
    return readUntil({}, time);
}

} // namespace Sim
