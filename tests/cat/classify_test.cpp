#include <map>
#include <string>

#include <gtest/gtest.h>

#include "cat/ft891.h"

namespace {

using namespace Yaesu::Commands::FT891;

// Every answer prefix the radio uses and the kind it names, as the radio's documentation
// lists them. LM (26) and SV (60) are missing on purpose: they are commands only.
const char* const kPrefixes =
    "AC 0, AG 1, AI 2, BC 3, BI 4, BP 5, BY 6, CF 7, CN 8, CO 9, CS 10, CT 11, DA 12, EX 13, FA 14, "
    "FB 15, FS 16, GT 17, ID 18, IF 19, IS 20, KM 21, KP 22, KR 23, KS 24, LK 25, MC 27, MD 28, MG 29, "
    "ML 30, MR 31, MS 32, MT 33, MW 34, MX 35, NA 36, NB 37, NL 38, NR 39, OI 40, OS 41, PA 42, PB 43, "
    "PC 44, PL 45, PR 46, PS 47, RA 48, RG 49, RI 50, RL 51, RM 52, RS 53, SC 54, SD 55, SH 56, SM 57, "
    "SQ 58, ST 59, TS 61, TX 62, UL 63, VD 64, VG 65, VX 66";

std::map<std::string, int> PrefixTable() {
    std::map<std::string, int> table;
    const std::string text = kPrefixes;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string entry = text.substr(at, comma - at);
        table[entry.substr(0, 2)] = std::stoi(entry.substr(3));
        at = comma + 2;
    }
    return table;
}

TEST(ClassifyAnswer, EnumerationKeepsTheRadioOrder) {
    EXPECT_EQ(static_cast<int>(CommandType::AC), 0);
    EXPECT_EQ(static_cast<int>(CommandType::LK), 25);
    EXPECT_EQ(static_cast<int>(CommandType::LM), 26);
    EXPECT_EQ(static_cast<int>(CommandType::MC), 27);
    EXPECT_EQ(static_cast<int>(CommandType::ST), 59);
    EXPECT_EQ(static_cast<int>(CommandType::SV), 60);
    EXPECT_EQ(static_cast<int>(CommandType::TS), 61);
    EXPECT_EQ(static_cast<int>(CommandType::VX), 66);
    EXPECT_EQ(static_cast<int>(CommandType::Unknown), 67);
}

// Every pair of bytes: the listed prefixes give their kind, everything else Unknown.
TEST(ClassifyAnswer, EveryTwoBytePrefix) {
    const auto table = PrefixTable();
    ASSERT_EQ(table.size(), 65u);
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string answer{static_cast<char>(a), static_cast<char>(b), '0', ';'};
            const auto it = table.find(answer.substr(0, 2));
            const int expected = it == table.end() ? 67 : it->second;
            ASSERT_EQ(static_cast<int>(ClassifyAnswer(answer)), expected) << "prefix bytes " << a << " " << b;
        }
    }
}

struct ClassifyCase {
    const char* name;
    std::string answer;
    CommandType expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const ClassifyCase& c, std::ostream* os) {
    *os << c.name;
}

class ClassifyCases : public testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyCases, Kind) {
    EXPECT_EQ(ClassifyAnswer(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ClassifyCases,
    testing::Values(ClassifyCase{"frequency", "FA014074000;", CommandType::FA},
                    ClassifyCase{"parameters_not_looked_at", "FAxyz;", CommandType::FA},
                    ClassifyCase{"menu", "EX1605050;", CommandType::EX},
                    ClassifyCase{"voice_record_is_not_an_answer", "LM01;", CommandType::Unknown},
                    ClassifyCase{"swap_is_not_an_answer", "SV;", CommandType::Unknown},
                    ClassifyCase{"error_answer", "?;", CommandType::Unknown},
                    ClassifyCase{"lower_case", "fa014074000;", CommandType::Unknown},
                    ClassifyCase{"mixed_case", "Fa014074000;", CommandType::Unknown},
                    ClassifyCase{"line_feed_in_front", "\nFA014074000;", CommandType::Unknown},
                    ClassifyCase{"lone_terminator", ";", CommandType::Unknown},
                    ClassifyCase{"one_letter", "F", CommandType::Unknown},
                    ClassifyCase{"empty", "", CommandType::Unknown},
                    ClassifyCase{"two_letters_only", "VX", CommandType::VX},
                    ClassifyCase{"nul_second", std::string("F\0A;", 4), CommandType::Unknown}),
    [](const testing::TestParamInfo<ClassifyCase>& info) { return std::string(info.param.name); });

} // namespace
