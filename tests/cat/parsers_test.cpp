#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "outcome.h"

namespace {

using namespace CatTest;

using Parser = std::function<std::string(const std::string&)>;

// Every parser by name, its result turned into outcome text.
const std::map<std::string, Parser>& Parsers() {
#define P(name)                                                                                              \
    {                                                                                                        \
#name, [](const std::string& a) { return Outcome([&] { return name(a); }); }                         \
    }
    static const std::map<std::string, Parser> parsers{
        P(ParseAC), P(ParseAG), P(ParseAI), P(ParseBC), P(ParseBI), P(ParseBY), P(ParseCF), P(ParseCS),
        P(ParseCT), P(ParseFA), P(ParseFB), P(ParseFS), P(ParseGT), P(ParseID), P(ParseKP), P(ParseKR),
        P(ParseKS), P(ParseLK), P(ParseMD), P(ParseMG), P(ParseMS), P(ParseMX), P(ParseNA), P(ParseNB),
        P(ParseNL), P(ParseNR), P(ParseOS), P(ParsePA), P(ParsePC), P(ParsePL), P(ParsePS), P(ParseRA),
        P(ParseRG), P(ParseRL), P(ParseRS), P(ParseSC), P(ParseSD), P(ParseSM), P(ParseSQ), P(ParseST),
        P(ParseTX), P(ParseUL), P(ParseVD), P(ParseVG), P(ParseVX), P(ParseBP), P(ParseCN), P(ParseCO),
        P(ParseIS), P(ParseML), P(ParsePR), P(ParseRI), P(ParseRM), P(ParseSH), P(ParseIF), P(ParseOI),
        P(ParseMT), P(ParseDA), P(ParseKM)};
#undef P
    return parsers;
}

std::string RunParser(const std::string& parser, const std::string& answer) {
    const auto it = Parsers().find(parser);
    return it == Parsers().end() ? "no parser " + parser : it->second(answer);
}

// ---- Where each field sits, as the radio lays its answers out ----------------------------

struct Layout {
    const char* parser;
    std::size_t offset;
    std::size_t width;
    int base;
};

const Layout kSingleLayouts[] = {
    {"ParseAC", 4, 1, 10}, {"ParseAG", 3, 3, 10}, {"ParseAI", 2, 1, 10}, {"ParseBC", 3, 1, 10},
    {"ParseBI", 2, 1, 10}, {"ParseBY", 2, 1, 10}, {"ParseCF", 3, 1, 10}, {"ParseCS", 2, 1, 10},
    {"ParseCT", 3, 1, 10}, {"ParseFA", 2, 9, 10}, {"ParseFB", 2, 9, 10}, {"ParseFS", 2, 1, 10},
    {"ParseGT", 3, 1, 10}, {"ParseID", 2, 4, 10}, {"ParseKP", 2, 2, 10}, {"ParseKR", 2, 1, 10},
    {"ParseKS", 2, 3, 10}, {"ParseLK", 2, 1, 10}, {"ParseMD", 3, 1, 16}, {"ParseMG", 2, 3, 10},
    {"ParseMS", 2, 1, 10}, {"ParseMX", 2, 1, 10}, {"ParseNA", 3, 1, 10}, {"ParseNB", 3, 1, 10},
    {"ParseNL", 3, 3, 10}, {"ParseNR", 3, 1, 10}, {"ParseOS", 3, 1, 10}, {"ParsePA", 3, 1, 10},
    {"ParsePC", 2, 3, 10}, {"ParsePL", 2, 3, 10}, {"ParsePS", 2, 1, 10}, {"ParseRA", 3, 1, 10},
    {"ParseRG", 3, 3, 10}, {"ParseRL", 3, 2, 10}, {"ParseRS", 2, 1, 10}, {"ParseSC", 2, 1, 10},
    {"ParseSD", 2, 4, 10}, {"ParseSM", 3, 3, 10}, {"ParseSQ", 3, 3, 10}, {"ParseST", 2, 1, 10},
    {"ParseTX", 2, 1, 10}, {"ParseUL", 2, 1, 10}, {"ParseVD", 2, 4, 10}, {"ParseVG", 2, 3, 10},
    {"ParseVX", 2, 1, 10},
};

// The digits "123456789" (hex fields: "ABCDEF") placed at `offset` after filler.
std::string AnswerWithField(std::size_t offset, int base, const std::string& tail = ";") {
    return std::string(offset, '7').replace(0, 2, "ZZ") + (base == 16 ? "BCDEF" : "123456789") + tail;
}

std::string Leading(std::size_t width, int base) {
    return Show(std::stoi((base == 16 ? std::string("BCDEF") : std::string("123456789")).substr(0, width),
                          nullptr, base));
}

TEST(SingleValueParsers, ReadTheirOwnFieldOnly) {
    for (const Layout& l : kSingleLayouts) {
        SCOPED_TRACE(l.parser);
        // The field's own characters, at most its width of them.
        EXPECT_EQ(RunParser(l.parser, AnswerWithField(l.offset, l.base)), Leading(l.width, l.base));
        // Digits in front of the field do not count.
        EXPECT_EQ(RunParser(l.parser, std::string(l.offset, '5') + ";"), kNoDigits);
        // An answer that ends at the field's offset has an empty field; one shorter has none.
        EXPECT_EQ(RunParser(l.parser, std::string(l.offset, '5')), kNoDigits);
        EXPECT_EQ(RunParser(l.parser, std::string(l.offset - 1, '5')), kPosition);
        // A sign is part of the field.
        EXPECT_EQ(RunParser(l.parser, std::string(l.offset, 'Z') + "-1;"), l.width >= 2 ? "-1" : kNoDigits);
    }
    EXPECT_EQ(std::size(kSingleLayouts), 45u);
}

struct PairLayout {
    const char* parser;
    Layout first;
    Layout second;
    bool secondReadFirst;
};

const PairLayout kPairLayouts[] = {
    {"ParseBP", {"", 3, 1, 10}, {"", 4, 3, 10}, false}, {"ParseCN", {"", 3, 1, 10}, {"", 4, 3, 10}, false},
    {"ParseCO", {"", 3, 1, 10}, {"", 4, 4, 10}, false}, {"ParseIS", {"", 3, 1, 10}, {"", 4, 5, 10}, true},
    {"ParseML", {"", 2, 1, 10}, {"", 3, 3, 10}, false}, {"ParsePR", {"", 2, 1, 10}, {"", 3, 1, 10}, false},
    {"ParseRI", {"", 2, 1, 16}, {"", 3, 1, 10}, false}, {"ParseRM", {"", 2, 1, 10}, {"", 3, 3, 10}, false},
    {"ParseSH", {"", 3, 1, 10}, {"", 4, 2, 10}, false},
};

TEST(TwoValueParsers, ReadBothFieldsInTheirOrder) {
    for (const PairLayout& l : kPairLayouts) {
        SCOPED_TRACE(l.parser);
        // Each field holds the digit 8 and then the 1s of its width; the first field is 1 wide.
        std::string answer = std::string(l.first.offset, 'Z');
        answer += l.first.base == 16 ? "C" : "8";
        answer += std::string(l.second.width, '1') + "9;";
        const int first = l.first.base == 16 ? 12 : 8;
        EXPECT_EQ(RunParser(l.parser, answer),
                  Show(IntPair{first, std::stoi(std::string(l.second.width, '1'))}));
        // An answer that ends at the first field tells which field is read first.
        const std::string cut = std::string(l.first.offset, 'Z');
        EXPECT_EQ(RunParser(l.parser, cut), l.secondReadFirst ? kPosition : kNoDigits);
    }
}

// ---- Named answers -----------------------------------------------------------------------

struct ParseCase {
    const char* name;
    const char* parser;
    std::string answer;
    std::string expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class Answers : public testing::TestWithParam<ParseCase> {};

TEST_P(Answers, Outcome) {
    EXPECT_EQ(RunParser(GetParam().parser, GetParam().answer), GetParam().expected);
}

const std::string kMT41 = "MT007007074000-015010C000001FT8         ;";

const ParseCase kAnswers[] = {
    {"FA_frequency", "ParseFA", "FA014250000;", "14250000"},
    {"FA_truncated", "ParseFA", "FA14;", "14"},
    {"FB_frequency", "ParseFB", "FB007074000;", "7074000"},
    {"AG_level", "ParseAG", "AG0128;", "128"},
    {"AG_error_answer", "ParseAG", "?;", kPosition},
    {"AG_letters", "ParseAG", "AG0abc;", kNoDigits},
    {"AC_too_short", "ParseAC", "AC;", kPosition},
    {"AC_empty_field", "ParseAC", "AC0;", kNoDigits},
    {"AC_tuner_on", "ParseAC", "AC001;", "1"},
    {"MD_hex_mode", "ParseMD", "MD0C;", "12"},
    {"MD_digit_mode", "ParseMD", "MD02;", "2"},
    {"ID_model", "ParseID", "ID0650;", "650"},
    {"SM_level", "ParseSM", "SM0120;", "120"},
    {"RL_two_digits", "ParseRL", "RL015;", "15"},
    {"SD_four_digits", "ParseSD", "SD0250;", "250"},
    {"RI_hex_item", "ParseRI", "RIA1;", "{10, 1}"},
    {"IS_negative_shift", "ParseIS", "IS01-0240;", "{1, -240}"},
    {"IS_positive_shift", "ParseIS", "IS00+1200;", "{0, 1200}"},
    {"IS_shift_checked_before_switch", "ParseIS", "IS0", kPosition},
    {"BP_frequency", "ParseBP", "BP01042;", "{1, 42}"},
    {"CN_dcs", "ParseCN", "CN01103;", "{1, 103}"},
    {"CO_apf", "ParseCO", "CO030025;", "{3, 25}"},
    {"ML_level", "ParseML", "ML1050;", "{1, 50}"},
    {"PR_equaliser", "ParsePR", "PR11;", "{1, 1}"},
    {"RM_meter", "ParseRM", "RM1128;", "{1, 128}"},
    {"RM_on_S_meter_answer", "ParseRM", "SM0120;", "{0, 120}"},
    {"SH_width", "ParseSH", "SH0121;", "{1, 21}"},
    {"SH_missing_width", "ParseSH", "SH01;", kNoDigits},
    {"DA_dimmer", "ParseDA", "DA00050815;", "{0, 5, 8, 15}"},
    {"DA_last_field_empty", "ParseDA", "DA000508", kNoDigits},
    {"DA_last_field_missing", "ParseDA", "DA00050", kPosition},
    {"KM_text", "ParseKM", "KM1CQ TEST DE K1ABC;", "{1, \"CQ TEST DE K1ABC\"}"},
    {"KM_empty_text", "ParseKM", "KM3;", "{3, \"\"}"},
    {"KM_no_slot", "ParseKM", "KM;", kNoDigits},
    {"IF_vfo", "ParseIF", "IF001014250000+015010200000;",
     "{ch 1, f 14250000, clar 150 1, mode 2, vm 0, ct 0, op 0}"},
    {"IF_scan_pair", "ParseIF", "IFP3U007074000-002000C130020;",
     "{ch 105, f 7074000, clar -20 0, mode 12, vm 1, ct 3, op 2}"},
    {"IF_emergency", "ParseIF", "IFEMG005167500+000000110000;",
     "{ch 600, f 5167500, clar 0 0, mode 1, vm 1, ct 0, op 0}"},
    {"IF_ordinary_channel", "ParseIF", "IF012003573000+000000210000;",
     "{ch 12, f 3573000, clar 0 0, mode 2, vm 1, ct 0, op 0}"},
    {"IF_cut_before_operation", "ParseIF", "IF001014250000+0150102000", kPosition},
    {"IF_frequency_stops_at_letter", "ParseIF", "IF001014x50000+015010200000;",
     "{ch 1, f 14, clar 150 1, mode 2, vm 0, ct 0, op 0}"},
    {"OI_same_as_IF", "ParseOI", "OI001007074000-015010C00000;",
     "{ch 1, f 7074000, clar -150 1, mode 12, vm 0, ct 0, op 0}"},
    {"MT_full_tag_keeps_blanks", "ParseMT", kMT41,
     "{ch 7, f 7074000, clar -150 1, mode 12, ct 0, op 0, tag 1 \"FT8         \"}"},
    {"MT_28_characters_no_tag", "ParseMT", kMT41.substr(0, 28),
     "{ch 7, f 7074000, clar -150 1, mode 12, ct 0, op 0, tag 1 \"\"}"},
    {"MT_29_characters_empty_tag", "ParseMT", kMT41.substr(0, 28) + ";",
     "{ch 7, f 7074000, clar -150 1, mode 12, ct 0, op 0, tag 1 \"\"}"},
    {"MT_cut_before_tag_switch", "ParseMT", kMT41.substr(0, 27), kNoDigits},
    {"MT_emergency", "ParseMT", "MTEMG005167500+0000001000001EMERGENCY   ;",
     "{ch 600, f 5167500, clar 0 0, mode 1, ct 0, op 0, tag 1 \"EMERGENCY   \"}"},
    {"MT_P9_upper", "ParseMT", "MTP9U007000000+0000003000000            ;",
     "{ch 117, f 7000000, clar 0 0, mode 3, ct 0, op 0, tag 0 \"            \"}"},
};

INSTANTIATE_TEST_SUITE_P(Named, Answers, testing::ValuesIn(kAnswers),
                         [](const testing::TestParamInfo<ParseCase>& info) {
                             return std::string(info.param.name);
                         });

// What a set command writes, the matching parser reads back (the answer has the set layout).
TEST(Parsers, ReadBackWhatTheBuildersWrite) {
    EXPECT_EQ(ParseFA(SetFA(14074000)), 14074000);
    EXPECT_EQ(ParseAG(SetAG(77)), 77);
    EXPECT_EQ(ParseMD(SetMD(0xB)), 0xB);
    EXPECT_EQ(ParseIS(SetIS(1, -640)), (IntPair{1, -640}));
    EXPECT_EQ(ParseSH(SetSH({1, 17})), (IntPair{1, 17}));
    EXPECT_EQ(ParseCO(SetCO({1, 1500})), (IntPair{1, 1500}));
    EXPECT_EQ(ParseKM(SetKM({4, "5NN TU"})), (KeyerMemoryRecord{4, "5NN TU"}));
    const ChannelRecord channel{117, 50313000, -9990, 1, 0xA, 3, 2, 1, "SIX METRES"};
    ChannelRecord expected = channel;
    expected.tagName = "SIX METRES  ";
    EXPECT_EQ(ParseMT(SetMT(channel)), expected);
}

} // namespace
