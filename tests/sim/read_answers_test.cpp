// Every read the program sends at start-up gets one well-formed answer in the radio's
// layout, which the command set's parser of that kind accepts and which carries the state.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "cat/ft891.h"
#include "sim/menu_settings.h"
#include "sim/simulated_radio.h"

namespace {

using namespace Yaesu::Commands::FT891;
using Sim::SimulatedRadio;

using Parsed = std::function<int(const std::string&)>;
using Expected = std::function<int(const SimulatedRadio&)>;

Expected setting(const char* read) {
    return [read](const SimulatedRadio& radio) { return radio.value(read); };
}
Parsed second(IntPair (*parse)(const std::string&)) {
    return [parse](const std::string& answer) { return parse(answer).second; };
}
Expected keyerSlot(int slot) {
    return [slot](const SimulatedRadio&) { return slot; };
}

struct ChainRead {
    const char* read;
    CommandType kind;
    Parsed parsed;     // the value the program takes from the answer
    Expected expected; // the radio's state that value must be
};

// The reads of the start-up chain in the order the program sends them (the menu reads are
// checked below), and the few reads it sends besides (power, busy, notch position).
const std::vector<ChainRead>& chainReads() {
    static const std::vector<ChainRead> reads = {
        {"PS;", CommandType::PS, ParsePS, [](const SimulatedRadio&) { return 1; }},
        {"IF;", CommandType::IF, [](const std::string& a) { return ParseIF(a).frequency; }, setting("FA;")},
        {"OI;", CommandType::OI, [](const std::string& a) { return ParseOI(a).frequency; }, setting("FB;")},
        {"AC;", CommandType::AC, ParseAC, setting("AC;")},
        {"AG0;", CommandType::AG, ParseAG, setting("AG0;")},
        {"AI;", CommandType::AI, ParseAI, setting("AI;")},
        {"BC0;", CommandType::BC, ParseBC, setting("BC0;")},
        {"BI;", CommandType::BI, ParseBI, setting("BI;")},
        {"BP00;", CommandType::BP, second(ParseBP), setting("BP00;")},
        {"BP01;", CommandType::BP, second(ParseBP), setting("BP01;")},
        {"BY;", CommandType::BY, ParseBY, setting("BY;")},
        {"CF0;", CommandType::CF, ParseCF, setting("CF0;")},
        {"CN00;", CommandType::CN, second(ParseCN), setting("CN00;")},
        {"CN01;", CommandType::CN, second(ParseCN), setting("CN01;")},
        {"CO00;", CommandType::CO, second(ParseCO), setting("CO00;")},
        {"CO01;", CommandType::CO, second(ParseCO), setting("CO01;")},
        {"CO02;", CommandType::CO, second(ParseCO), setting("CO02;")},
        {"CO03;", CommandType::CO, second(ParseCO), setting("CO03;")},
        {"CS;", CommandType::CS, ParseCS, setting("CS;")},
        {"CT0;", CommandType::CT, ParseCT, setting("CT0;")},
        {"DA;", CommandType::DA, [](const std::string& a) { return ParseDA(a).second; },
         [](const SimulatedRadio& r) { return r.menuValue(202); }},
        {"FA;", CommandType::FA, ParseFA, setting("FA;")},
        {"FB;", CommandType::FB, ParseFB, setting("FB;")},
        {"FS;", CommandType::FS, ParseFS, setting("FS;")},
        {"GT0;", CommandType::GT, ParseGT, setting("GT0;")},
        {"ID;", CommandType::ID, ParseID, setting("ID;")},
        {"IS0;", CommandType::IS, second(ParseIS), setting("IS0;")},
        {"KM1;", CommandType::KM, [](const std::string& a) { return ParseKM(a).slot; }, keyerSlot(1)},
        {"KM2;", CommandType::KM, [](const std::string& a) { return ParseKM(a).slot; }, keyerSlot(2)},
        {"KM3;", CommandType::KM, [](const std::string& a) { return ParseKM(a).slot; }, keyerSlot(3)},
        {"KM4;", CommandType::KM, [](const std::string& a) { return ParseKM(a).slot; }, keyerSlot(4)},
        {"KM5;", CommandType::KM, [](const std::string& a) { return ParseKM(a).slot; }, keyerSlot(5)},
        {"KP;", CommandType::KP, ParseKP, setting("KP;")},
        {"KR;", CommandType::KR, ParseKR, setting("KR;")},
        {"KS;", CommandType::KS, ParseKS, setting("KS;")},
        {"LK;", CommandType::LK, ParseLK, setting("LK;")},
        {"MD0;", CommandType::MD, ParseMD, setting("MD0;")},
        {"MG;", CommandType::MG, ParseMG, setting("MG;")},
        {"ML0;", CommandType::ML, second(ParseML), setting("ML0;")},
        {"ML1;", CommandType::ML, second(ParseML), setting("ML1;")},
        {"MS;", CommandType::MS, ParseMS, setting("MS;")},
        {"MX;", CommandType::MX, ParseMX, setting("MX;")},
        {"NA0;", CommandType::NA, ParseNA, setting("NA0;")},
        {"NB0;", CommandType::NB, ParseNB, setting("NB0;")},
        {"NL0;", CommandType::NL, ParseNL, setting("NL0;")},
        {"NR0;", CommandType::NR, ParseNR, setting("NR0;")},
        {"OS0;", CommandType::OS, ParseOS, setting("OS0;")},
        {"PA0;", CommandType::PA, ParsePA, setting("PA0;")},
        {"PC;", CommandType::PC, ParsePC, setting("PC;")},
        {"PL;", CommandType::PL, ParsePL, setting("PL;")},
        {"PR1;", CommandType::PR, second(ParsePR), setting("PR1;")},
        {"PR0;", CommandType::PR, second(ParsePR), setting("PR0;")},
        {"RA0;", CommandType::RA, ParseRA, setting("RA0;")},
        {"RG0;", CommandType::RG, ParseRG, setting("RG0;")},
        {"RL0;", CommandType::RL, ParseRL, setting("RL0;")},
        {"SC;", CommandType::SC, ParseSC, setting("SC;")},
        {"SD;", CommandType::SD, ParseSD, setting("SD;")},
        {"SH0;", CommandType::SH, second(ParseSH), setting("SH0;")},
        {"SQ0;", CommandType::SQ, ParseSQ, setting("SQ0;")},
        {"ST;", CommandType::ST, ParseST, setting("ST;")},
        {"VD;", CommandType::VD, ParseVD, setting("VD;")},
        {"VG;", CommandType::VG, ParseVG, setting("VG;")},
        {"VX;", CommandType::VX, ParseVX, setting("VX;")},
    };
    return reads;
}

// The radio in three states: as it leaves the factory, and with every setting and menu
// item at the lowest and at the highest value it takes (widths and signs at their limits).
enum class Extreme { Factory, Lowest, Highest };

SimulatedRadio radioAt(Extreme extreme) {
    SimulatedRadio radio;
    if (extreme == Extreme::Factory)
        return radio;
    const bool high = extreme == Extreme::Highest;
    for (const Sim::ValueCommand* row = Sim::valueCommandsBegin(); row != Sim::valueCommandsEnd(); ++row) {
        if (row->read == std::string("AI;") || row->read == std::string("MD0;"))
            continue; // the answers are read with auto-information off, in USB
        radio.setValues(row->read,
                        {high ? row->first.high : row->first.low, high ? row->second.high : row->second.low});
    }
    for (const Sim::MenuSetting& item : Sim::menuSettings())
        radio.setMenuValue(item.number, high ? item.high : item.low);
    return radio;
}

class ReadAnswers : public testing::TestWithParam<Extreme> {};

void expectOneAnswer(const Sim::Messages& answers, const std::string& read) {
    ASSERT_EQ(answers.size(), 1u);
    const std::string& answer = answers.front();
    EXPECT_EQ(answer.compare(0, 2, read, 0, 2), 0) << answer;
    EXPECT_EQ(std::count(answer.begin(), answer.end(), ';'), 1) << answer;
    EXPECT_EQ(answer.back(), ';') << answer;
}

TEST_P(ReadAnswers, EveryStartUpReadGetsAnAnswerItsParserAccepts) {
    SimulatedRadio radio = radioAt(GetParam());
    for (const ChainRead& row : chainReads()) {
        SCOPED_TRACE(row.read);
        const auto answers = radio.handle(row.read);
        expectOneAnswer(answers, row.read);
        if (answers.size() != 1)
            continue;
        EXPECT_EQ(ClassifyAnswer(answers.front()), row.kind);
        int parsed = 0;
        EXPECT_NO_THROW(parsed = row.parsed(answers.front())) << answers.front();
        EXPECT_EQ(parsed, row.expected(radio)) << answers.front();
    }
}

TEST_P(ReadAnswers, EveryMenuItemAnswersInItsLayoutWithItsValue) {
    SimulatedRadio radio = radioAt(GetParam());
    for (const MenuItem& item : MenuCatalogue()) {
        const std::string read = ReadMenu(item.number);
        SCOPED_TRACE(read);
        const auto answers = radio.handle(read);
        expectOneAnswer(answers, read);
        if (answers.size() != 1)
            continue;
        const std::string& answer = answers.front();
        const int value = radio.menuValue(item.number);
        EXPECT_EQ(ClassifyAnswer(answer), CommandType::EX);
        EXPECT_EQ(ParseMenuNumber(answer), item.number);
        if (IsVersionItem(item.number)) {
            EXPECT_EQ(ParseMenuVersion(answer, item.number),
                      fmt::format("V{:02}-{:02}", value / 100, value % 100));
        } else {
            EXPECT_EQ(ParseMenu(answer, item.number), value) << answer;
        }
        // An answer has the layout of the item's set command; an item the program only reads
        // answers with a value field as wide as the program reads it.
        if (item.readOnly) {
            EXPECT_EQ(answer.size() - 7, static_cast<std::size_t>(item.answerWidth)) << answer;
        } else {
            EXPECT_EQ(answer, SetMenu(item.number, value));
        }
    }
}

std::string extremeName(const testing::TestParamInfo<Extreme>& info) {
    constexpr const char* kNames[] = {"Factory", "Lowest", "Highest"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(States, ReadAnswers,
                         testing::Values(Extreme::Factory, Extreme::Lowest, Extreme::Highest), extremeName);

TEST(MenuSettings, CoverTheCatalogueInOrderWithValuesTheProgramCanSet) {
    const auto& catalogue = MenuCatalogue();
    const auto& settings = Sim::menuSettings();
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const Sim::MenuSetting& setting = settings[i];
        SCOPED_TRACE(setting.number);
        EXPECT_EQ(setting.number, catalogue[i].number);
        EXPECT_LE(setting.low, setting.initial);
        EXPECT_LE(setting.initial, setting.high);
        // The radio's limits and factory value survive the program's reshaping, so every
        // value the radio takes can be sent to it.
        if (!catalogue[i].readOnly) {
            for (const int value : {setting.low, setting.initial, setting.high})
                EXPECT_EQ(ReshapeMenuValue(setting.number, value), value) << value;
        }
    }
}

TEST(ValueCommands, FactoryValuesAreInRangeAndReadsAreUnique) {
    std::vector<std::string> reads;
    for (const Sim::ValueCommand* row = Sim::valueCommandsBegin(); row != Sim::valueCommandsEnd(); ++row) {
        SCOPED_TRACE(row->read);
        EXPECT_TRUE(row->first.contains(row->initial.first));
        EXPECT_TRUE(row->second.contains(row->initial.second));
        // The answer of the factory value is also a set command the radio accepts.
        if (row->access == Sim::Access::ReadSet) {
            EXPECT_EQ(row->parse(row->answer(row->initial)), row->initial);
        }
        reads.push_back(row->read);
    }
    std::sort(reads.begin(), reads.end());
    EXPECT_EQ(std::adjacent_find(reads.begin(), reads.end()), reads.end());
}

} // namespace
