// The simulated radio's meters move from reading to reading; keying it with MOX is reported
// as its transmit state.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "sim/simulated_radio.h"

namespace {

using Sim::Messages;
using Sim::SimulatedRadio;

// The level of a meter answer "SM0ddd;" or "RMnddd;", checked for its layout.
int levelOf(const std::string& answer, const std::string& prefix) {
    EXPECT_EQ(answer.size(), 7u) << answer;
    EXPECT_EQ(answer.compare(0, prefix.size(), prefix), 0) << answer;
    EXPECT_EQ(answer.back(), ';') << answer;
    return std::stoi(answer.substr(3, 3));
}

} // namespace

TEST(SimulatedMeters, ReadingsMoveWithinTheScale) {
    struct Case {
        const char* read;
        const char* prefix;
    };
    const Case cases[] = {
        {"SM0;", "SM0"}, {"RM1;", "RM1"}, {"RM3;", "RM3"}, {"RM6;", "RM6"}, {"RM7;", "RM7"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.read);
        SimulatedRadio radio;
        std::set<int> levels;
        for (int i = 0; i < 20; ++i) {
            const Messages answers = radio.handle(c.read);
            ASSERT_EQ(answers.size(), 1u);
            const int level = levelOf(answers.front(), c.prefix);
            EXPECT_GE(level, 0);
            EXPECT_LE(level, 255);
            EXPECT_EQ(radio.value(c.read), level);
            levels.insert(level);
        }
        EXPECT_GE(levels.size(), 10u) << "the needle hardly moves";
    }
}

TEST(SimulatedMeters, NoSuchMeterIsRefused) {
    SimulatedRadio radio;
    EXPECT_EQ(radio.handle("RM8;"), Messages{"?;"});
    EXPECT_EQ(radio.handle("SM1;"), Messages{"?;"});
    EXPECT_EQ(radio.handle("RM12;"), Messages{"?;"});
}

TEST(SimulatedMeters, MoxKeysTheTransmitter) {
    SimulatedRadio radio;
    radio.handle("AI1;");
    EXPECT_EQ(radio.handle("MX1;"), (Messages{"MX1;", "TX2;"}));
    EXPECT_EQ(radio.value("TX;"), 2);
    EXPECT_EQ(radio.handle("MX0;"), (Messages{"MX0;", "TX0;"}));
    EXPECT_EQ(radio.handle("MX0;"), Messages{});
}
