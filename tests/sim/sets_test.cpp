// Set commands and actions change the radio's state; with auto-information on, every
// change is reported back in the answer layout of its command.
#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cat/ft891.h"
#include "sim/simulated_radio.h"

namespace {

using Sim::Messages;
using Sim::SimulatedRadio;
namespace FT891 = Yaesu::Commands::FT891;

// "menu, three digits" becomes menu__three_digits: test names take letters, digits and _.
template <class Case> std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : std::string(info.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

SimulatedRadio radioWithAutoInformation() {
    SimulatedRadio radio;
    EXPECT_TRUE(radio.handle("AI1;").empty());
    return radio;
}

struct SetCase {
    const char* name;
    const char* set; // also the answer the read gives afterwards
    const char* read;
    Messages alsoReported; // reports after the set's own one
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name;
}

// Each set changes the factory state.
const std::vector<SetCase> kSetCases = {
    {"VFO-A frequency", "FA007100000;", "FA;", {}},
    {"VFO-B frequency", "FB021074000;", "FB;", {}},
    {"AF gain", "AG0128;", "AG0;", {}},
    {"IF shift on and down", "IS01-0240;", "IS0;", {}},
    {"filter width", "SH0109;", "SH0;", {}},
    {"contour frequency", "CO010800;", "CO01;", {}},
    {"notch position", "BP01150;", "BP01;", {}},
    {"monitor level", "ML1075;", "ML1;", {}},
    {"microphone equaliser", "PR11;", "PR1;", {}},
    {"DCS code", "CN01023;", "CN01;", {}},
    {"AGC slow", "GT03;", "GT0;", {}},
    {"key speed", "KS030;", "KS;", {}},
    {"power control", "PC050;", "PC;", {}},
    {"mode reports the width too", "MD03;", "MD0;", {"SH0014;"}},
    {"menu, three digits", "EX1605030;", "EX1605;", {}},
    {"menu, sign and two digits", "EX0513-05;", "EX0513;", {}},
    {"menu, sign and four digits", "EX0803-1230;", "EX0803;", {}},
    {"menu, AGC delay", "EX01010500;", "EX0101;", {}},
    {"menu, peak hold digit", "EX02052;", "EX0205;", {}},
    {"menu, choice", "EX05197;", "EX0519;", {}},
    {"dimmer", "DA05060708;", "DA;", {}},
};

class SetCommands : public testing::TestWithParam<SetCase> {};

TEST_P(SetCommands, AreAppliedSilentlyWithoutAutoInformation) {
    SimulatedRadio radio;
    EXPECT_TRUE(radio.handle(GetParam().set).empty());
    EXPECT_EQ(radio.handle(GetParam().read), Messages{GetParam().set});
}

TEST_P(SetCommands, AreReportedOnceWithAutoInformation) {
    SimulatedRadio radio = radioWithAutoInformation();
    Messages expected{GetParam().set};
    expected.insert(expected.end(), GetParam().alsoReported.begin(), GetParam().alsoReported.end());
    EXPECT_EQ(radio.handle(GetParam().set), expected);
    EXPECT_EQ(radio.handle(GetParam().read), Messages{GetParam().set});
    // The same value again changes nothing, so nothing is reported...
    EXPECT_TRUE(radio.handle(GetParam().set).empty());
    // ...unless the radio is told to report every set command.
    radio.setReportUnchangedSets(true);
    EXPECT_EQ(radio.handle(GetParam().set), Messages{GetParam().set});
}

INSTANTIATE_TEST_SUITE_P(Settings, SetCommands, testing::ValuesIn(kSetCases), caseName<SetCase>);

struct ActionCase {
    const char* name;
    const char* command;
    Messages reports; // with auto-information on, from the factory state
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const ActionCase& c, std::ostream* os) {
    *os << c.name;
}

// Factory state: VFO-A 14.074 MHz USB, VFO-B 7.074 MHz, channel 1 (7.074 MHz DATA-U, tagged),
// channels 1-5 and 10 programmed, quick split +5 kHz.
const std::vector<ActionCase> kActionCases = {
    {"A to B", "AB;", {"FB014074000;"}},
    {"B to A", "BA;", {"FA007074000;"}},
    {"swap A and B", "SV;", {"FA007074000;", "FB014074000;"}},
    {"clarifier up", "RU0020;", {"IF001014074000+002000200000;"}},
    {"clarifier down", "RD0150;", {"IF001014074000-015000200000;"}},
    {"clarifier clear at zero", "RC;", {}},
    {"quick split", "QS;", {"FB014079000;", "ST1;"}},
    {"band select", "BS03;", {"FA007074000;", "SH0014;"}},
    {"memory channel on", "VM;", {"FA007074000;", "MD0C;", "IF001007074000+000000C10000;"}},
    {"channel up", "CH0;", {"IF002014074000+000000200000;"}},
    {"channel down wraps round", "CH1;", {"IF010014074000+000000200000;"}},
    {"zero in", "ZI;", {}},
    {"play keyer message", "KYA;", {}},
    {"store VFO-A in the channel", "AM;", {}},
};

class Actions : public testing::TestWithParam<ActionCase> {};

TEST_P(Actions, ReportWhatTheyChange) {
    SimulatedRadio radio = radioWithAutoInformation();
    EXPECT_EQ(radio.handle(GetParam().command), GetParam().reports);
}

INSTANTIATE_TEST_SUITE_P(Radio, Actions, testing::ValuesIn(kActionCases), caseName<ActionCase>);

TEST(Actions, TheBandStackRemembersEachBandsFrequency) {
    SimulatedRadio radio;
    radio.handle("BS03;");
    radio.handle("FA007010000;");
    radio.handle("BS05;");
    EXPECT_EQ(radio.value("FA;"), 14074000);
    radio.handle("BS03;");
    EXPECT_EQ(radio.value("FA;"), 7010000);
}

TEST(Actions, MemoryModeRecallsTheChannelAndGivesTheVfoBack) {
    SimulatedRadio radio;
    radio.handle("VM;");
    EXPECT_TRUE(radio.inMemoryMode());
    EXPECT_EQ(radio.value("FA;"), 7074000);
    radio.handle("CH0;"); // channel 2 comes onto VFO-A
    EXPECT_EQ(radio.value("FA;"), 14074000);
    EXPECT_EQ(radio.value("MD0;"), 0xC);
    radio.handle("VM;");
    EXPECT_FALSE(radio.inMemoryMode());
    EXPECT_EQ(radio.handle("IF;"), Messages{"IF002014074000+000000200000;"});
}

TEST(Actions, StoringInMemoryKeepsTheChannelsTag) {
    SimulatedRadio radio;
    radio.handle("AM;");
    EXPECT_EQ(radio.handle("MT001;"), Messages{"MT001014074000+0000002000001FT8 40M     ;"});
}

TEST(StoredContents, AreKeptButNotReported) {
    SimulatedRadio radio = radioWithAutoInformation();
    EXPECT_TRUE(radio.handle("KM2CQ TEST;").empty());
    EXPECT_EQ(radio.handle("KM2;"), Messages{"KM2CQ TEST;"});

    FT891::ChannelRecord channel;
    channel.channel = 117;
    channel.frequency = 50313000;
    channel.clarifierValue = -150;
    channel.clarifierEnabled = 1;
    channel.mode = 0xC;
    channel.tagEnabled = 1;
    channel.tagName = "6M FT8";
    EXPECT_TRUE(radio.handle(FT891::SetMT(channel)).empty());
    const Messages answer = radio.handle("MTP9U;");
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer.front(), FT891::SetMT(channel));
    EXPECT_EQ(FT891::ParseMT(answer.front()).tagName, "6M FT8      ");
}

struct LinkCase {
    const char* set;
    int menuNumber;
    const char* menuAnswer;
};

TEST(MenuItems, ThatShowAFrontPanelSettingFollowIt) {
    const LinkCase cases[] = {
        {"VG070;", 1617, "EX16170070;"},
        {"VD1000;", 1618, "EX16181000;"},
        {"NL0008;", 503, "EX050308;"},
    };
    for (const LinkCase& link : cases) {
        SCOPED_TRACE(link.set);
        SimulatedRadio radio;
        radio.handle(link.set);
        EXPECT_EQ(radio.handle(FT891::ReadMenu(link.menuNumber)), Messages{link.menuAnswer});
    }
    SimulatedRadio radio;
    radio.handle("DA05060708;");
    EXPECT_EQ(radio.handle("EX0201;"), Messages{"EX020105;"});
    EXPECT_EQ(radio.handle("EX0204;"), Messages{"EX020408;"});
}

TEST(Operator, ChangesAreReportedLikeSetCommands) {
    SimulatedRadio radio;
    EXPECT_TRUE(radio.operate("FA007100000;").empty()); // auto-information is off
    radio.handle("AI1;");
    EXPECT_EQ(radio.operate("MD05;"), (Messages{"MD05;", "SH0014;"}));
    EXPECT_EQ(radio.operate("SV;"), (Messages{"FA007074000;", "FB007100000;", "MD02;"}));
    EXPECT_THROW(radio.operate("FA1;"), std::invalid_argument);
}

TEST(CatRate, FollowsTheEmulatedLineSpeed) {
    SimulatedRadio radio;
    radio.setCatRate(9600);
    EXPECT_EQ(radio.handle("EX0506;"), Messages{"EX05061;"});
    radio.setCatRate(1200); // not a rate of the radio: left as it was
    EXPECT_EQ(radio.menuValue(506), 1);
}

} // namespace
