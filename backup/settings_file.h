// The radio's menu settings as a JSON file: written from what the radio has reported, read back
// and checked entry by entry against the catalogue before anything is sent. No Qt.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Backup {

// What the radio last reported per menu item: the answer's value field as it came ("050",
// "+05"; the four version characters "0106" for 18-01 to 18-03).
using Reported = std::map<int, std::string>;

struct Setting {
    int number;
    int value;
    bool operator==(const Setting& other) const { return number == other.number && value == other.value; }
};

struct Firmware {
    std::string main, dsp, display; // "V01-06"; empty when the radio has not said
};

struct SettingsFile {
    std::string saved; // when, as the file says
    Firmware firmware;
    std::vector<Setting> settings;
};

// Items no file holds, for one reason.
struct LeftOut {
    std::string why;
    std::vector<int> items;
};

struct WrittenSettings {
    std::string json;
    int count = 0;                // settings in the file
    std::vector<int> missing;     // items the radio has not reported, left out
    std::vector<int> unknown;     // items reported with a value the file could not restore, left out
    std::vector<LeftOut> leftOut; // items no command sets, by reason, in catalogue order
};

// The file of every item a command sets (setting_commands.h) that the radio has reported,
// with the firmware versions and `savedAt` in the header. The other items are not written:
// they could not be restored; nor is a value outside the item's known range, which would
// make the whole file refused.
WrittenSettings WriteSettingsFile(const Reported& reported, const std::string& savedAt);

// Anything larger is no settings file (all 158 items take a few kilobytes).
constexpr std::size_t maxSettingsFileBytes = 1 << 20;

// A file that passes every check, or the reason it is refused, naming the first bad entry.
struct ReadSettings {
    std::optional<SettingsFile> file;
    std::string problem;
};
ReadSettings ReadSettingsFile(const std::string& text);

// The value the radio reported for a settable item; nothing when it has not, or the field
// is not a number.
std::optional<int> ReportedValue(const Reported& reported, int number);

} // namespace Backup
