#include <algorithm>
#include <climits>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menu_reference.h"
#include "outcome.h"

namespace {

using namespace CatTest;

// ---- The documented items, read from their text ------------------------------------------

struct Documented {
    int number;
    std::string setValue; // "4, zero-filled", "digits, no fill", "sign + 2", "read only", ...
    std::string reshape;  // "—", "1-15", "at most 100", "multiple of 20, at most 4000", ...
    std::string width;    // "1" ... "5" or "text"
};

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(' ');
    const auto end = s.find_last_not_of(' ');
    return begin == std::string::npos ? "" : s.substr(begin, end - begin + 1);
}

std::vector<Documented> DocumentedItems() {
    std::vector<Documented> items;
    std::istringstream lines(kMenuReference);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) {
            continue;
        }
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');) {
            cells.push_back(Trim(cell));
        }
        const int number = std::stoi(cells[0].substr(0, 2)) * 100 + std::stoi(cells[0].substr(3, 2));
        items.push_back({number, cells[1], cells[2], cells[3]});
    }
    return items;
}

const std::vector<Documented>& Items() {
    static const std::vector<Documented> items = DocumentedItems();
    return items;
}

std::string Printf(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The value after the documented reshaping rule.
int Reshaped(const std::string& rule, int v) {
    std::smatch m;
    static const std::regex range(R"(^(-?\d+)-(-?\d+)$)");
    static const std::regex atMost(R"(^at most (\d+)$)");
    static const std::regex step20(R"(^multiple of 20, at most (\d+)$)");
    static const std::regex step10First(R"(^multiple of 10, then (-?\d+)-(-?\d+)$)");
    static const std::regex clampFirst(R"(^(-?\d+)-(-?\d+), then multiple of 10$)");
    if (rule == "—") {
        return v;
    }
    if (std::regex_match(rule, m, range)) {
        return std::clamp(v, std::stoi(m[1]), std::stoi(m[2]));
    }
    if (std::regex_match(rule, m, atMost)) {
        return std::min(v, std::stoi(m[1]));
    }
    if (std::regex_match(rule, m, step20)) {
        return std::min(v / 20 * 20, std::stoi(m[1]));
    }
    if (std::regex_match(rule, m, step10First)) {
        return std::clamp(v - v % 10, std::stoi(m[1]), std::stoi(m[2]));
    }
    if (std::regex_match(rule, m, clampFirst)) {
        const int clamped = std::clamp(v, std::stoi(m[1]), std::stoi(m[2]));
        return clamped - clamped % 10;
    }
    ADD_FAILURE() << "unknown rule " << rule;
    return v;
}

// The set command the documentation asks for.
std::string ExpectedSet(const Documented& item, int value) {
    const std::string head = Printf("EX%04d", item.number);
    if (item.setValue == "read only") {
        return head + ";"; // the read command: nothing is changed
    }
    const int v = Reshaped(item.reshape, value);
    if (item.setValue == "0-3 as one digit") {
        return v >= 0 && v <= 3 ? head + Printf("%d", v) + ";" : head + ";";
    }
    if (item.setValue == "digits, no fill") {
        return head + Printf("%d", v) + ";";
    }
    std::smatch m;
    static const std::regex zero(R"(^(\d), zero-filled$)");
    static const std::regex sign(R"(^sign \+ (\d)$)");
    if (std::regex_match(item.setValue, m, zero)) {
        return head + Printf(("%0" + m[1].str() + "d").c_str(), v) + ";";
    }
    if (std::regex_match(item.setValue, m, sign)) {
        return head + Printf(("%+0" + std::to_string(std::stoi(m[1]) + 1) + "d").c_str(), v) + ";";
    }
    ADD_FAILURE() << "unknown set value " << item.setValue;
    return "";
}

const int kProbes[] = {INT_MIN, -5000, -3001, -3000, -1234, -41,   -40,    -39,  -26,  -25,  -24,  -21,
                       -20,     -19,   -15,   -11,   -10,   -9,    -5,     -1,   0,    1,    2,    3,
                       4,       5,     6,     9,     10,    11,    12,     15,   16,   19,   20,   21,
                       24,      25,    26,    29,    30,    31,    39,     40,   41,   44,   45,   46,
                       99,      100,   101,   150,   999,   1000,  1234,   2999, 3000, 3001, 3005, 3999,
                       4000,    4001,  4010,  4019,  5000,  99999, INT_MAX};

TEST(MenuCatalogue, MatchesTheDocumentedItemsInOrder) {
    const auto& catalogue = MenuCatalogue();
    ASSERT_EQ(Items().size(), 158u);
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const Documented& d = Items()[i];
        SCOPED_TRACE(d.number);
        EXPECT_EQ(catalogue[i].number, d.number);
        EXPECT_EQ(catalogue[i].readOnly, d.setValue == "read only");
        EXPECT_EQ(catalogue[i].answerWidth, d.width == "text" ? 4 : std::stoi(d.width));
        EXPECT_EQ(IsVersionItem(d.number), d.width == "text");
        EXPECT_EQ(FindMenuItem(d.number), &catalogue[i]);
        if (i > 0) {
            EXPECT_LT(catalogue[i - 1].number, catalogue[i].number) << "ascending and unique";
        }
    }
}

TEST(MenuCatalogue, EveryItemReadsAndSetsAsDocumented) {
    for (const Documented& d : Items()) {
        SCOPED_TRACE(d.number);
        EXPECT_EQ(ReadMenu(d.number), Printf("EX%04d;", d.number));
        for (int value : kProbes) {
            ASSERT_EQ(SetMenu(d.number, value), ExpectedSet(d, value)) << "value " << value;
        }
    }
}

TEST(MenuCatalogue, EveryItemParsesItsOwnAnswerWidth) {
    for (const Documented& d : Items()) {
        SCOPED_TRACE(d.number);
        const std::string head = Printf("EX%04d", d.number);
        if (d.width == "text") {
            EXPECT_EQ(ParseMenuVersion(head + "0123;", d.number), "V01-23");
            EXPECT_EQ(ParseMenuVersion(head + "1805;", d.number), "V18-05");
            continue;
        }
        const int width = std::stoi(d.width);
        // Only the item's own width of digits counts, a sign included.
        EXPECT_EQ(ParseMenu(head + "123456789;", d.number),
                  std::stoi(std::string("123456789").substr(0, width)));
        EXPECT_EQ(Outcome([&] { return ParseMenu(head + "-987654321;", d.number); }),
                  width == 1 ? kNoDigits : Show(-std::stoi(std::string("987654321").substr(0, width - 1))));
        EXPECT_EQ(Outcome([&] { return ParseMenu(head + ";", d.number); }), kNoDigits);
        EXPECT_EQ(Outcome([&] { return ParseMenu(head, d.number); }), kNoDigits);
        // What SetMenu writes for a value inside the rule, ParseMenu reads back.
        if (d.setValue != "read only") {
            for (int value : {0, 1, 3, 5, 9}) {
                const int reshaped = Reshaped(d.reshape, value);
                const bool writesValue = ExpectedSet(d, value) != ReadMenu(d.number);
                if (writesValue && (d.setValue == "digits, no fill" || reshaped >= 0)) {
                    EXPECT_EQ(ParseMenu(SetMenu(d.number, value), d.number), reshaped)
                        << SetMenu(d.number, value);
                }
            }
        }
    }
}

TEST(MenuCatalogue, EveryItemRejectsAnotherItemsNumber) {
    for (const Documented& d : Items()) {
        SCOPED_TRACE(d.number);
        const int other = NextMenuItem(d.number) != 0 ? NextMenuItem(d.number) : 101;
        const std::string answer = Printf("EX%04d", other) + "050;";
        EXPECT_EQ(Outcome([&] { return ParseMenu(answer, d.number); }), BadItem(other));
        EXPECT_EQ(Outcome([&] { return ParseMenuVersion(answer, d.number); }), BadItem(other));
        // The number is checked before the value is looked at.
        EXPECT_EQ(Outcome([&] { return ParseMenu(Printf("EX%04d", other) + "x;", d.number); }),
                  BadItem(other));
    }
}

TEST(MenuCatalogue, SuccessorsWalkTheWholeMenuOnce) {
    std::vector<int> walked;
    for (int number = 101; number != 0 && walked.size() <= 200; number = NextMenuItem(number)) {
        walked.push_back(number);
    }
    ASSERT_EQ(walked.size(), Items().size());
    for (std::size_t i = 0; i < walked.size(); ++i) {
        EXPECT_EQ(walked[i], Items()[i].number);
    }
    EXPECT_EQ(NextMenuItem(1803), 0);
    EXPECT_EQ(NextMenuItem(1623), 1801) << "group 17 does not exist";
    EXPECT_EQ(NextMenuItem(103), 201);
}

TEST(MenuCatalogue, NumbersOutsideTheCatalogue) {
    for (int number : {INT_MIN, -1, 0, 1, 100, 104, 208, 412, 1700, 1804, 9999, INT_MAX}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(FindMenuItem(number), nullptr);
        EXPECT_EQ(NextMenuItem(number), 0);
        EXPECT_FALSE(IsVersionItem(number));
    }
    // Nothing to set: the command only asks for the value.
    EXPECT_EQ(SetMenu(9999, 5), "EX9999;");
    EXPECT_EQ(SetMenu(104, 1), "EX0104;");
    // An item that does not exist has no value field to read.
    EXPECT_EQ(Outcome([] { return ParseMenu("EX9999001;", 9999); }), BadItem(9999));
    EXPECT_EQ(Outcome([] { return ParseMenu("EX1605050;", 9999); }), BadItem(1605));
}

// ---- Named cases -------------------------------------------------------------------------

struct SetCase {
    const char* name;
    int number;
    int value;
    const char* expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name;
}

class SetMenuCases : public testing::TestWithParam<SetCase> {};

TEST_P(SetMenuCases, Command) {
    EXPECT_EQ(SetMenu(GetParam().number, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, SetMenuCases,
    testing::Values(
        SetCase{"power_below_5", 1605, 3, "EX1605005;"}, SetCase{"power_above_40", 1605, 60, "EX1605040;"},
        SetCase{"agc_step_and_limit", 101, 1234, "EX01011220;"},
        SetCase{"agc_below_one_step", 101, 10, "EX01010000;"}, SetCase{"agc_limit", 103, 4019, "EX01034000;"},
        SetCase{"agc_no_lower_limit", 102, -45, "EX0102-040;"},
        SetCase{"shift_negative", 803, -1234, "EX0803-1230;"},
        SetCase{"shift_clamped", 803, 5000, "EX0803+3000;"},
        SetCase{"shift_zero_has_sign", 804, 0, "EX0804+0000;"},
        SetCase{"break_in_delay_low", 709, 25, "EX07090030;"},
        SetCase{"break_in_delay_high", 709, 3005, "EX07093000;"},
        SetCase{"break_in_delay_step", 709, 1234, "EX07091230;"},
        SetCase{"equaliser_level_low", 1502, -25, "EX1502-20;"},
        SetCase{"equaliser_level_positive", 1502, 7, "EX1502+07;"},
        SetCase{"contour_level_low", 1202, -50, "EX1202-40;"}, SetCase{"peak_hold_digit", 205, 2, "EX02052;"},
        SetCase{"peak_hold_out_of_range", 205, 7, "EX0205;"},
        SetCase{"peak_hold_negative", 205, -1, "EX0205;"}, SetCase{"beep_upper_only", 504, 150, "EX0504100;"},
        SetCase{"beep_zero_stays", 504, 0, "EX0504000;"},
        SetCase{"digits_two_characters", 206, 12, "EX020612;"},
        SetCase{"data_vox_delay", 1621, 10, "EX16210030;"}, SetCase{"read_only_asks", 506, 1, "EX0506;"},
        SetCase{"version_asks", 1801, 1, "EX1801;"}),
    [](const testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

struct ParseMenuCase {
    const char* name;
    int number;
    std::string answer;
    std::string expected;
};
// A failing case is named, not dumped as bytes.
[[maybe_unused]] void PrintTo(const ParseMenuCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseMenuCases : public testing::TestWithParam<ParseMenuCase> {};

TEST_P(ParseMenuCases, Outcome) {
    const ParseMenuCase& c = GetParam();
    if (IsVersionItem(c.number)) {
        EXPECT_EQ(Outcome([&] { return ParseMenuVersion(c.answer, c.number); }), c.expected);
    } else {
        EXPECT_EQ(Outcome([&] { return ParseMenu(c.answer, c.number); }), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ParseMenuCases,
    testing::Values(ParseMenuCase{"power", 1605, "EX1605050;", "50"},
                    ParseMenuCase{"other_item", 1605, "EX1606050;", BadItem(1606)},
                    ParseMenuCase{"other_item_bad_value", 1605, "EX1606xyz;", BadItem(1606)},
                    ParseMenuCase{"signed_value", 513, "EX0513-05;", "-5"},
                    ParseMenuCase{"wide_field_stops_at_terminator", 1620, "EX1620050;", "50"},
                    ParseMenuCase{"five_characters", 803, "EX0803-1230;", "-1230"},
                    ParseMenuCase{"value_missing", 1605, "EX1605", kNoDigits},
                    ParseMenuCase{"value_letters", 1605, "EX1605abc;", kNoDigits},
                    ParseMenuCase{"short_number", 1605, "EX160", BadItem(160)},
                    ParseMenuCase{"number_letters", 1605, "EXab05050;", kNoDigits},
                    ParseMenuCase{"no_number", 1605, "EX", kNoDigits},
                    ParseMenuCase{"too_short", 1605, "E", kPosition},
                    ParseMenuCase{"error_answer", 1605, "?;", kNoDigits},
                    ParseMenuCase{"mnemonic_not_looked_at", 1605, "ZZ1605050;", "50"},
                    ParseMenuCase{"version", 1801, "EX18010123;", "\"V01-23\""},
                    ParseMenuCase{"version_dsp", 1802, "EX18021105;", "\"V11-05\""},
                    ParseMenuCase{"version_other_item", 1801, "EX18020123;", BadItem(1802)},
                    ParseMenuCase{"version_nine_characters", 1803, "EX1803012", "\"V01-2\""},
                    ParseMenuCase{"version_eight_characters", 1803, "EX180301", "\"V01-\""},
                    ParseMenuCase{"version_seven_characters", 1803, "EX18030", kPosition}),
    [](const testing::TestParamInfo<ParseMenuCase>& info) { return std::string(info.param.name); });

TEST(BadMenuItemException, IsARuntimeErrorWithTheNumberFound) {
    try {
        ParseMenu("EX1606050;", 1605);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Bad Menu Function Parse!");
        const auto* bad = dynamic_cast<const BadMenuItemException*>(&e);
        ASSERT_NE(bad, nullptr);
        EXPECT_EQ(bad->menuNumber(), 1606);
    }
    EXPECT_EQ(ParseMenuNumber("EX1606050;"), 1606);
    EXPECT_EQ(ParseMenuVersion("EX18010123;", 1801), "V01-23");
    EXPECT_EQ(Outcome([] { return ParseMenuVersion("EX1605050;", 1605); }), BadItem(1605));
}

TEST(MenuCatalogue, AgcItemsWriteTheSameValue) {
    for (int value : {-100, 0, 19, 20, 777, 3999, 4000, 4100}) {
        EXPECT_EQ(SetMenu(101, value).substr(6), SetMenu(102, value).substr(6));
        EXPECT_EQ(SetMenu(101, value).substr(6), SetMenu(103, value).substr(6));
    }
}

} // namespace
