// The settings file: what is written from the radio's reports, and every way a file is refused
// before anything could be sent, with the reason naming the first bad entry.

#include "backup/menu_names.h"
#include "backup/setting_commands.h"
#include "backup/settings_file.h"
#include "cat/menu.h"
#include "sim/menu_settings.h"
#include "sim/simulated_radio.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

namespace CAT = Yaesu::Commands::FT891;
using Backup::ReadSettingsFile;
using Backup::Setting;

namespace {

// A file with these entries, the rest of it as Corvane writes it.
std::string fileWith(const std::string& entries, const std::string& radio = "FT-891") {
    return R"({"program": "Corvane", "radio": ")" + radio +
           R"(", "format": 1, "saved": "2026-12-10T18:00:00Z",
               "firmware": {"main": "V01-06", "dsp": "V02-01", "display": "V01-03"},
               "settings": [)" +
           entries + "]}";
}

// The names table goes with the catalogue row by row, and its bounds are those of the set
// command's rules wherever the catalogue has one: a value the file lets through is one the
// set command sends as it stands.
TEST(MenuNames, FollowTheCatalogueAndItsBounds) {
    const auto& catalogue = CAT::MenuCatalogue();
    const auto& names = Backup::MenuNames();
    std::set<std::string> seen;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        SCOPED_TRACE(Backup::ItemText(catalogue[i].number));
        EXPECT_EQ(names[i].number, catalogue[i].number);
        EXPECT_TRUE(seen.insert(names[i].name).second) << "name used twice";
        EXPECT_LE(names[i].low, names[i].high);
        if (catalogue[i].reshape == CAT::MenuReshape::Clamp ||
            catalogue[i].reshape == CAT::MenuReshape::Step10Clamp ||
            catalogue[i].reshape == CAT::MenuReshape::ClampStep10) {
            EXPECT_EQ(names[i].low, catalogue[i].low);
            EXPECT_EQ(names[i].high, catalogue[i].high);
        }
        if (!catalogue[i].readOnly) {
            EXPECT_EQ(CAT::ReshapeMenuValue(names[i].number, names[i].low), names[i].low);
            EXPECT_EQ(CAT::ReshapeMenuValue(names[i].number, names[i].high), names[i].high);
        }
    }
}

// Every settable item the radio reported is written with its name and value, the versions go
// to the header, and what the radio never reported is left out and listed.
TEST(SettingsFile, WritesReportedSettingsAndListsTheMissing) {
    Backup::Reported reported;
    for (const Backup::MenuName& item : Backup::MenuNames())
        reported[item.number] = std::to_string(item.low);
    reported[1605] = "025";
    reported[513] = "-05";
    reported[1801] = "0106";
    reported.erase(1101);
    reported.erase(1202);
    reported[101] = "0310"; // off the AGC delay's 20 ms step
    reported[1602] = "050";
    const Backup::WrittenSettings written = Backup::WriteSettingsFile(reported, "2026-12-10T18:00:00Z");
    EXPECT_EQ(written.missing, (std::vector<int>{1101, 1202}));
    EXPECT_EQ(written.unknown, (std::vector<int>{101, 1602}));
    EXPECT_NE(written.json.find(R"("item": "16-05",)"), std::string::npos);
    EXPECT_NE(written.json.find(R"("name": "50M AM PWR",)"), std::string::npos);
    EXPECT_NE(written.json.find(R"("main": "V01-06")"), std::string::npos);
    EXPECT_NE(written.json.find(R"("item": "16-17",)"), std::string::npos) << "an item VG sets";
    EXPECT_EQ(written.json.find(R"("05-06")"), std::string::npos) << "the CAT rate is written";
    EXPECT_EQ(written.json.find(R"("18-01")"), std::string::npos) << "a firmware version is a setting";
    ASSERT_EQ(written.leftOut.size(), 2u);
    EXPECT_EQ(written.leftOut[0].items, (std::vector<int>{506}));
    EXPECT_EQ(written.leftOut[1].items, (std::vector<int>{1801, 1802, 1803}));
    EXPECT_EQ(written.leftOut[1].why, "firmware versions, which no command sets: the header names them");

    const Backup::ReadSettings read = ReadSettingsFile(written.json);
    ASSERT_TRUE(read.file) << read.problem;
    EXPECT_EQ(static_cast<int>(read.file->settings.size()), written.count);
    EXPECT_EQ(read.file->firmware.main, "V01-06");
    EXPECT_EQ(read.file->saved, "2026-12-10T18:00:00Z");
    const auto& settings = read.file->settings;
    EXPECT_NE(std::find(settings.begin(), settings.end(), Setting{1605, 25}), settings.end());
    EXPECT_NE(std::find(settings.begin(), settings.end(), Setting{513, -5}), settings.end());
}

struct BadFile {
    const char* name;
    std::string text;
    std::string problem;
};

// Cases go by their name in test listings.
void PrintTo(const BadFile& c, std::ostream* out) {
    *out << c.name;
}

class RefusedFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(RefusedFile, IsRefusedNamingWhy) {
    const Backup::ReadSettings read = ReadSettingsFile(GetParam().text);
    EXPECT_FALSE(read.file);
    EXPECT_EQ(read.problem, GetParam().problem);
}

const std::string good = R"({"item": "16-01", "name": "HF SSB PWR", "value": 50})";

INSTANTIATE_TEST_SUITE_P(
    Backup, RefusedFile,
    ::testing::Values(
        BadFile{"Empty", "", "the file is empty"}, BadFile{"Blank", " \n\t\n", "the file is empty"},
        BadFile{"NotJson", "AGC FAST DELAY=300\n", "it is not JSON (at byte 1)"},
        BadFile{"Truncated", fileWith(good + ", " + good).substr(0, 200),
                "it ends before its JSON does (a cut-off file)"},
        BadFile{"AnotherProgram", R"({"program": "other", "radio": "FT-891", "settings": []})",
                "it is not a Corvane settings file"},
        BadFile{"JsonArray", "[1, 2, 3]", "it is not a Corvane settings file"},
        BadFile{"AnotherRadio", fileWith(good, "FT-991A"),
                "it holds the settings of another radio (\"FT-991A\")"},
        BadFile{"NoSettings", R"({"program": "Corvane", "radio": "FT-891"})", "it has no list of settings"},
        BadFile{"EntryNotObject", fileWith(good + ", 7"), "entry 2 is not an item with a value"},
        BadFile{"ItemNotGGNN", fileWith(good + R"(, {"item": "1601", "value": 5})"),
                "entry 2: \"1601\" is not a menu item (GG-NN)"},
        BadFile{"UnknownItem", fileWith(good + R"(, {"item": "17-01", "value": 0})"),
                "entry 2: the FT-891 has no menu item 17-01"},
        BadFile{
            "ReadOnlyItem", fileWith(R"({"item": "05-06", "value": 3}, )" + good),
            "item 05-06 CAT RATE: no file restores it (the line's own speed: a new one would cut the line)"},
        BadFile{"VersionItem", fileWith(R"({"item": "18-01", "value": 106})"),
                "item 18-01 MAIN VERSION: no file restores it (firmware versions, which no command sets: the "
                "header names them)"},
        BadFile{"AboveRange", fileWith(good + R"(, {"item": "16-02", "value": 41})"),
                "item 16-02 HF AM PWR: 41 lies outside 5 to 40"},
        BadFile{"BelowRange", fileWith(R"({"item": "15-02", "value": -21})"),
                "item 15-02 EQ1 LEVEL: -21 lies outside -20 to 20"},
        BadFile{"OffItsStep", fileWith(R"({"item": "01-01", "value": 310})"),
                "item 01-01 AGC FAST DELAY: the radio takes no value 310"},
        BadFile{"BeyondInt", fileWith(R"({"item": "04-06", "value": 4294967296})"),
                "item 04-06 CONTEST NUMBER: 4294967296 lies outside 0 to 9999"},
        BadFile{"BeyondAnyInteger", fileWith(R"({"item": "04-06", "value": 99999999999999999999})"),
                "item 04-06 CONTEST NUMBER: the value 1e+20 is not a whole number"},
        BadFile{"TextValue", fileWith(R"({"item": "16-01", "value": "50"})"),
                "item 16-01 HF SSB PWR: the value \"50\" is not a whole number"},
        BadFile{"FractionValue", fileWith(R"({"item": "16-01", "value": 50.5})"),
                "item 16-01 HF SSB PWR: the value 50.5 is not a whole number"},
        BadFile{"BooleanValue", fileWith(R"({"item": "02-06", "value": true})"),
                "item 02-06 ZIN LED: the value true is not a whole number"},
        BadFile{"Twice", fileWith(good + ", " + good), "item 16-01 HF SSB PWR: listed twice"},
        BadFile{"TenMegabytesOfJunk", std::string(10 << 20, '\x7f'),
                "it is 10485760 bytes long, more than any settings file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A value the radio reported as a sign and digits reads back as the number; a garbled field is
// no value at all.
TEST(SettingsFile, ReportedValues) {
    const Backup::Reported reported = {{513, "-05"}, {1605, "040"}, {1601, "4x"}, {506, "3"}, {1617, "0070"}};
    EXPECT_EQ(Backup::ReportedValue(reported, 513), -5);
    EXPECT_EQ(Backup::ReportedValue(reported, 1605), 40);
    EXPECT_EQ(Backup::ReportedValue(reported, 1601), std::nullopt);
    EXPECT_EQ(Backup::ReportedValue(reported, 506), std::nullopt) << "left out";
    EXPECT_EQ(Backup::ReportedValue(reported, 1617), 70);
    EXPECT_EQ(Backup::ReportedValue(reported, 1606), std::nullopt) << "never reported";
}

// Every item is held by a file or left out for a reason. Each one a file holds goes back by its
// command to the simulated radio, which then holds the value, reports it in the answer to the
// read that follows, and takes the whole range a file lets through.
TEST(SettingCommands, TheRadioTakesBackEveryItemAFileHolds) {
    for (const CAT::MenuItem& item : CAT::MenuCatalogue()) {
        SCOPED_TRACE(Backup::ItemText(item.number));
        const char* why = Backup::LeftOutBecause(item.number);
        EXPECT_NE(Backup::Restorable(item.number), why != nullptr);
        if (why)
            continue;
        const Sim::MenuSetting* radio = Sim::findMenuSetting(item.number);
        ASSERT_NE(radio, nullptr);
        const Backup::MenuName& name = *Backup::FindMenuName(item.number);
        EXPECT_EQ(name.low, radio->low);
        EXPECT_EQ(name.high, radio->high);
        for (const int value : {radio->low, radio->initial, radio->high}) {
            SCOPED_TRACE(value);
            Sim::SimulatedRadio simulated;
            simulated.setMenuValue(item.number, value == radio->low ? radio->high : radio->low);
            const std::string set = Backup::SetCommand({item.number, value});
            EXPECT_EQ(simulated.handle(set), Sim::Messages{}) << set;
            EXPECT_EQ(simulated.menuValue(item.number), value) << set;
            EXPECT_EQ(simulated.handle(Backup::ReadCommand(item.number)), Sim::Messages{set});
        }
    }
    EXPECT_EQ(Backup::SetCommand({1617, 45}), "VG045;");
    EXPECT_EQ(Backup::ReadCommand(1618), "VD;");
}

} // namespace
