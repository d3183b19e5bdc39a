// The radio played on a real pseudo-terminal, with a program end opened on its slave.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program_port.h"
#include "sim/pty_radio.h"

namespace {

using namespace std::chrono_literals;
using Sim::LineOptions;
using Sim::PtyRadio;

std::vector<std::string> texts(const std::vector<Sim::ReceivedCommand>& commands) {
    std::vector<std::string> result;
    for (const auto& command : commands)
        result.push_back(command.text);
    return result;
}

// The same exchanges on a line that sends at once and on one with latency and a baud rate.
class OverThePty : public testing::TestWithParam<LineOptions> {
protected:
    PtyRadio radio{GetParam()};
    ProgramPort program{radio.slavePath()};
};

TEST_P(OverThePty, CommandsAreFramedAtTheTerminatorHoweverTheBytesArrive) {
    // The wake-up string and two reads in one write, then a read split over two writes.
    program.write("aslkdfk;PS;FA;");
    program.write("AG");
    program.write("0;");
    EXPECT_EQ(program.readUntil("AG0060;"), "PS1;FA014074000;AG0060;");

    const auto received = radio.received();
    EXPECT_EQ(texts(received), (std::vector<std::string>{"aslkdfk;", "PS;", "FA;", "AG0;"}));
    EXPECT_TRUE(std::is_sorted(received.begin(), received.end(),
                               [](const auto& a, const auto& b) { return a.time < b.time; }));
    radio.clearReceived();
    EXPECT_TRUE(radio.received().empty());
}

TEST_P(OverThePty, AMenuWalkAnswersEveryItem) {
    // The way the read-back walks the menu: one read per answer.
    std::string answers;
    for (const char* read : {"EX0101;", "EX0513;", "EX0803;", "EX1801;"}) {
        program.write(read);
        answers += program.readUntil(";");
    }
    EXPECT_EQ(answers, "EX01010300;EX0513+05;EX0803+0000;EX18010106;");
}

TEST_P(OverThePty, OperatorChangesAreReportedOnlyWithAutoInformation) {
    radio.operate("FA007100000;");
    program.write("FB;");
    EXPECT_EQ(program.readUntil(";"), "FB007074000;"); // no report came before the answer
    program.write("AI1;");
    ASSERT_TRUE(radio.waitForCommand("AI1;", 5s));
    radio.operate("MD03;");
    EXPECT_EQ(program.readUntil("SH0014;"), "MD03;SH0014;");
    EXPECT_EQ(radio.value("MD0;"), 3);
}

TEST_P(OverThePty, RawBytesAndFaultsReachTheProgram) {
    radio.sendRaw("RM1128;");
    EXPECT_EQ(program.readUntil(";"), "RM1128;");
    radio.rejectRead("RL0;");
    radio.silenceRead("KS;");
    program.write("RL0;KS;KS;");
    EXPECT_EQ(program.readUntil("KS020;"), "?;KS020;");
    radio.setModelId(670);
    program.write("ID;");
    EXPECT_EQ(program.readUntil(";"), "ID0670;");
}

TEST_P(OverThePty, SetCommandsFromTheProgramChangeTheState) {
    program.write("FA007100000;EX1605030;");
    ASSERT_TRUE(radio.waitForCommand("EX1605030;", 5s));
    EXPECT_EQ(radio.value("FA;"), 7100000);
    EXPECT_EQ(radio.menuValue(1605), 30);
    radio.setMenuValue(1605, 40);
    program.write("EX1605;");
    EXPECT_EQ(program.readUntil(";"), "EX1605040;");
}

std::string lineName(const testing::TestParamInfo<LineOptions>& info) {
    return info.param.baud == 0 ? "Immediate" : "PacedWithLatency";
}

INSTANTIATE_TEST_SUITE_P(Lines, OverThePty,
                         testing::Values(LineOptions{}, LineOptions{std::chrono::milliseconds(2), 38400}),
                         lineName);

TEST(PtyRadio, WaitForCommandRunsThePumpUntilTheCommandComes) {
    PtyRadio radio;
    ProgramPort program(radio.slavePath());
    EXPECT_FALSE(radio.waitForCommand("VX;", 20ms));
    int pumped = 0;
    // A pump stands for the GUI thread's event loop, which is where the program writes.
    EXPECT_TRUE(radio.waitForCommand("VX;", 5s, [&] {
        if (pumped++ == 0)
            program.write("VX;");
    }));
    EXPECT_GE(pumped, 1);
    EXPECT_EQ(radio.countReceived("VX;"), 1);
}

TEST(PtyRadio, WaitForQuietSeesTheWholeBurst) {
    PtyRadio radio;
    ProgramPort program(radio.slavePath());
    program.write("FA;FB;IF;");
    ASSERT_TRUE(radio.waitForQuiet(50ms, 5s));
    EXPECT_EQ(radio.countReceived("IF;"), 1);
}

TEST(PtyRadio, PoweredOffItAnswersOnlyThePowerQuery) {
    PtyRadio radio;
    ProgramPort program(radio.slavePath());
    radio.setPower(false);
    program.write("aslkdfk;FA;PS;");
    EXPECT_EQ(program.readUntil(";"), "PS0;");
    program.write("PS1;PS;");
    EXPECT_EQ(program.readUntil(";"), "PS1;");
    EXPECT_TRUE(radio.powered());
}

TEST(PtyRadio, StopsEvenWhenTheProgramNeverReads) {
    // Far more than a pseudo-terminal buffers: the radio's thread is stuck writing when the
    // radio goes away, on an immediate and on a slow line.
    for (const LineOptions options : {LineOptions{}, LineOptions{std::chrono::microseconds(0), 4800}}) {
        PtyRadio radio(options);
        ProgramPort program(radio.slavePath());
        radio.sendRaw(std::string(1 << 20, 'x'));
        radio.sendRaw("FA;");
    }
}

} // namespace
