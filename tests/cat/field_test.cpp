#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cat/ft891.h"
#include "outcome.h"

namespace {

using namespace CatTest;

// What std::stoi makes of the same field, in the same outcome words: the reference the
// field reader must match on every input.
std::string StoiOutcome(const std::string& answer, std::size_t offset, std::size_t width, int base) {
    if (answer.size() < offset) {
        return kPosition;
    }
    try {
        return Show(std::stoi(answer.substr(offset, width), nullptr, base));
    } catch (const std::invalid_argument&) {
        return kNoDigits;
    } catch (const std::out_of_range&) {
        return kRange;
    }
}

struct FieldCase {
    const char* name;
    std::string answer;
    std::size_t offset;
    std::size_t width;
    int base;
    std::string expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name;
}

class FieldCases : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldCases, ReadsLikeStoi) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(Outcome([&] { return ReadField(c.answer, c.offset, c.width, c.base); }), c.expected);
    EXPECT_EQ(StoiOutcome(c.answer, c.offset, c.width, c.base), c.expected)
        << "the case itself disagrees with stoi";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldCases,
    testing::Values(FieldCase{"full_width", "FA014250000;", 2, 9, 10, "14250000"},
                    FieldCase{"truncated_answer_stops_at_terminator", "FA14;", 2, 9, 10, "14"},
                    FieldCase{"plus_sign", "IS01+0150;", 4, 5, 10, "150"},
                    FieldCase{"minus_sign", "IS01-0020;", 4, 5, 10, "-20"},
                    FieldCase{"leading_blanks_skipped", "AG0  7;", 3, 3, 10, "7"},
                    FieldCase{"tab_and_vertical_tab_skipped", "AG0\t\v7;", 3, 3, 10, "7"},
                    FieldCase{"blanks_only", "AG0   ;", 3, 3, 10, kNoDigits},
                    FieldCase{"sign_then_blank", "AG0+ 7;", 3, 3, 10, kNoDigits},
                    FieldCase{"two_signs", "AG0+-7;", 3, 3, 10, kNoDigits},
                    FieldCase{"digits_after_blank_ignored", "AG01 2;", 3, 3, 10, "1"},
                    FieldCase{"letters", "AG0abc;", 3, 3, 10, kNoDigits},
                    FieldCase{"terminator_first", "AG0;", 3, 3, 10, kNoDigits},
                    FieldCase{"offset_at_end", "AC0;", 4, 1, 10, kNoDigits},
                    FieldCase{"offset_past_end", "AC;", 4, 1, 10, kPosition},
                    FieldCase{"error_answer_short", "?;", 3, 3, 10, kPosition},
                    FieldCase{"error_answer_at_offset_2", "?;", 2, 1, 10, kNoDigits},
                    FieldCase{"hex_upper", "MD0C;", 3, 1, 16, "12"},
                    FieldCase{"hex_lower", "MD0c;", 3, 1, 16, "12"},
                    FieldCase{"hex_letter_in_decimal_field", "MD0C;", 3, 1, 10, kNoDigits},
                    FieldCase{"hex_prefix", "XX0x1F;", 2, 4, 16, "31"},
                    FieldCase{"hex_prefix_without_digit", "XX0xg;", 2, 4, 16, "0"},
                    FieldCase{"hex_prefix_cut_by_width", "XX0x1F;", 2, 2, 16, "0"},
                    FieldCase{"negative_hex_prefix", "XX-0x1;", 2, 5, 16, "-1"},
                    FieldCase{"embedded_nul_ends_text",
                              std::string("XX1\0"
                                          "2;",
                                          6),
                              2, 3, 10, "1"},
                    FieldCase{"nul_first",
                              std::string("XX\0"
                                          "12;",
                                          6),
                              2, 3, 10, kNoDigits},
                    FieldCase{"int_max", "XX2147483647;", 2, 10, 10, "2147483647"},
                    FieldCase{"int_min", "XX-2147483648;", 2, 11, 10, "-2147483648"},
                    FieldCase{"above_int_max", "XX2147483648;", 2, 10, 10, kRange},
                    FieldCase{"below_int_min", "XX-2147483649;", 2, 11, 10, kRange},
                    FieldCase{"beyond_long", "XX99999999999999999999999;", 2, 30, 10, kRange},
                    FieldCase{"many_leading_zeros", "XX000000000000000000001;", 2, 30, 10, "1"},
                    FieldCase{"hex_above_int_max", "XX80000000;", 2, 8, 16, kRange},
                    FieldCase{"zero_width", "FA014250000;", 2, 0, 10, kNoDigits}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

// Exhaustive comparison with std::stoi over every short text of characters that matter to
// the conversion, at every offset and width that the answers use.
TEST(ReadField, AgreesWithStoiOnEveryShortText) {
    const std::string alphabet{' ', '\t', '\n', '+', '-', '0', '7', '9', 'a', 'F', 'x', ';', '\0'};
    std::vector<std::string> texts{""};
    for (std::size_t length = 1, begin = 0; length <= 4; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i) {
            for (char c : alphabet) {
                texts.push_back(texts[i] + c);
            }
        }
        begin = end;
    }
    for (const std::string& text : texts) {
        const std::string answer = "XY" + text;
        for (std::size_t offset = 1; offset <= 3; ++offset) {
            for (std::size_t width = 1; width <= 5; width += 2) {
                for (int base : {10, 16}) {
                    ASSERT_EQ(Outcome([&] { return ReadField(answer, offset, width, base); }),
                              StoiOutcome(answer, offset, width, base))
                        << "answer bytes of length " << answer.size() << " offset " << offset << " width "
                        << width << " base " << base;
                }
            }
        }
    }
}

// Every overflow boundary for widths up to 12 digits, with and without sign.
TEST(ReadField, AgreesWithStoiAroundTheIntLimits) {
    const std::vector<std::string> numbers{"2147483646", "2147483647", "2147483648", "2147483649",
                                           "4294967295", "4294967296", "9999999999", "21474836470",
                                           "7fffffff",   "80000000",   "ffffffff",   "100000000"};
    for (const std::string& number : numbers) {
        for (const char* sign : {"", "+", "-", " -", "  +"}) {
            const std::string answer = "XX" + std::string(sign) + number + ";";
            for (std::size_t width = 8; width <= 14; ++width) {
                for (int base : {10, 16}) {
                    ASSERT_EQ(Outcome([&] { return ReadField(answer, 2, width, base); }),
                              StoiOutcome(answer, 2, width, base))
                        << answer << " width " << width << " base " << base;
                }
            }
        }
    }
}

struct ChannelCase {
    const char* name;
    std::string answer;
    std::string expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const ChannelCase& c, std::ostream* os) {
    *os << c.name;
}

class ChannelFields : public testing::TestWithParam<ChannelCase> {};

TEST_P(ChannelFields, Decodes) {
    EXPECT_EQ(Outcome([&] { return ReadChannelField(GetParam().answer); }), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Channels, ChannelFields,
    testing::Values(ChannelCase{"ordinary", "IF012", "12"}, ChannelCase{"three_digits", "IF501", "501"},
                    ChannelCase{"emergency", "IFEMG", "600"}, ChannelCase{"emergency_cut", "IFEM", kNoDigits},
                    ChannelCase{"p1_lower", "IFP1L", "100"}, ChannelCase{"p1_upper", "IFP1U", "101"},
                    ChannelCase{"p3_upper", "IFP3U", "105"}, ChannelCase{"p9_upper", "IFP9U", "117"},
                    ChannelCase{"p9_other_letter_is_lower", "IFP9X", "116"},
                    ChannelCase{"p_without_third", "IFP5", "108"}, ChannelCase{"p0_is_none", "IFP0U", "0"},
                    ChannelCase{"p_letter", "IFPAU", kNoDigits}, ChannelCase{"p_only", "IFP", kNoDigits},
                    ChannelCase{"empty_field", "IF", kNoDigits}, ChannelCase{"too_short", "I", kPosition},
                    ChannelCase{"lower_case_emg", "IFemg", kNoDigits}),
    [](const testing::TestParamInfo<ChannelCase>& info) { return std::string(info.param.name); });

} // namespace
