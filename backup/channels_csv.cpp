#include "backup/channels_csv.h"

#include "cat/modes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <set>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace Backup {

namespace {

enum Column { Channel, Frequency, Mode, Shift, Clarifier, ClarifierOffset, Tone, Tag, ColumnCount };
constexpr std::array<const char*, ColumnCount> columns = {"channel",   "frequency",        "mode", "shift",
                                                          "clarifier", "clarifier offset", "tone", "tag"};
const std::vector<std::string> shifts = {"Simplex", "Plus Shift", "Minus Shift"};
// By the tone field of the MT answer, as the CT command has it.
const std::vector<std::string> tones = {"OFF", "ENC/DEC", "ENC", "DCS"};
const std::vector<std::string> switches = {"off", "on"};

// A field is quoted when it holds a comma or a quote; quotes inside are doubled.
std::string field(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The fields of one line; nothing when a quote is left open.
std::optional<std::vector<std::string>> splitLine(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return fields;
}

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && !text.empty() ? std::optional<int>(value) : std::nullopt;
}

int indexIn(const std::vector<std::string>& names, const std::string& text) {
    const auto it = std::find(names.begin(), names.end(), text);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

std::string trimmedTag(const std::string& tag) {
    const std::size_t end = tag.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : tag.substr(0, end + 1);
}

// One row: the record, or the column that is wrong and why.
std::optional<CAT::ChannelRecord> rowRecord(const std::vector<std::string>& f, std::string& problem) {
    const auto refuse = [&problem](Column column, const std::string& why) {
        problem = fmt::format("column {}: {}", columns[column], why);
        return std::nullopt;
    };
    CAT::ChannelRecord record;
    const std::optional<int> channel = wholeNumber(f[Channel]);
    if (!channel || *channel < 1 || *channel > channelCount)
        return refuse(Channel, fmt::format("\"{}\" is not a channel 1 to {}", f[Channel], channelCount));
    record.channel = *channel;
    const std::optional<int> hertz = wholeNumber(f[Frequency]);
    if (!hertz || *hertz < lowestFrequency || *hertz > highestFrequency)
        return refuse(Frequency,
                      fmt::format("\"{}\" is not a frequency in hertz from 30 kHz to 56 MHz", f[Frequency]));
    record.frequency = *hertz;
    // The radio's own spelling ("DATA-FM") is taken as well as the file's ("DATA_FM").
    const CAT::Mode* mode = CAT::ModeNamed(f[Mode]);
    if (!mode)
        return refuse(Mode, fmt::format("\"{}\" is no mode of the radio", f[Mode]));
    record.mode = mode->code;
    record.operation = indexIn(shifts, f[Shift]);
    if (record.operation < 0)
        return refuse(Shift, fmt::format("\"{}\" is not Simplex, Plus Shift or Minus Shift", f[Shift]));
    record.clarifierEnabled = indexIn(switches, f[Clarifier]);
    if (record.clarifierEnabled < 0)
        return refuse(Clarifier, fmt::format("\"{}\" is not on or off", f[Clarifier]));
    const std::optional<int> offset = wholeNumber(f[ClarifierOffset]);
    if (!offset || *offset < -clarifierLimit || *offset > clarifierLimit)
        return refuse(ClarifierOffset,
                      fmt::format("\"{}\" is not an offset from -9999 to 9999 Hz", f[ClarifierOffset]));
    record.clarifierValue = *offset;
    record.ctcssType = indexIn(tones, f[Tone]);
    if (record.ctcssType < 0)
        return refuse(Tone, fmt::format("\"{}\" is not OFF, ENC/DEC, ENC or DCS", f[Tone]));
    if (!ValidTag(f[Tag]))
        return refuse(Tag, "a tag is at most 12 printable ASCII characters, without \";\"");
    record.tagName = f[Tag];
    record.tagEnabled = f[Tag].empty() ? 0 : 1;
    return record;
}

std::string headerLine() {
    std::string header;
    for (const char* column : columns)
        header += (header.empty() ? "" : ",") + std::string(column);
    return header;
}

} // namespace

bool ValidTag(std::string_view tag) {
    return tag.size() <= tagLength &&
           std::all_of(tag.begin(), tag.end(), [](char c) { return c >= 0x20 && c <= 0x7e && c != ';'; });
}

const std::vector<std::string>& ShiftNames() {
    return shifts;
}

const std::vector<std::string>& ToneNames() {
    return tones;
}

std::string WriteChannelsCsv(const std::vector<CAT::ChannelRecord>& channels) {
    std::string csv = headerLine() + "\n";
    for (const CAT::ChannelRecord& c : channels) {
        const auto pick = [](const std::vector<std::string>& names, int index) {
            return index >= 0 && index < static_cast<int>(names.size())
                       ? names[static_cast<std::size_t>(index)]
                       : std::string();
        };
        const CAT::Mode* mode = CAT::ModeOfCode(c.mode);
        csv += fmt::format("{},{},{},{},{},{},{},{}\n", c.channel, c.frequency, mode ? mode->editor : "",
                           field(pick(shifts, c.operation)), pick(switches, c.clarifierEnabled == 1 ? 1 : 0),
                           c.clarifierValue, pick(tones, c.ctcssType),
                           field(c.tagEnabled == 1 ? trimmedTag(c.tagName) : std::string()));
    }
    return csv;
}

ReadChannels ReadChannelsCsv(std::string_view text) {
    ReadChannels result;
    if (text.size() > maxChannelsFileBytes) {
        result.problem = fmt::format("the file is {} bytes long, more than 99 channels take", text.size());
        return result;
    }
    std::set<int> seen;
    int lineNumber = 0;
    bool headerSeen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        const auto refuse = [&](const std::string& why) {
            result.channels.clear();
            result.problem = fmt::format("line {}: {}", lineNumber, why);
            return result;
        };
        if (!headerSeen) {
            if (line != headerLine())
                return refuse(fmt::format("the header is not \"{}\"", headerLine()));
            headerSeen = true;
            continue;
        }
        if (result.channels.size() == channelCount)
            return refuse("more than 99 channels");
        const auto fields = splitLine(line);
        if (!fields)
            return refuse("a quote is left open");
        if (fields->size() != ColumnCount)
            return refuse(fmt::format("{} columns, not {}", fields->size(), static_cast<int>(ColumnCount)));
        std::string problem;
        const auto record = rowRecord(*fields, problem);
        if (!record)
            return refuse(problem);
        if (!seen.insert(record->channel).second)
            return refuse(fmt::format("column channel: channel {} is listed twice", record->channel));
        result.channels.push_back(*record);
    }
    if (!headerSeen)
        result.problem = "the file is empty";
    return result;
}

} // namespace Backup
