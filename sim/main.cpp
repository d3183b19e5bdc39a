// corvane-radio-sim: plays an FT-891 on a pseudo-terminal until SIGINT or SIGTERM.
// The first line on standard output is the port to open; the traffic goes to standard error.
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>

#include "sim/pty_radio.h"

namespace {

struct Settings {
    std::string link;
    int modelId = 650;
    int latencyMs = 0;
    int baud = 0;
    bool quiet = false;
    bool powerOff = false;
    bool reportAllSets = false;
};

int number(const char* text, long high) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > high)
        throw std::invalid_argument(fmt::format("not a number from 0 to {}: {}", high, text));
    return static_cast<int>(value);
}

struct Option {
    const char* name;
    const char* argument; // nullptr for a switch
    const char* help;
    void (*apply)(Settings&, const char* value);
};
// clang-format off
constexpr Option kOptions[] = {
    {"--link",            "PATH", "also make PATH a symbolic link to the port (removed on exit)",
     [](Settings& s, const char* v) { s.link = v; }},
    {"--id",              "N",    "model identification answered to ID; (650 is the FT-891)",
     [](Settings& s, const char* v) { s.modelId = number(v, 9999); }},
    {"--latency-ms",      "N",    "delay before each answer",
     [](Settings& s, const char* v) { s.latencyMs = number(v, 60000); }},
    {"--baud",            "N",    "emulate this line speed (10 bits per byte); 0 sends at once",
     [](Settings& s, const char* v) { s.baud = number(v, 10000000); }},
    {"--quiet",           nullptr, "do not print the traffic",
     [](Settings& s, const char*) { s.quiet = true; }},
    {"--power-off",       nullptr, "start with the radio switched off",
     [](Settings& s, const char*) { s.powerOff = true; }},
    {"--report-all-sets", nullptr, "with auto-information on, report every set, not only changes",
     [](Settings& s, const char*) { s.reportAllSets = true; }},
};
// clang-format on

void printUsage(std::FILE* to) {
    fmt::print(to, "usage: corvane-radio-sim [options]\n");
    for (const Option& option : kOptions)
        fmt::print(to, "  {:<24} {}\n",
                   fmt::format("{} {}", option.name, option.argument ? option.argument : ""), option.help);
}

Settings parse(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        const Option* found = nullptr;
        for (const Option& option : kOptions)
            if (std::strcmp(argv[i], option.name) == 0)
                found = &option;
        if (found == nullptr)
            throw std::invalid_argument(fmt::format("unknown option {}", argv[i]));
        if (found->argument != nullptr && i + 1 >= argc)
            throw std::invalid_argument(fmt::format("{} needs {}", found->name, found->argument));
        found->apply(settings, found->argument != nullptr ? argv[++i] : nullptr);
    }
    return settings;
}

// The traffic as one line, with bytes that do not print written as \xNN.
std::string printable(const std::string& message) {
    std::string text;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        text += std::isprint(byte) ? std::string(1, c) : fmt::format("\\x{:02X}", byte);
    }
    return text;
}

void makeLink(const std::string& link, const std::string& target) {
    struct stat existing {};
    if (::lstat(link.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode))
            throw std::runtime_error(fmt::format("{} exists and is not a symbolic link", link));
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0)
        throw std::runtime_error(fmt::format("cannot make the link {}: {}", link, std::strerror(errno)));
}

void removeLink(const std::string& link, const std::string& target) {
    char pointsTo[4096];
    const ssize_t length = ::readlink(link.c_str(), pointsTo, sizeof pointsTo);
    if (length > 0 && std::string(pointsTo, static_cast<std::size_t>(length)) == target)
        ::unlink(link.c_str());
}

} // namespace

int main(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage(stdout);
            return 0;
        }
    }
    try {
        settings = parse(argc, argv);
    } catch (const std::exception& error) {
        fmt::print(stderr, "corvane-radio-sim: {}\n", error.what());
        printUsage(stderr);
        return 2;
    }
    // Blocked before the radio's thread starts, so that only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        Sim::PtyRadio radio({std::chrono::milliseconds(settings.latencyMs), settings.baud});
        radio.withRadio([&](Sim::SimulatedRadio& r) {
            r.setModelId(settings.modelId);
            r.setPower(!settings.powerOff);
            r.setReportUnchangedSets(settings.reportAllSets);
        });
        if (!settings.quiet)
            radio.setTrace([](bool received, const std::string& message) {
                fmt::print(stderr, "{} {}\n", received ? "<-" : "->", printable(message));
            });
        if (!settings.link.empty())
            makeLink(settings.link, radio.slavePath());
        fmt::print("{}\n", radio.slavePath());
        std::fflush(stdout);

        int signal = 0;
        sigwait(&stopSignals, &signal);
        if (!settings.link.empty())
            removeLink(settings.link, radio.slavePath());
    } catch (const std::exception& error) {
        fmt::print(stderr, "corvane-radio-sim: {}\n", error.what());
        return 1;
    }
    return 0;
}
