#include "backup/settings_file.h"

#include "backup/menu_names.h"
#include "backup/setting_commands.h"
#include "cat/menu.h"

#include <algorithm>
#include <climits>
#include <set>
#include <stdexcept>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace CAT = Yaesu::Commands::FT891;
using nlohmann::json;

namespace Backup {

namespace {

constexpr const char* programName = "Corvane";
constexpr const char* radioName = "FT-891";
constexpr int formatVersion = 1;

std::string versionText(const Reported& reported, int number) {
    const auto it = reported.find(number);
    if (it == reported.end() || it->second.size() != 4)
        return {};
    return fmt::format("V{}-{}", it->second.substr(0, 2), it->second.substr(2, 2));
}

std::string entryName(int number) {
    const MenuName* row = FindMenuName(number);
    return fmt::format("item {} {}", ItemText(number), row ? row->name : "");
}

// The value of an entry, or the reason it is none the radio takes.
std::optional<int> checkedValue(int number, const json& value, std::string& problem) {
    if (!value.is_number_integer()) {
        problem = fmt::format("{}: the value {} is not a whole number", entryName(number), value.dump());
        return std::nullopt;
    }
    const long long wide = value.is_number_unsigned() && value.get<unsigned long long>() > LLONG_MAX
                               ? LLONG_MAX
                               : value.get<long long>();
    const MenuName& row = *FindMenuName(number);
    if (wide < row.low || wide > row.high) {
        problem = fmt::format("{}: {} lies outside {} to {}", entryName(number), wide, row.low, row.high);
        return std::nullopt;
    }
    const int v = static_cast<int>(wide);
    // The set command would send another value (a delay off its step, say).
    if (CAT::ReshapeMenuValue(number, v) != v) {
        problem = fmt::format("{}: the radio takes no value {}", entryName(number), v);
        return std::nullopt;
    }
    return v;
}

std::optional<Setting> checkedEntry(std::size_t index, const json& entry, std::set<int>& seen,
                                    std::string& problem) {
    const std::string where = fmt::format("entry {}", index + 1);
    if (!entry.is_object() || !entry.contains("item") || !entry.contains("value")) {
        problem = where + " is not an item with a value";
        return std::nullopt;
    }
    const json& item = entry["item"];
    const int number = item.is_string() ? ItemNumber(item.get<std::string>()) : 0;
    if (number == 0) {
        problem = fmt::format("{}: {} is not a menu item (GG-NN)", where, item.dump());
        return std::nullopt;
    }
    const CAT::MenuItem* known = CAT::FindMenuItem(number);
    if (!known) {
        problem = fmt::format("{}: the FT-891 has no menu item {}", where, ItemText(number));
        return std::nullopt;
    }
    if (const char* why = LeftOutBecause(number)) {
        problem = fmt::format("{}: no file restores it ({})", entryName(number), why);
        return std::nullopt;
    }
    if (!seen.insert(number).second) {
        problem = fmt::format("{}: listed twice", entryName(number));
        return std::nullopt;
    }
    const std::optional<int> value = checkedValue(number, entry["value"], problem);
    if (!value)
        return std::nullopt;
    return Setting{number, *value};
}

void leaveOut(std::vector<LeftOut>& leftOut, const char* why, int number) {
    const auto it = std::find_if(leftOut.begin(), leftOut.end(),
                                 [why](const LeftOut& group) { return group.why == why; });
    if (it != leftOut.end())
        it->items.push_back(number);
    else
        leftOut.push_back({why, {number}});
}

std::string textOf(const json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

} // namespace

WrittenSettings WriteSettingsFile(const Reported& reported, const std::string& savedAt) {
    WrittenSettings written;
    json settings = json::array();
    for (const CAT::MenuItem& item : CAT::MenuCatalogue()) {
        if (const char* why = LeftOutBecause(item.number)) {
            leaveOut(written.leftOut, why, item.number);
            continue;
        }
        const std::optional<int> value = ReportedValue(reported, item.number);
        if (!value) {
            written.missing.push_back(item.number);
            continue;
        }
        if (std::string unused; !checkedValue(item.number, json(*value), unused)) {
            written.unknown.push_back(item.number);
            continue;
        }
        settings.push_back(
            {{"item", ItemText(item.number)}, {"name", FindMenuName(item.number)->name}, {"value", *value}});
        ++written.count;
    }
    const json file = {
        {"program", programName},
        {"radio", radioName},
        {"format", formatVersion},
        {"saved", savedAt},
        {"firmware",
         {{"main", versionText(reported, 1801)},
          {"dsp", versionText(reported, 1802)},
          {"display", versionText(reported, 1803)}}},
        {"settings", settings},
    };
    written.json = file.dump(2) + "\n";
    return written;
}

ReadSettings ReadSettingsFile(const std::string& text) {
    ReadSettings result;
    if (text.size() > maxSettingsFileBytes) {
        result.problem = fmt::format("it is {} bytes long, more than any settings file", text.size());
        return result;
    }
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        result.problem = "the file is empty";
        return result;
    }
    json file;
    try {
        file = json::parse(text);
    } catch (const json::parse_error& e) {
        result.problem = e.byte >= text.size() ? "it ends before its JSON does (a cut-off file)"
                                               : fmt::format("it is not JSON (at byte {})", e.byte);
        return result;
    }
    if (!file.is_object() || textOf(file, "program") != programName) {
        result.problem = "it is not a Corvane settings file";
        return result;
    }
    if (const std::string radio = textOf(file, "radio"); radio != radioName) {
        result.problem = fmt::format("it holds the settings of another radio (\"{}\")", radio);
        return result;
    }
    const auto settings = file.find("settings");
    if (settings == file.end() || !settings->is_array()) {
        result.problem = "it has no list of settings";
        return result;
    }
    SettingsFile read;
    read.saved = textOf(file, "saved");
    if (const auto firmware = file.find("firmware"); firmware != file.end() && firmware->is_object())
        read.firmware = {textOf(*firmware, "main"), textOf(*firmware, "dsp"), textOf(*firmware, "display")};
    std::set<int> seen;
    for (std::size_t i = 0; i < settings->size(); ++i) {
        const std::optional<Setting> setting = checkedEntry(i, (*settings)[i], seen, result.problem);
        if (!setting)
            return result;
        read.settings.push_back(*setting);
    }
    result.file = std::move(read);
    return result;
}

std::optional<int> ReportedValue(const Reported& reported, int number) {
    const auto it = reported.find(number);
    if (!Restorable(number) || it == reported.end())
        return std::nullopt;
    try {
        std::size_t used = 0;
        const int value = std::stoi(it->second, &used);
        return used == it->second.size() ? std::optional<int>(value) : std::nullopt;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

} // namespace Backup
