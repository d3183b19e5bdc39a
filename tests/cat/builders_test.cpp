#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "cat/ft891.h"

namespace {

using namespace Yaesu::Commands::FT891;

struct BuildCase {
    const char* name;
    std::string (*build)();
    const char* expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const BuildCase& c, std::ostream* os) {
    *os << c.name;
}

class Builders : public testing::TestWithParam<BuildCase> {};

TEST_P(Builders, ExactCommand) {
    EXPECT_EQ(GetParam().build(), GetParam().expected);
}

#define ROW(name, call, expected)                                                                            \
    BuildCase {                                                                                              \
        name, [] { return call; }, expected                                                                  \
    }

// Clamped builders: one row below, at and above each bound.
const BuildCase kClamped[] = {
    ROW("SetAG_below", SetAG(-5), "AG0000;"),
    ROW("SetAG_low", SetAG(0), "AG0000;"),
    ROW("SetAG_high", SetAG(255), "AG0255;"),
    ROW("SetAG_above", SetAG(300), "AG0255;"),
    ROW("SetAG_256", SetAG(256), "AG0255;"),
    ROW("SetFA_below", SetFA(29999), "FA000030000;"),
    ROW("SetFA_low", SetFA(30000), "FA000030000;"),
    ROW("SetFA_in_range", SetFA(14250000), "FA014250000;"),
    ROW("SetFA_high", SetFA(56000000), "FA056000000;"),
    ROW("SetFA_above", SetFA(60000000), "FA056000000;"),
    ROW("SetFA_int_min", SetFA(INT_MIN), "FA000030000;"),
    ROW("SetFB_below", SetFB(0), "FB000030000;"),
    ROW("SetFB_low", SetFB(30000), "FB000030000;"),
    ROW("SetFB_in_range", SetFB(7074000), "FB007074000;"),
    ROW("SetFB_high", SetFB(56000000), "FB056000000;"),
    ROW("SetFB_above", SetFB(INT_MAX), "FB056000000;"),
    ROW("SetMG_below", SetMG(-1), "MG000;"),
    ROW("SetMG_low", SetMG(0), "MG000;"),
    ROW("SetMG_high", SetMG(100), "MG100;"),
    ROW("SetMG_above", SetMG(101), "MG100;"),
    ROW("SetML_level_below", SetML({1, -1}), "ML1000;"),
    ROW("SetML_level_low", SetML({1, 0}), "ML1000;"),
    ROW("SetML_level_high", SetML({1, 100}), "ML1100;"),
    ROW("SetML_level_above", SetML({1, 101}), "ML1100;"),
    ROW("SetML_on", SetML({0, 1}), "ML0001;"),
    ROW("SetNL_below", SetNL(-1), "NL0000;"),
    ROW("SetNL_low", SetNL(0), "NL0000;"),
    ROW("SetNL_high", SetNL(10), "NL0010;"),
    ROW("SetNL_above", SetNL(11), "NL0010;"),
    ROW("SetRD_below", SetRD(-1), "RD0000;"),
    ROW("SetRD_low", SetRD(0), "RD0000;"),
    ROW("SetRD_step", SetRD(5), "RD0005;"),
    ROW("SetRD_high", SetRD(9999), "RD9999;"),
    ROW("SetRD_above", SetRD(10000), "RD9999;"),
    ROW("SetRG_below", SetRG(-1), "RG0000;"),
    ROW("SetRG_low", SetRG(0), "RG0000;"),
    ROW("SetRG_high", SetRG(30), "RG0030;"),
    ROW("SetRG_above", SetRG(31), "RG0030;"),
    ROW("SetRL_below", SetRL(0), "RL001;"),
    ROW("SetRL_low", SetRL(1), "RL001;"),
    ROW("SetRL_high", SetRL(15), "RL015;"),
    ROW("SetRL_above", SetRL(20), "RL015;"),
    ROW("SetSH_width_below", SetSH({1, -1}), "SH0100;"),
    ROW("SetSH_width_low", SetSH({1, 0}), "SH0100;"),
    ROW("SetSH_width_high", SetSH({1, 21}), "SH0121;"),
    ROW("SetSH_width_above", SetSH({1, 25}), "SH0121;"),
    ROW("SetSH_first_as_passed", SetSH({0, 5}), "SH0005;"),
    ROW("SetSQ_below", SetSQ(-1), "SQ0000;"),
    ROW("SetSQ_low", SetSQ(0), "SQ0000;"),
    ROW("SetSQ_high", SetSQ(100), "SQ0100;"),
    ROW("SetSQ_above", SetSQ(101), "SQ0100;"),
    ROW("SetVD_below", SetVD(29), "VD0030;"),
    ROW("SetVD_low", SetVD(30), "VD0030;"),
    ROW("SetVD_high", SetVD(3000), "VD3000;"),
    ROW("SetVD_above", SetVD(3001), "VD3000;"),
    ROW("SetVG_below", SetVG(-1), "VG000;"),
    ROW("SetVG_low", SetVG(0), "VG000;"),
    ROW("SetVG_high", SetVG(100), "VG100;"),
    ROW("SetVG_above", SetVG(101), "VG100;"),
    // IF shift: at most 1200, truncated toward zero to 20 Hz steps, no lower limit.
    ROW("SetIS_above", SetIS(1, 1210), "IS01+1200;"),
    ROW("SetIS_high", SetIS(1, 1200), "IS01+1200;"),
    ROW("SetIS_step_down", SetIS(1, 1199), "IS01+1180;"),
    ROW("SetIS_positive_truncates", SetIS(1, 39), "IS01+0020;"),
    ROW("SetIS_negative_truncates_toward_zero", SetIS(1, -35), "IS01-0020;"),
    ROW("SetIS_small_negative_is_zero", SetIS(0, -19), "IS00+0000;"),
    ROW("SetIS_no_lower_limit", SetIS(1, -5000), "IS01-5000;"),
    ROW("SetIS_int_min", SetIS(1, INT_MIN), "IS01-2147483640;"),
};

// Builders without a clamp format their value unchanged, whatever it is.
const BuildCase kUnclamped[] = {
    ROW("SetAC_off", SetAC(0), "AC000;"),
    ROW("SetAC_tune", SetAC(2), "AC002;"),
    ROW("SetAI", SetAI(1), "AI1;"),
    ROW("SetBC", SetBC(1), "BC01;"),
    ROW("SetBI", SetBI(0), "BI0;"),
    ROW("SetBP_notch_on", SetBP({0, 1}), "BP00001;"),
    ROW("SetBP_frequency", SetBP({1, 42}), "BP01042;"),
    ROW("SetBS", SetBS(5), "BS05;"),
    ROW("SetBS_two_digits", SetBS(10), "BS10;"),
    ROW("SetCF", SetCF(1), "CF010;"),
    ROW("SetCH_down", SetCH(1), "CH1;"),
    ROW("SetCN_tone", SetCN({0, 12}), "CN00012;"),
    ROW("SetCN_code", SetCN({1, 103}), "CN01103;"),
    ROW("SetCO_contour_on", SetCO({0, 1}), "CO000001;"),
    ROW("SetCO_apf_frequency", SetCO({3, 25}), "CO030025;"),
    ROW("SetCS", SetCS(1), "CS1;"),
    ROW("SetCT_dcs", SetCT(3), "CT03;"),
    ROW("SetFS", SetFS(1), "FS1;"),
    ROW("SetGT", SetGT(4), "GT04;"),
    ROW("SetKR", SetKR(1), "KR1;"),
    ROW("SetKS", SetKS(25), "KS025;"),
    ROW("SetKY_digit", SetKY(5), "KY5;"),
    ROW("SetKY_ten_is_hex", SetKY(10), "KYA;"),
    ROW("SetLK", SetLK(1), "LK1;"),
    ROW("SetLM_record", SetLM(3), "LM03;"),
    ROW("SetLM_stop", SetLM(0), "LM00;"),
    ROW("SetMD_hex", SetMD(12), "MD0C;"),
    ROW("SetMD_digit", SetMD(2), "MD02;"),
    ROW("SetMS", SetMS(3), "MS3;"),
    ROW("SetMX", SetMX(1), "MX1;"),
    ROW("SetNA", SetNA(1), "NA01;"),
    ROW("SetNB", SetNB(0), "NB00;"),
    ROW("SetNR", SetNR(1), "NR01;"),
    ROW("SetOS", SetOS(2), "OS02;"),
    ROW("SetPA", SetPA(1), "PA01;"),
    ROW("SetPB_play", SetPB(5), "PB05;"),
    ROW("SetPR_equaliser_on", SetPR({1, 1}), "PR11;"),
    ROW("SetPS_on", SetPS(1), "PS1;"),
    ROW("SetRA", SetRA(1), "RA01;"),
    ROW("SetRU_no_clamp", SetRU(12345), "RU12345;"),
    ROW("SetRU_step", SetRU(5), "RU0005;"),
    ROW("SetSC_scan", SetSC(2), "SC2;"),
    ROW("SetST_quick_split", SetST(2), "ST2;"),
    ROW("SetTS", SetTS(1), "TS1;"),
    ROW("SetVX", SetVX(1), "VX1;"),
    ROW("single_digit_field_widens", SetRA(12), "RA012;"),
    ROW("negative_formatted_unchanged", SetKS(-5), "KS-05;"),
};

const BuildCase kFixed[] = {
    ROW("SetAB", SetAB(), "AB;"),      ROW("SetAM", SetAM(), "AM;"),      ROW("SetBA", SetBA(), "BA;"),
    ROW("SetRC", SetRC(), "RC;"),      ROW("SetSV", SetSV(), "SV;"),      ROW("SetVM", SetVM(), "VM;"),
    ROW("SetZI", SetZI(), "ZI;"),      ROW("ReadAC", ReadAC(), "AC;"),    ROW("ReadAG", ReadAG(), "AG0;"),
    ROW("ReadAI", ReadAI(), "AI;"),    ROW("ReadBC", ReadBC(), "BC0;"),   ROW("ReadBI", ReadBI(), "BI;"),
    ROW("ReadBY", ReadBY(), "BY;"),    ROW("ReadCF", ReadCF(), "CF0;"),   ROW("ReadCS", ReadCS(), "CS;"),
    ROW("ReadCT", ReadCT(), "CT0;"),   ROW("ReadDA", ReadDA(), "DA;"),    ROW("ReadFA", ReadFA(), "FA;"),
    ROW("ReadFB", ReadFB(), "FB;"),    ROW("ReadFS", ReadFS(), "FS;"),    ROW("ReadGT", ReadGT(), "GT0;"),
    ROW("ReadID", ReadID(), "ID;"),    ROW("ReadIF", ReadIF(), "IF;"),    ROW("ReadIS", ReadIS(), "IS0;"),
    ROW("ReadKP", ReadKP(), "KP;"),    ROW("ReadKR", ReadKR(), "KR;"),    ROW("ReadKS", ReadKS(), "KS;"),
    ROW("ReadLK", ReadLK(), "LK;"),    ROW("ReadMD", ReadMD(), "MD0;"),   ROW("ReadMG", ReadMG(), "MG;"),
    ROW("ReadMS", ReadMS(), "MS;"),    ROW("ReadMX", ReadMX(), "MX;"),    ROW("ReadNA", ReadNA(), "NA0;"),
    ROW("ReadNB", ReadNB(), "NB0;"),   ROW("ReadNL", ReadNL(), "NL0;"),   ROW("ReadNR", ReadNR(), "NR0;"),
    ROW("ReadOI", ReadOI(), "OI;"),    ROW("ReadOS", ReadOS(), "OS0;"),   ROW("ReadPA", ReadPA(), "PA0;"),
    ROW("ReadPC", ReadPC(), "PC;"),    ROW("ReadPL", ReadPL(), "PL;"),    ROW("ReadPS", ReadPS(), "PS;"),
    ROW("ReadRA", ReadRA(), "RA0;"),   ROW("ReadRG", ReadRG(), "RG0;"),   ROW("ReadRL", ReadRL(), "RL0;"),
    ROW("ReadSC", ReadSC(), "SC;"),    ROW("ReadSD", ReadSD(), "SD;"),    ROW("ReadSH", ReadSH(), "SH0;"),
    ROW("ReadSQ", ReadSQ(), "SQ0;"),   ROW("ReadST", ReadST(), "ST;"),    ROW("ReadVD", ReadVD(), "VD;"),
    ROW("ReadVG", ReadVG(), "VG;"),    ROW("ReadVX", ReadVX(), "VX;"),    ROW("ReadBP", ReadBP(1), "BP01;"),
    ROW("ReadCN", ReadCN(1), "CN01;"), ROW("ReadCO", ReadCO(3), "CO03;"), ROW("ReadKM", ReadKM(4), "KM4;"),
    ROW("ReadML", ReadML(1), "ML1;"),  ROW("ReadPR", ReadPR(0), "PR0;"),  ROW("ReadSM", ReadSM(), "SM0;"),
    ROW("ReadRM", ReadRM(5), "RM5;"),
};

const std::string k60 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz01234567";

const BuildCase kRecords[] = {
    ROW("SetKM_short", SetKM({1, "CQ TEST"}), "KM1CQ TEST;"),
    ROW("SetKM_cut_to_50", SetKM({2, k60}), "KM2ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx;"),
    ROW("SetKM_empty", SetKM({5, ""}), "KM5;"),
    ROW("ReadMT_ordinary", ReadMT(5), "MT005;"),
    ROW("ReadMT_two_digits", ReadMT(99), "MT099;"),
    ROW("ReadMT_P1L", ReadMT(100), "MTP1L;"),
    ROW("ReadMT_P1U", ReadMT(101), "MTP1U;"),
    ROW("ReadMT_P5L", ReadMT(108), "MTP5L;"),
    ROW("ReadMT_P9U", ReadMT(117), "MTP9U;"),
    ROW("ReadMT_after_scan_pairs", ReadMT(118), "MT118;"),
    ROW("ReadMT_501", ReadMT(501), "MT501;"),
    ROW("ReadMT_506", ReadMT(506), "MT506;"),
    ROW("ReadMT_emergency", ReadMT(600), "MTEMG;"),
    ROW("SetMT_ordinary", SetMT({7, 7074000, -150, 1, 0xC, 0, 0, 1, "FT8"}),
        "MT007007074000-015010C000001FT8         ;"),
    ROW("SetMT_tag_cut_to_12", SetMT({12, 14074000, 20, 0, 2, 1, 2, 1, "ABCDEFGHIJKLMNOP"}),
        "MT012014074000+0020002010021ABCDEFGHIJKL;"),
    ROW("SetMT_tag_written_when_disabled", SetMT({1, 3573000, 0, 0, 1, 0, 0, 0, "OFF"}),
        "MT001003573000+0000001000000OFF         ;"),
    ROW("SetMT_scan_pair", SetMT({105, 7000000, 0, 0, 3, 0, 0, 0, ""}),
        "MTP3U007000000+0000003000000            ;"),
    // 501-504, 506 and the emergency channel carry their own channel field, as ReadMT does.
    ROW("SetMT_501", SetMT({501, 5332000, 0, 0, 1, 0, 0, 0, ""}),
        "MT501005332000+0000001000000            ;"),
    ROW("SetMT_504", SetMT({504, 5366500, 0, 0, 1, 0, 0, 0, ""}),
        "MT504005366500+0000001000000            ;"),
    ROW("SetMT_506", SetMT({506, 5405000, 0, 0, 1, 0, 0, 0, ""}),
        "MT506005405000+0000001000000            ;"),
    ROW("SetMT_emergency", SetMT({600, 5167500, 0, 0, 1, 0, 0, 1, "EMERGENCY"}),
        "MTEMG005167500+0000001000001EMERGENCY   ;"),
};

#undef ROW

auto CaseName = [](const testing::TestParamInfo<BuildCase>& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Clamped, Builders, testing::ValuesIn(kClamped), CaseName);
INSTANTIATE_TEST_SUITE_P(Unclamped, Builders, testing::ValuesIn(kUnclamped), CaseName);
INSTANTIATE_TEST_SUITE_P(Fixed, Builders, testing::ValuesIn(kFixed), CaseName);
INSTANTIATE_TEST_SUITE_P(Records, Builders, testing::ValuesIn(kRecords), CaseName);

// A channel command has the layout of the MT answer whatever the channel: 41 characters,
// "MT" in front, the frequency at offset 5 and ";" last.
TEST(SetMT, EveryChannelKeepsTheAnswerLayout) {
    for (int channel : {1, 50, 99, 100, 117, 501, 502, 503, 504, 506, 600}) {
        const std::string command = SetMT({channel, 14250000, 0, 0, 2, 0, 0, 1, "X"});
        EXPECT_EQ(command.size(), 41u) << command;
        EXPECT_EQ(command.substr(0, 2), "MT") << command;
        EXPECT_EQ(command.substr(5, 9), "014250000") << command;
        EXPECT_EQ(ParseMT(command).channel, channel) << command;
    }
}

} // namespace
