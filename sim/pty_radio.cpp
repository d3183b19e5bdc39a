#include "sim/pty_radio.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace Sim {

using Clock = std::chrono::steady_clock;

namespace {

// Bytes kept of a stream that never sends ";": far more than the longest command.
constexpr std::size_t kMaximumPartialCommand = 1024;

} // namespace

PtyRadio::PtyRadio(LineOptions lineOptions) : options(lineOptions) {
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot create the radio's wake-up pipe");
    if (options.baud > 0)
        radio.setCatRate(options.baud);
    thread = std::thread([this] { run(); });
}

PtyRadio::~PtyRadio() {
    {
        std::lock_guard<std::mutex> lock(stopMutex);
        stopping = true;
    }
    stopRequested.notify_all();
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    thread.join();
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
}

void PtyRadio::run() {
    std::string buffer;
    while (!stopping) {
        pollfd watched[2] = {{pty.masterFd(), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
        ::poll(watched, 2, 100);
        if ((watched[1].revents & POLLIN) != 0) {
            char drain[64];
            while (::read(wakePipe[0], drain, sizeof drain) > 0) {
            }
        }
        sendPending();
        buffer += pty.readAvailable();
        const Clock::time_point arrival = Clock::now();
        for (std::size_t end; !stopping && (end = buffer.find(';')) != std::string::npos;) {
            const std::string command = buffer.substr(0, end + 1);
            buffer.erase(0, end + 1);
            handleCommand(command, arrival);
            sendPending();
        }
        if (buffer.size() > kMaximumPartialCommand)
            buffer.erase(0, buffer.size() - kMaximumPartialCommand);
    }
}

void PtyRadio::handleCommand(const std::string& command, Clock::time_point arrival) {
    // On a real line the command's bytes come in one after the other; the radio can act on
    // it only when the last one is in.
    if (options.baud > 0) {
        lineFreeAt = std::max(lineFreeAt, arrival) + lineTime(command.size());
        if (!waitUntilTime(lineFreeAt))
            return;
    }
    const Clock::time_point received = Clock::now();
    {
        std::lock_guard<std::mutex> lock(traceMutex);
        if (trace)
            trace(true, command);
    }
    Messages answers;
    {
        std::lock_guard<std::mutex> lock(radioMutex);
        answers = radio.handle(command);
    }
    // Logged once the radio has acted on it, so that a test that has seen a command in the
    // log also sees its effect on the state; the answers follow.
    {
        std::lock_guard<std::mutex> lock(logMutex);
        log.push_back({command, received});
    }
    logChanged.notify_all();
    for (const std::string& answer : answers) {
        if (options.latency.count() > 0 && !waitUntilTime(Clock::now() + options.latency))
            return;
        send(answer);
    }
}

void PtyRadio::sendPending() {
    std::vector<std::string> messages;
    {
        std::lock_guard<std::mutex> lock(pendingMutex);
        messages.swap(pending);
    }
    for (const std::string& message : messages)
        send(message);
}

void PtyRadio::send(const std::string& message) {
    if (options.baud <= 0) {
        write(message);
    } else {
        // One byte at a time on the emulated line's clock; a late start does not add up.
        Clock::time_point next = Clock::now();
        for (char byte : message) {
            if (!waitUntilTime(next))
                return;
            write(std::string_view(&byte, 1));
            next += lineTime(1);
        }
    }
    std::lock_guard<std::mutex> lock(traceMutex);
    if (trace)
        trace(false, message);
}

void PtyRadio::write(std::string_view bytes) {
    // Like PtyPair::write, but gives up when the radio stops: a program that never reads
    // must not keep the radio's thread alive.
    while (!bytes.empty() && !stopping) {
        const ssize_t n = ::write(pty.masterFd(), bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd writable{pty.masterFd(), POLLOUT, 0};
            ::poll(&writable, 1, 50);
        }
    }
}

bool PtyRadio::waitUntilTime(Clock::time_point deadline) {
    std::unique_lock<std::mutex> lock(stopMutex);
    stopRequested.wait_until(lock, deadline, [this] { return stopping.load(); });
    return !stopping;
}

std::chrono::nanoseconds PtyRadio::lineTime(std::size_t bytes) const {
    // A start bit, eight data bits and a stop bit per byte.
    return std::chrono::nanoseconds(static_cast<long long>(bytes) * 10 * 1000000000LL / options.baud);
}

// ---- What the radio received -----------------------------------------------------------

std::vector<ReceivedCommand> PtyRadio::received() const {
    std::lock_guard<std::mutex> lock(logMutex);
    return log;
}

int PtyRadio::countReceived(const std::string& command) const {
    std::lock_guard<std::mutex> lock(logMutex);
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [&](const ReceivedCommand& entry) { return entry.text == command; }));
}

void PtyRadio::clearReceived() {
    std::lock_guard<std::mutex> lock(logMutex);
    log.clear();
}

bool PtyRadio::waitForCommand(const std::string& command, std::chrono::milliseconds timeout,
                              const std::function<void()>& pump) {
    return waitUntil(
        [&](const std::vector<ReceivedCommand>& commands) {
            return std::any_of(commands.begin(), commands.end(),
                               [&](const ReceivedCommand& entry) { return entry.text == command; });
        },
        timeout, pump);
}

bool PtyRadio::waitUntil(const std::function<bool(const std::vector<ReceivedCommand>&)>& done,
                         std::chrono::milliseconds timeout, const std::function<void()>& pump) {
    const Clock::time_point deadline = Clock::now() + timeout;
    std::unique_lock<std::mutex> lock(logMutex);
    for (;;) {
        if (done(log))
            return true;
        if (Clock::now() >= deadline)
            return false;
        if (pump) {
            lock.unlock();
            pump();
            lock.lock();
            logChanged.wait_for(lock, std::chrono::milliseconds(2));
        } else {
            logChanged.wait_until(lock, deadline);
        }
    }
}

bool PtyRadio::waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout,
                            const std::function<void()>& pump) {
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + timeout;
    for (;;) {
        Clock::time_point last = start;
        {
            std::lock_guard<std::mutex> lock(logMutex);
            if (!log.empty())
                last = std::max(last, log.back().time);
        }
        const Clock::time_point now = Clock::now();
        if (now - last >= quiet)
            return true;
        if (now >= deadline)
            return false;
        if (pump)
            pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// ---- Driving the radio -----------------------------------------------------------------

void PtyRadio::sendRaw(const std::string& bytes) {
    {
        std::lock_guard<std::mutex> lock(pendingMutex);
        pending.push_back(bytes);
    }
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
}

void PtyRadio::operate(const std::string& command) {
    Messages reports = withRadio([&](SimulatedRadio& r) { return r.operate(command); });
    for (const std::string& message : reports)
        sendRaw(message);
}

int PtyRadio::value(const std::string& read) const {
    std::lock_guard<std::mutex> lock(radioMutex);
    return radio.value(read);
}
void PtyRadio::setValue(const std::string& read, int value) {
    withRadio([&](SimulatedRadio& r) { r.setValue(read, value); });
}
int PtyRadio::menuValue(int number) const {
    std::lock_guard<std::mutex> lock(radioMutex);
    return radio.menuValue(number);
}
void PtyRadio::setMenuValue(int number, int value) {
    withRadio([&](SimulatedRadio& r) { r.setMenuValue(number, value); });
}
void PtyRadio::setModelId(int id) {
    withRadio([&](SimulatedRadio& r) { r.setModelId(id); });
}
void PtyRadio::setPower(bool on) {
    withRadio([&](SimulatedRadio& r) { r.setPower(on); });
}
bool PtyRadio::powered() const {
    std::lock_guard<std::mutex> lock(radioMutex);
    return radio.powered();
}
void PtyRadio::rejectRead(const std::string& command) {
    withRadio([&](SimulatedRadio& r) { r.rejectRead(command); });
}
void PtyRadio::silenceRead(const std::string& command, int times) {
    withRadio([&](SimulatedRadio& r) { r.silenceRead(command, times); });
}
void PtyRadio::clearFaults() {
    withRadio([](SimulatedRadio& r) { r.clearFaults(); });
}

void PtyRadio::setTrace(std::function<void(bool, const std::string&)> callback) {
    std::lock_guard<std::mutex> lock(traceMutex);
    trace = std::move(callback);
}

} // namespace Sim
