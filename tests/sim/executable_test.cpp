// corvane-radio-sim as a script starts it: the port on the first line of its output, a
// fixed link to it, and a clean exit on SIGTERM.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "program_port.h"

extern char** environ;

namespace {

struct Started {
    pid_t pid = -1;
    int output = -1; // the read end of its standard output
};

Started start(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), CORVANE_RADIO_SIM);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    Started started;
    if (posix_spawn(&started.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start the simulator");
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    started.output = pipeEnds[0];
    return started;
}

std::string firstLine(int fd) {
    std::string line;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

int exitStatus(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Executable : public testing::Test {
protected:
    Executable() {
        char pattern[] = "/tmp/corvane-sim-test-XXXXXX";
        folder = ::mkdtemp(pattern);
    }
    ~Executable() override {
        ::unlink(link().c_str());
        ::rmdir(folder.c_str());
    }
    std::string link() const { return folder + "/radio"; }
    std::string folder;
};

TEST_F(Executable, PrintsThePortLinksItAndPlaysTheChosenModelUntilTerminated) {
    const Started sim =
        start({"--link", link(), "--id", "670", "--latency-ms", "1", "--baud", "38400", "--quiet"});
    const std::string port = firstLine(sim.output);
    EXPECT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    char target[256] = {};
    ASSERT_GT(::readlink(link().c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), port);
    {
        ProgramPort program(link());
        program.write("aslkdfk;ID;EX0506;");
        EXPECT_EQ(program.readUntil("EX05063;"), "ID0670;EX05063;");
    }
    ::kill(sim.pid, SIGTERM);
    EXPECT_EQ(exitStatus(sim.pid), 0);
    struct stat gone {};
    EXPECT_NE(::lstat(link().c_str(), &gone), 0) << "the link outlived the simulator";
    ::close(sim.output);
}

TEST_F(Executable, RefusesAnUnknownOption) {
    const Started sim = start({"--colour", "blue"});
    EXPECT_EQ(exitStatus(sim.pid), 2);
    EXPECT_EQ(firstLine(sim.output), "");
    ::close(sim.output);
}

} // namespace
