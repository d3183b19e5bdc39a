// What the radio rejects with "?;", what it ignores, and that no input, however broken,
// makes it crash or leave its ranges.
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cat/ft891.h"
#include "sim/menu_settings.h"
#include "sim/simulated_radio.h"

namespace {

using Sim::Messages;
using Sim::SimulatedRadio;
namespace FT891 = Yaesu::Commands::FT891;

// Every answer the radio can give about its state, to see that a rejected command changed
// nothing.
std::vector<std::string> everyAnswer(SimulatedRadio& radio) {
    std::vector<std::string> answers;
    const auto add = [&](const std::string& read) {
        for (const std::string& answer : radio.handle(read))
            answers.push_back(answer);
    };
    // The meters move from reading to reading by themselves: no command changes them.
    const auto isMeter = [](const std::string& read) {
        return read == "SM0;" || read.compare(0, 2, "RM") == 0;
    };
    for (const Sim::ValueCommand* row = Sim::valueCommandsBegin(); row != Sim::valueCommandsEnd(); ++row)
        if (!isMeter(row->read))
            add(row->read);
    for (const FT891::MenuItem& item : FT891::MenuCatalogue())
        add(FT891::ReadMenu(item.number));
    for (const char* read : {"IF;", "OI;", "DA;", "KM1;", "KM2;", "KM3;", "KM4;", "KM5;", "MT001;", "MTP1L;"})
        add(read);
    return answers;
}

FT891::ChannelRecord channelWithMode(int mode) {
    FT891::ChannelRecord channel;
    channel.channel = 20;
    channel.frequency = 7100000;
    channel.mode = mode;
    return channel;
}

struct RejectCase {
    const char* name;
    std::string command;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const RejectCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<RejectCase> kRejectCases = {
    {"unknown mnemonic", "ZZ;"},
    {"lower case mnemonic", "fa;"},
    {"line feed before the mnemonic", "\nFA;"},
    {"lone terminator", ";"},
    {"one letter", "F;"},
    {"NUL inside", std::string("FA\0;", 4)},
    {"byte above ASCII", "FA\xff;"},
    {"frequency one digit short", "FA14074000;"},
    {"frequency above the radio", "FA060000000;"},
    {"frequency below the radio", "FA000010000;"},
    {"AF gain above 255", "AG0256;"},
    {"AF gain with a sign", "AG0-12;"},
    {"DNR level 0", "RL000;"},
    {"width beyond the last code", "SH0122;"},
    {"IF shift off the 20 Hz grid", "IS01+0030;"},
    {"mode 0", "MD00;"},
    {"mode beyond D", "MD0E;"},
    {"mode in lower-case hexadecimal", "MD0c;"},
    {"IF shift without its sign", "IS0100240;"},
    {"auto information 2", "AI2;"},
    {"split 3", "ST3;"},
    {"notch selector 2", "BP02001;"},
    {"identification is read only", "ID0650;"},
    {"meter is read only", "RM1100;"},
    {"menu item the radio lacks", "EX1701;"},
    {"menu number not digits", "EX01A1;"},
    {"firmware version cannot be set", "EX18010200;"},
    {"menu value above the item", "EX1605050;"},
    {"menu value off the 20 ms grid", "EX01010310;"},
    {"menu value too narrow", "EX0513+5;"},
    {"menu value without digits", "EX0513;;"},
    {"version item", "EX18010107;"},
    {"keyer memory 6", "KM6;"},
    {"keyer text over 50 characters", "KM1" + std::string(51, 'E') + ";"},
    {"empty memory channel", "MT050;"},
    {"memory channel 0", "MT000;"},
    {"scan pair P0", "MTP0L;"},
    {"memory write with mode 0", FT891::SetMT(channelWithMode(0))},
    {"power 2", "PS2;"},
    {"channel step 2", "CH2;"},
    {"band beyond GEN", "BS12;"},
    {"clarifier step of five digits", "RU10000;"},
    {"dimmer level 16", "DA16050505;"},
    {"keyer message 0", "KY0;"},
    {"keyer message in lower case", "KYa;"},
    {"VFO/memory with a parameter", "VM1;"},
    {"information cannot be set", "IF001014074000+000000200000;"},
};

class Rejected : public testing::TestWithParam<RejectCase> {};

TEST_P(Rejected, IsAnsweredWithAQuestionMarkAndChangesNothing) {
    SimulatedRadio radio;
    radio.handle("AI1;");
    const auto before = everyAnswer(radio);
    EXPECT_EQ(radio.handle(GetParam().command), Messages{"?;"});
    EXPECT_EQ(everyAnswer(radio), before);
}

std::string caseName(const testing::TestParamInfo<RejectCase>& info) {
    std::string name;
    for (const char c : std::string(info.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Commands, Rejected, testing::ValuesIn(kRejectCases), caseName);

struct AmFmMode {
    const char* name;
    int code;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const AmFmMode& c, std::ostream* os) {
    *os << c.name;
}

class AmAndFm : public testing::TestWithParam<AmFmMode> {};

TEST_P(AmAndFm, RejectDnfDnrAndItsLevel) {
    SimulatedRadio radio;
    radio.handle(FT891::SetMD(GetParam().code));
    for (const char* command : {"BC0;", "RL0;", "NR0;", "BC01;", "RL005;", "NR01;"})
        EXPECT_EQ(radio.handle(command), Messages{"?;"}) << command;
    EXPECT_EQ(radio.handle("AG0;"), Messages{"AG0060;"});
    // Back in USB the same reads are answered.
    radio.handle("MD02;");
    EXPECT_EQ(radio.handle("NR0;"), Messages{"NR00;"});
}

INSTANTIATE_TEST_SUITE_P(Modes, AmAndFm,
                         testing::Values(AmFmMode{"FM", 0x4}, AmFmMode{"AM", 0x5}, AmFmMode{"FM_N", 0xB},
                                         AmFmMode{"AM_N", 0xD}),
                         [](const testing::TestParamInfo<AmFmMode>& info) {
                             return std::string(info.param.name);
                         });

TEST(WakeUp, IsNeverAnswered) {
    SimulatedRadio radio;
    EXPECT_TRUE(radio.handle("aslkdfk;").empty());
    radio.setPower(false);
    EXPECT_TRUE(radio.handle("aslkdfk;").empty());
}

TEST(Power, OffTheRadioListensOnlyForThePowerSwitch) {
    SimulatedRadio radio;
    radio.handle("AI1;");
    EXPECT_TRUE(radio.handle("PS0;").empty());
    EXPECT_FALSE(radio.powered());
    for (const char* ignored : {"FA;", "ID;", "EX0101;", "ZZ;", "FA007100000;", "PS2;"})
        EXPECT_TRUE(radio.handle(ignored).empty()) << ignored;
    EXPECT_EQ(radio.value("FA;"), 14074000);
    EXPECT_EQ(radio.handle("PS;"), Messages{"PS0;"});
    EXPECT_TRUE(radio.handle("PS1;").empty());
    EXPECT_EQ(radio.handle("PS;"), Messages{"PS1;"});
    // It comes back without auto-information, as it started.
    EXPECT_EQ(radio.handle("AI;"), Messages{"AI0;"});
}

TEST(Faults, RejectAndSilenceChosenReads) {
    SimulatedRadio radio;
    radio.rejectRead("RL0;");
    radio.silenceRead("KS;", 2);
    radio.silenceRead("VX;", SimulatedRadio::kAlways);
    EXPECT_EQ(radio.handle("RL0;"), Messages{"?;"});
    EXPECT_EQ(radio.handle("RL005;"), Messages{}); // only the chosen text is rejected
    EXPECT_TRUE(radio.handle("KS;").empty());
    EXPECT_TRUE(radio.handle("KS;").empty());
    EXPECT_EQ(radio.handle("KS;"), Messages{"KS020;"});
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(radio.handle("VX;").empty());
    radio.clearFaults();
    EXPECT_EQ(radio.handle("RL0;"), Messages{"RL005;"});
    EXPECT_EQ(radio.handle("VX;"), Messages{"VX0;"});
}

TEST(Model, IdentifiesAsTheChosenModel) {
    SimulatedRadio radio;
    EXPECT_EQ(radio.handle("ID;"), Messages{"ID0650;"});
    radio.setModelId(670);
    EXPECT_EQ(radio.handle("ID;"), Messages{"ID0670;"});
}

// A message the radio may send: "?;" or an answer of two upper-case letters and one ";".
bool wellFormedMessage(const std::string& message) {
    if (message == "?;")
        return true;
    return message.size() >= 3 && message.back() == ';' && message.find(';') == message.size() - 1 &&
           std::isupper(static_cast<unsigned char>(message[0])) &&
           std::isupper(static_cast<unsigned char>(message[1]));
}

void expectSaneRadio(SimulatedRadio& radio) {
    for (const Sim::ValueCommand* row = Sim::valueCommandsBegin(); row != Sim::valueCommandsEnd(); ++row) {
        const auto values = radio.values(row->read);
        EXPECT_TRUE(row->first.contains(values.first)) << row->read;
        EXPECT_TRUE(row->second.contains(values.second)) << row->read;
    }
    for (const Sim::MenuSetting& item : Sim::menuSettings()) {
        const int value = radio.menuValue(item.number);
        EXPECT_TRUE(value >= item.low && value <= item.high) << item.number;
    }
}

TEST(Garbage, NeverCrashesTheRadioNorTakesItOutOfItsRanges) {
    SimulatedRadio radio;
    radio.handle("AI1;");
    std::mt19937 random(891);
    const std::string alphabet = "ABCDEFGHIKLMNOPRSTUVXYZ0123456789+- ;\n\x01\xff";
    // Mutations of real commands find their way deeper than random bytes.
    std::vector<std::string> seeds = everyAnswer(radio);
    seeds.insert(seeds.end(), {"AB;", "SV;", "VM;", "CH0;", "BS03;", "RU0100;", "QS;", "KY1;", "PS;"});
    int sent = 0;
    for (int round = 0; round < 100; ++round) {
        for (std::string command : seeds) {
            const auto edits = 1 + random() % 3;
            for (unsigned e = 0; e < edits; ++e) {
                const std::size_t at = random() % command.size();
                switch (random() % 3) {
                case 0:
                    command[at] = alphabet[random() % alphabet.size()];
                    break;
                case 1:
                    command.erase(at, 1);
                    break;
                default:
                    command.insert(at, 1, alphabet[random() % alphabet.size()]);
                    break;
                }
            }
            // Framed the way the runner frames the line: cut after each ";".
            for (std::size_t start = 0, end; (end = command.find(';', start)) != std::string::npos;
                 start = end + 1) {
                const std::string piece = command.substr(start, end + 1 - start);
                if (piece == "PS0;")
                    continue; // a radio switched off ends the exploration early
                for (const std::string& message : radio.handle(piece))
                    ASSERT_TRUE(wellFormedMessage(message)) << piece << " -> " << message;
                ++sent;
            }
        }
    }
    EXPECT_GT(sent, 10000);
    expectSaneRadio(radio);
    EXPECT_EQ(radio.handle("PS;"), Messages{"PS1;"});
}

} // namespace
