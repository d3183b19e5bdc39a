// Requests per second and the latency of "f" (the frequency read every logging program
// polls) over one and eight connections, against servers that are already running: Corvane
// (reads answered from the window's state) and, for reference, Hamlib's rigctld.
//
//   net_bench [--requests N] NAME=HOST:PORT ...
//   e.g. net_bench corvane=127.0.0.1:4532 rigctld=127.0.0.1:4533

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Target {
    std::string name, host;
    int port = 0;
};

int connectTo(const Target& target) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(target.port));
    inet_pton(AF_INET, target.host.c_str(), &address.sin_addr);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error(fmt::format("cannot connect to {}:{}", target.host, target.port));
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

// One request and its whole one-line answer; the latency in microseconds.
double ask(int fd, std::string& pending) {
    const auto start = Clock::now();
    if (write(fd, "f\n", 2) != 2)
        throw std::runtime_error("write failed");
    char buffer[256];
    while (pending.find('\n') == std::string::npos) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            throw std::runtime_error("connection closed");
        pending.append(buffer, static_cast<size_t>(n));
    }
    pending.erase(0, pending.find('\n') + 1);
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void run(const Target& target, int connections, int requests) {
    std::vector<std::vector<double>> latencies(static_cast<size_t>(connections));
    std::vector<int> sockets;
    for (int i = 0; i < connections; ++i)
        sockets.push_back(connectTo(target));
    // A first read on each connection: the server's start-up work is not measured.
    for (int fd : sockets) {
        std::string pending;
        ask(fd, pending);
    }
    const auto start = Clock::now();
    std::vector<std::thread> threads;
    for (int i = 0; i < connections; ++i)
        threads.emplace_back([&, i] {
            std::string pending;
            auto& mine = latencies[static_cast<size_t>(i)];
            mine.reserve(static_cast<size_t>(requests));
            for (int r = 0; r < requests; ++r)
                mine.push_back(ask(sockets[static_cast<size_t>(i)], pending));
        });
    for (auto& thread : threads)
        thread.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (int fd : sockets) {
        (void)!write(fd, "q\n", 2);
        close(fd);
    }
    std::vector<double> all;
    for (const auto& l : latencies)
        all.insert(all.end(), l.begin(), l.end());
    std::sort(all.begin(), all.end());
    const auto at = [&](double q) {
        return all[std::min(all.size() - 1, static_cast<size_t>(q * all.size()))];
    };
    fmt::print("{:<10} {:>11} {:>10} {:>12.0f} {:>11.1f} {:>10.1f} {:>10.1f}\n", target.name, connections,
               all.size(), all.size() / seconds, at(0.5), at(0.99), all.back());
}

} // namespace

int main(int argc, char** argv) {
    int requests = 5000;
    std::vector<Target> targets;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--requests" && i + 1 < argc) {
            requests = std::atoi(argv[++i]);
            continue;
        }
        const size_t equals = argument.find('='), colon = argument.rfind(':');
        if (equals == std::string::npos || colon == std::string::npos || colon < equals) {
            fmt::print(stderr, "usage: net_bench [--requests N] NAME=HOST:PORT ...\n");
            return 2;
        }
        targets.push_back({argument.substr(0, equals), argument.substr(equals + 1, colon - equals - 1),
                           std::atoi(argument.c_str() + colon + 1)});
    }
    if (targets.empty())
        targets.push_back({"corvane", "127.0.0.1", 4532});
    fmt::print("{:<10} {:>11} {:>10} {:>12} {:>11} {:>10} {:>10}\n", "server", "connections", "requests",
               "requests/s", "median µs", "p99 µs", "max µs");
    try {
        for (const Target& target : targets)
            for (int connections : {1, 8})
                run(target, connections, requests);
    } catch (const std::exception& error) {
        fmt::print(stderr, "{}\n", error.what());
        return 1;
    }
}
