// The program's command set and the simulated radio, each written from the radio's protocol
// on its own, agree on every kind of answer: what the radio sends, the program's parser
// reads as the radio's values; what the program's builders write, the radio takes and ends
// up holding the values built. A width, a sign, a fixed character or a range that one side
// has wrong shows here as a failing row.
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "cat/ft891.h"
#include "sim/menu_settings.h"
#include "sim/simulated_radio.h"

namespace Sim {
// A failing value is shown as numbers.
[[maybe_unused]] void PrintTo(const IntPair& value, std::ostream* os) {
    *os << "{" << value.first << ", " << value.second << "}";
}
} // namespace Sim

namespace {

namespace FT891 = Yaesu::Commands::FT891;
using Sim::IntPair;
using Sim::Messages;
using Sim::SimulatedRadio;

using Parse = std::function<IntPair(const std::string&)>;
using Build = std::function<std::string(const IntPair&)>;

template <int (*P)(const std::string&)> IntPair one(const std::string& answer) {
    return {0, P(answer)};
}
template <FT891::IntPair (*P)(const std::string&)> IntPair two(const std::string& answer) {
    const FT891::IntPair value = P(answer);
    return {value.first, value.second};
}
template <std::string (*B)(int)> std::string value(const IntPair& v) {
    return B(v.second);
}
template <std::string (*B)(const FT891::IntPair&)> std::string pair(const IntPair& v) {
    return B({v.first, v.second});
}

// One setting: its read command, the program's parser of its answer and the program's set
// builder (none for settings the program only reads).
struct Setting {
    const char* read;
    Parse parse;
    Build build;
};

// A failing case is named by its read command, not dumped as bytes.
[[maybe_unused]] void PrintTo(const Setting& setting, std::ostream* os) {
    *os << setting.read;
}

const std::vector<Setting>& settings() {
    using namespace FT891;
    static const std::vector<Setting> rows = {
        // read   parser             builder
        {"AC;", one<ParseAC>, value<SetAC>},
        {"AG0;", one<ParseAG>, value<SetAG>},
        {"AI;", one<ParseAI>, value<SetAI>},
        {"BC0;", one<ParseBC>, value<SetBC>},
        {"BI;", one<ParseBI>, value<SetBI>},
        {"BP00;", two<ParseBP>, pair<SetBP>},
        {"BP01;", two<ParseBP>, pair<SetBP>},
        {"BY;", one<ParseBY>, {}},
        {"CF0;", one<ParseCF>, value<SetCF>},
        {"CN00;", two<ParseCN>, pair<SetCN>},
        {"CN01;", two<ParseCN>, pair<SetCN>},
        {"CO00;", two<ParseCO>, pair<SetCO>},
        {"CO01;", two<ParseCO>, pair<SetCO>},
        {"CO02;", two<ParseCO>, pair<SetCO>},
        {"CO03;", two<ParseCO>, pair<SetCO>},
        {"CS;", one<ParseCS>, value<SetCS>},
        {"CT0;", one<ParseCT>, value<SetCT>},
        {"FA;", one<ParseFA>, value<SetFA>},
        {"FB;", one<ParseFB>, value<SetFB>},
        {"FS;", one<ParseFS>, value<SetFS>},
        {"GT0;", one<ParseGT>, value<SetGT>},
        {"ID;", one<ParseID>, {}},
        {"IS0;", two<ParseIS>, [](const IntPair& v) { return SetIS(v.first, v.second); }},
        {"KP;", one<ParseKP>, {}},
        {"KR;", one<ParseKR>, value<SetKR>},
        {"KS;", one<ParseKS>, value<SetKS>},
        {"LK;", one<ParseLK>, value<SetLK>},
        {"LM0;",
         [](const std::string& a) {
             return IntPair{0, ReadField(a, 3, 1)};
         },
         value<SetLM>},
        {"MD0;", one<ParseMD>, value<SetMD>},
        {"MG;", one<ParseMG>, value<SetMG>},
        {"ML0;", two<ParseML>, pair<SetML>},
        {"ML1;", two<ParseML>, pair<SetML>},
        {"MS;", one<ParseMS>, value<SetMS>},
        {"MX;", one<ParseMX>, value<SetMX>},
        {"NA0;", one<ParseNA>, value<SetNA>},
        {"NB0;", one<ParseNB>, value<SetNB>},
        {"NL0;", one<ParseNL>, value<SetNL>},
        {"NR0;", one<ParseNR>, value<SetNR>},
        {"OS0;", one<ParseOS>, value<SetOS>},
        {"PA0;", one<ParsePA>, value<SetPA>},
        {"PB0;",
         [](const std::string& a) {
             return IntPair{0, ReadField(a, 3, 1)};
         },
         value<SetPB>},
        {"PC;", one<ParsePC>, {}},
        {"PL;", one<ParsePL>, {}},
        {"PR0;", two<ParsePR>, pair<SetPR>},
        {"PR1;", two<ParsePR>, pair<SetPR>},
        {"RA0;", one<ParseRA>, value<SetRA>},
        {"RG0;", one<ParseRG>, value<SetRG>},
        {"RL0;", one<ParseRL>, value<SetRL>},
        {"RM0;", two<ParseRM>, {}},
        {"RM1;", two<ParseRM>, {}},
        {"RM2;", two<ParseRM>, {}},
        {"RM3;", two<ParseRM>, {}},
        {"RM4;", two<ParseRM>, {}},
        {"RM5;", two<ParseRM>, {}},
        {"RM6;", two<ParseRM>, {}},
        {"RM7;", two<ParseRM>, {}},
        {"RS;", one<ParseRS>, {}},
        {"SC;", one<ParseSC>, value<SetSC>},
        {"SD;", one<ParseSD>, {}},
        {"SH0;", two<ParseSH>, pair<SetSH>},
        {"SM0;", one<ParseSM>, {}},
        {"SQ0;", one<ParseSQ>, value<SetSQ>},
        {"ST;", one<ParseST>, value<SetST>},
        {"TS;",
         [](const std::string& a) {
             return IntPair{0, ReadField(a, 2, 1)};
         },
         value<SetTS>},
        {"TX;", one<ParseTX>, {}},
        {"UL;", one<ParseUL>, {}},
        {"VD;", one<ParseVD>, value<SetVD>},
        {"VG;", one<ParseVG>, value<SetVG>},
        {"VX;", one<ParseVX>, value<SetVX>},
    };
    return rows;
}

// The values worth trying on a range: its ends, the factory value and one between, on the
// range's grid; both selectors where the selector varies (IS on/off, SH).
std::vector<IntPair> valuesOf(const Sim::ValueCommand& row) {
    const int step = row.second.step;
    const int middle = (row.second.low + row.second.high) / 2 / step * step;
    std::vector<IntPair> values;
    for (int first = row.first.low; first <= row.first.high; ++first)
        for (const int second : {row.second.low, row.second.high, row.initial.second, middle})
            values.push_back({first, second});
    return values;
}

// A radio that answers plainly: auto-information off (the factory state), and in USB, where
// every setting is available.
class SettingAgreement : public testing::TestWithParam<Setting> {};

TEST_P(SettingAgreement, TheRadiosAnswerParsesToItsValueAndTheProgramsSetCommandSetsIt) {
    const Setting& setting = GetParam();
    const Sim::ValueCommand* row = Sim::findValueCommand(setting.read);
    ASSERT_NE(row, nullptr) << "the radio has no setting read by " << setting.read;
    // The radio may take sets the program never sends (key pitch, power), not the reverse.
    if (setting.build) {
        EXPECT_EQ(row->access, Sim::Access::ReadSet) << "the radio cannot set " << setting.read;
    }
    for (const IntPair& v : valuesOf(*row)) {
        SCOPED_TRACE(fmt::format("{} {{{}, {}}}", setting.read, v.first, v.second));
        SimulatedRadio radio;
        radio.setValues(setting.read, v);
        const Messages answer = radio.handle(setting.read);
        ASSERT_EQ(answer.size(), 1u);
        // The meters move with every reading: the state then holds the reading sent.
        EXPECT_EQ(setting.parse(answer.front()), radio.values(setting.read)) << answer.front();
        if (!setting.build)
            continue;
        SimulatedRadio fresh;
        const std::string command = setting.build(v);
        EXPECT_EQ(fresh.handle(command), Messages{}) << command;
        EXPECT_EQ(fresh.values(setting.read), v) << command;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryValueCommand, SettingAgreement, testing::ValuesIn(settings()),
                         [](const testing::TestParamInfo<Setting>& info) {
                             std::string name = info.param.read;
                             name.pop_back();
                             return name;
                         });

TEST(SettingAgreement, EveryValueCommandOfTheRadioIsInTheTable) {
    for (const Sim::ValueCommand* row = Sim::valueCommandsBegin(); row != Sim::valueCommandsEnd(); ++row)
        EXPECT_TRUE(std::any_of(settings().begin(), settings().end(), [&](const Setting& s) {
            return s.read == std::string(row->read);
        })) << row->read;
}

// Every menu item, at its lowest, factory and highest value and one between: the radio's
// answer parses to the value, and the program's set command (for the items it sets) is
// taken and sets it.
TEST(MenuAgreement, EveryItemBothWays) {
    const auto& catalogue = FT891::MenuCatalogue();
    ASSERT_EQ(catalogue.size(), Sim::menuSettings().size());
    for (const FT891::MenuItem& item : catalogue) {
        const Sim::MenuSetting* setting = Sim::findMenuSetting(item.number);
        ASSERT_NE(setting, nullptr) << "the radio lacks item " << item.number;
        const int middle = (setting->low + setting->high) / 2 / setting->step * setting->step;
        for (const int v : {setting->low, setting->initial, middle, setting->high}) {
            SCOPED_TRACE(fmt::format("item {:04} value {}", item.number, v));
            SimulatedRadio radio;
            radio.setMenuValue(item.number, v);
            const Messages answer = radio.handle(FT891::ReadMenu(item.number));
            ASSERT_EQ(answer.size(), 1u);
            if (FT891::IsVersionItem(item.number))
                EXPECT_EQ(FT891::ParseMenuVersion(answer.front(), item.number),
                          fmt::format("V{:02}-{:02}", v / 100, v % 100));
            else
                EXPECT_EQ(FT891::ParseMenu(answer.front(), item.number), v) << answer.front();
            if (item.readOnly)
                continue;
            SimulatedRadio fresh;
            const std::string command = FT891::SetMenu(item.number, v);
            EXPECT_EQ(fresh.handle(command), Messages{}) << command;
            EXPECT_EQ(fresh.menuValue(item.number), v) << command;
        }
    }
}

// The VFO-A and VFO-B information in a few states of the radio, set by operating it.
struct InformationCase {
    const char* name;
    std::vector<std::string> operations;
};

TEST(InformationAgreement, IfAndOiCarryTheRadiosState) {
    const InformationCase cases[] = {
        {"factory", {}},
        {"memory channel 10, clarifier down", {"CH1;", "VM;", "RD9999;", "CF010;", "CT03;", "OS02;"}},
        {"clarifier up, AM-N at the top", {"RU1234;", "MD0D;", "FA056000000;", "FB000030000;", "SV;"}},
    };
    for (const InformationCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedRadio radio;
        for (const std::string& operation : c.operations)
            radio.operate(operation);
        const Messages information = radio.handle("IF;");
        ASSERT_EQ(information.size(), 1u);
        const FT891::InformationRecord a = FT891::ParseIF(information.front());
        EXPECT_EQ(a.channel, radio.memoryChannel());
        EXPECT_EQ(a.frequency, radio.value("FA;"));
        EXPECT_EQ(a.clarifierValue, radio.clarifierOffset());
        EXPECT_EQ(a.clarifierEnabled, radio.value("CF0;"));
        EXPECT_EQ(a.mode, radio.value("MD0;"));
        EXPECT_EQ(a.vfoMemory, radio.inMemoryMode() ? 1 : 0);
        EXPECT_EQ(a.ctcssType, radio.value("CT0;"));
        EXPECT_EQ(a.operation, radio.value("OS0;"));

        const Messages opposite = radio.handle("OI;");
        ASSERT_EQ(opposite.size(), 1u);
        const FT891::InformationRecord b = FT891::ParseOI(opposite.front());
        EXPECT_EQ(b.frequency, radio.value("FB;"));
        // VFO-B's mode is what VFO-A shows once the two are swapped.
        SimulatedRadio swapped = radio;
        swapped.operate("SV;");
        EXPECT_EQ(b.mode, swapped.value("MD0;"));
    }
}

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Memory channels written by the program are stored as written and read back as stored.
TEST(MemoryChannelAgreement, WrittenChannelsAreStoredAndReadBack) {
    const FT891::ChannelRecord channels[] = {
        {7, 7074000, -150, 1, 0xC, 0, 0, 1, "FT8"},
        {99, 56000000, 9999, 0, 0x1, 3, 2, 0, ""},
        {117, 30000, -9999, 1, 0xD, 2, 1, 1, "TWELVE CHARS"},
        {100, 14074000, 0, 0, 0xA, 1, 0, 1, "P1 LOW"},
    };
    for (const FT891::ChannelRecord& channel : channels) {
        const std::string write = FT891::SetMT(channel);
        SCOPED_TRACE(write);
        SimulatedRadio radio;
        EXPECT_EQ(radio.handle(write), Messages{});
        const auto stored = radio.channel(channel.channel);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->frequency, channel.frequency);
        EXPECT_EQ(stored->clarifierValue, channel.clarifierValue);
        EXPECT_EQ(stored->clarifierEnabled, channel.clarifierEnabled);
        EXPECT_EQ(stored->mode, channel.mode);
        EXPECT_EQ(stored->ctcssType, channel.ctcssType);
        EXPECT_EQ(stored->operation, channel.operation);
        EXPECT_EQ(stored->tagEnabled, channel.tagEnabled);
        EXPECT_EQ(trimmed(stored->tagName), channel.tagName);

        const Messages answer = radio.handle(FT891::ReadMT(channel.channel));
        ASSERT_EQ(answer.size(), 1u);
        const FT891::ChannelRecord read = FT891::ParseMT(answer.front());
        EXPECT_EQ(read.channel, channel.channel);
        EXPECT_EQ(read.frequency, channel.frequency);
        EXPECT_EQ(read.clarifierValue, channel.clarifierValue);
        EXPECT_EQ(read.mode, channel.mode);
        EXPECT_EQ(read.tagEnabled, channel.tagEnabled);
        EXPECT_EQ(trimmed(read.tagName), channel.tagName);
    }
}

TEST(KeyerAgreement, TextsWrittenAreStoredAndReadBack) {
    const std::string texts[] = {"CQ TEST}", std::string(50, 'E'), "5NN TU}", "A", "?"};
    for (int slot = 1; slot <= 5; ++slot) {
        const std::string& text = texts[slot - 1];
        SimulatedRadio radio;
        EXPECT_EQ(radio.handle(FT891::SetKM({slot, text})), Messages{}) << slot;
        EXPECT_EQ(radio.keyerMemory(slot), text);
        const Messages answer = radio.handle(FT891::ReadKM(slot));
        ASSERT_EQ(answer.size(), 1u);
        const FT891::KeyerMemoryRecord read = FT891::ParseKM(answer.front());
        EXPECT_EQ(read.slot, slot);
        EXPECT_EQ(read.text, text);
    }
}

TEST(DimmerAgreement, TheFourLevelsAreTheDisplayMenuItems) {
    for (const int level : {1, 8, 15}) {
        SimulatedRadio radio;
        for (const int item : {201, 202, 203, 204})
            radio.setMenuValue(item, item == 202 ? 16 - level : level);
        const Messages answer = radio.handle(FT891::ReadDA());
        ASSERT_EQ(answer.size(), 1u);
        const FT891::DimmerRecord read = FT891::ParseDA(answer.front());
        EXPECT_EQ(read.first, radio.menuValue(201)) << answer.front();
        EXPECT_EQ(read.second, radio.menuValue(202)) << answer.front();
        EXPECT_EQ(read.third, radio.menuValue(203)) << answer.front();
        EXPECT_EQ(read.fourth, radio.menuValue(204)) << answer.front();
    }
}

// The program's actions (commands without an answer of their own) are taken and act.
struct Action {
    std::string command;
    std::function<bool(const SimulatedRadio&)> done;
};

TEST(ActionAgreement, TheProgramsActionsAreTakenAndAct) {
    using namespace FT891;
    const Action actions[] = {
        {SetPS(0), [](const SimulatedRadio& r) { return !r.powered(); }},
        {SetBS(3), [](const SimulatedRadio& r) { return r.value("FA;") / 1000000 == 7; }},
        {SetBS(10), [](const SimulatedRadio& r) { return r.value("FA;") / 1000000 == 50; }},
        {SetCH(0), [](const SimulatedRadio& r) { return r.memoryChannel() == 2; }},
        {SetCH(1), [](const SimulatedRadio& r) { return r.memoryChannel() == 10; }},
        {SetRU(9999), [](const SimulatedRadio& r) { return r.clarifierOffset() == 9999; }},
        {SetRD(5), [](const SimulatedRadio& r) { return r.clarifierOffset() == -5; }},
        {SetAB(), [](const SimulatedRadio& r) { return r.value("FB;") == r.value("FA;"); }},
        {SetBA(), [](const SimulatedRadio& r) { return r.value("FA;") == 7074000; }},
        {SetSV(),
         [](const SimulatedRadio& r) { return r.value("FA;") == 7074000 && r.value("FB;") == 14074000; }},
        {SetVM(), [](const SimulatedRadio& r) { return r.inMemoryMode(); }},
        {SetAM(), [](const SimulatedRadio& r) { return r.channel(1)->frequency == 14074000; }},
        {SetRC(), [](const SimulatedRadio& r) { return r.clarifierOffset() == 0; }},
        {SetZI(), [](const SimulatedRadio&) { return true; }},
        {SetKY(1), [](const SimulatedRadio&) { return true; }},
        {SetKY(10), [](const SimulatedRadio&) { return true; }},
    };
    for (const Action& action : actions) {
        SimulatedRadio radio;
        EXPECT_EQ(radio.handle(action.command), Messages{}) << action.command;
        EXPECT_TRUE(action.done(radio)) << action.command;
    }
}

// Every read the program can build is one the radio answers.
TEST(ReadAgreement, EveryReadOfTheProgramIsAnswered) {
    using namespace FT891;
    std::vector<std::string> reads = {
        ReadAC(), ReadAG(), ReadAI(), ReadBC(), ReadBI(), ReadBY(), ReadCF(), ReadCS(),  ReadCT(),   ReadDA(),
        ReadFA(), ReadFB(), ReadFS(), ReadGT(), ReadID(), ReadIF(), ReadIS(), ReadKP(),  ReadKR(),   ReadKS(),
        ReadLK(), ReadMD(), ReadMG(), ReadMS(), ReadMX(), ReadNA(), ReadNB(), ReadNL(),  ReadNR(),   ReadOI(),
        ReadOS(), ReadPA(), ReadPC(), ReadPL(), ReadPS(), ReadRA(), ReadRG(), ReadRL(),  ReadSC(),   ReadSD(),
        ReadSH(), ReadSM(), ReadSQ(), ReadST(), ReadVD(), ReadVG(), ReadVX(), ReadMT(1), ReadMT(100)};
    for (int selector = 0; selector <= 1; ++selector)
        for (auto read : {ReadBP, ReadCN, ReadML, ReadPR})
            reads.push_back(read(selector));
    for (int selector = 0; selector <= 3; ++selector)
        reads.push_back(ReadCO(selector));
    for (int n = 0; n <= 7; ++n)
        reads.push_back(ReadRM(n));
    for (int slot = 1; slot <= 5; ++slot)
        reads.push_back(ReadKM(slot));
    SimulatedRadio radio;
    radio.operate("SV;"); // VFO-A on 7074000 and VFO-B on 14074000
    for (const std::string& read : reads) {
        const Messages answer = radio.handle(read);
        ASSERT_EQ(answer.size(), 1u) << read;
        EXPECT_NE(answer.front(), "?;") << read;
        EXPECT_EQ(answer.front().compare(0, 2, read, 0, 2), 0) << read << " -> " << answer.front();
    }
}

} // namespace
