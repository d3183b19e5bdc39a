// libFuzzer target for the CAT command set. Arbitrary bytes are an answer: routed as the window
// routes it, and for a share of inputs given to every parser and every menu item; each call
// must return a value or throw one of the three documented exceptions with its documented
// message. The field reader is compared with
// std::stoi on the same field, and the builders are fed values taken from the bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "cat/ft891.h"

namespace {

using namespace Yaesu::Commands::FT891;

[[noreturn]] void Fail(const char* what, const char* detail) {
    std::fprintf(stderr, "cat_fuzz: %s: %s\n", what, detail);
    std::abort();
}

void Require(bool condition, const char* what, const std::string& detail = "") {
    if (!condition) {
        Fail(what, detail.c_str());
    }
}

enum class Kind { Value, Position, NoDigits, Range, BadItem };

// Runs one call; anything but a value or a documented exception aborts.
template <typename Call> Kind Check(Call&& call) {
    try {
        call();
        return Kind::Value;
    } catch (const BadMenuItemException& e) {
        Require(std::strcmp(e.what(), kBadMenuItem) == 0, "BadMenuItemException message", e.what());
        return Kind::BadItem;
    } catch (const std::invalid_argument& e) {
        Require(std::strcmp(e.what(), kInvalidArgument) == 0, "invalid_argument message", e.what());
        return Kind::NoDigits;
    } catch (const std::out_of_range& e) {
        if (std::strcmp(e.what(), kInvalidPosition) == 0) {
            return Kind::Position;
        }
        Require(std::strcmp(e.what(), kOutOfRange) == 0, "out_of_range message", e.what());
        return Kind::Range;
    } catch (const std::exception& e) {
        Fail("undocumented exception", e.what());
    } catch (...) {
        Fail("undocumented exception", "not a std::exception");
    }
}

template <auto Parse> void Run(const std::string& a) {
    Check([&] { return Parse(a); });
}

// Each answer kind and its parser, as the window routes them.
struct Route {
    CommandType kind;
    void (*parse)(const std::string&);
};
constexpr Route routes[] = {
    {CommandType::AC, Run<ParseAC>}, {CommandType::AG, Run<ParseAG>}, {CommandType::AI, Run<ParseAI>},
    {CommandType::BC, Run<ParseBC>}, {CommandType::BI, Run<ParseBI>}, {CommandType::BY, Run<ParseBY>},
    {CommandType::CF, Run<ParseCF>}, {CommandType::CS, Run<ParseCS>}, {CommandType::CT, Run<ParseCT>},
    {CommandType::FA, Run<ParseFA>}, {CommandType::FB, Run<ParseFB>}, {CommandType::FS, Run<ParseFS>},
    {CommandType::GT, Run<ParseGT>}, {CommandType::ID, Run<ParseID>}, {CommandType::KP, Run<ParseKP>},
    {CommandType::KR, Run<ParseKR>}, {CommandType::KS, Run<ParseKS>}, {CommandType::LK, Run<ParseLK>},
    {CommandType::MD, Run<ParseMD>}, {CommandType::MG, Run<ParseMG>}, {CommandType::MS, Run<ParseMS>},
    {CommandType::MX, Run<ParseMX>}, {CommandType::NA, Run<ParseNA>}, {CommandType::NB, Run<ParseNB>},
    {CommandType::NL, Run<ParseNL>}, {CommandType::NR, Run<ParseNR>}, {CommandType::OS, Run<ParseOS>},
    {CommandType::PA, Run<ParsePA>}, {CommandType::PC, Run<ParsePC>}, {CommandType::PL, Run<ParsePL>},
    {CommandType::PS, Run<ParsePS>}, {CommandType::RA, Run<ParseRA>}, {CommandType::RG, Run<ParseRG>},
    {CommandType::RL, Run<ParseRL>}, {CommandType::RS, Run<ParseRS>}, {CommandType::SC, Run<ParseSC>},
    {CommandType::SD, Run<ParseSD>}, {CommandType::SM, Run<ParseSM>}, {CommandType::SQ, Run<ParseSQ>},
    {CommandType::ST, Run<ParseST>}, {CommandType::TX, Run<ParseTX>}, {CommandType::UL, Run<ParseUL>},
    {CommandType::VD, Run<ParseVD>}, {CommandType::VG, Run<ParseVG>}, {CommandType::VX, Run<ParseVX>},
    {CommandType::BP, Run<ParseBP>}, {CommandType::CN, Run<ParseCN>}, {CommandType::CO, Run<ParseCO>},
    {CommandType::IS, Run<ParseIS>}, {CommandType::ML, Run<ParseML>}, {CommandType::PR, Run<ParsePR>},
    {CommandType::RI, Run<ParseRI>}, {CommandType::RM, Run<ParseRM>}, {CommandType::SH, Run<ParseSH>},
    {CommandType::IF, Run<ParseIF>}, {CommandType::OI, Run<ParseOI>}, {CommandType::MT, Run<ParseMT>},
    {CommandType::DA, Run<ParseDA>}, {CommandType::KM, Run<ParseKM>},
};

CommandType Classify(const std::string& a) {
    const CommandType kind = ClassifyAnswer(a);
    const int code = static_cast<int>(kind);
    Require(code >= 0 && code <= 67 && code != 26 && code != 60, "classification", a);
    return kind;
}

void FuzzParsers(const std::string& a) {
    for (const Route& route : routes) {
        route.parse(a);
    }
    Classify(a);
}

void FuzzMenuItem(const std::string& a, int number) {
    const Kind kind = Check([&] { return ParseMenu(a, number); });
    if (kind == Kind::BadItem || kind == Kind::Value) {
        // The number field decides between the two, whatever the value field holds.
        int found = 0;
        Require(Check([&] { found = ParseMenuNumber(a); }) == Kind::Value, "number field", a);
        Require((found == number) == (kind == Kind::Value), "number check", a);
    }
    if (IsVersionItem(number)) {
        Check([&] { return ParseMenuVersion(a, number); });
    }
}

void FuzzNoItems(const std::string& a) {
    for (int number : {0, 1605, 9999}) { // not a version item, or no item at all
        const Kind kind = Check([&] { return ParseMenuVersion(a, number); });
        Require(kind != Kind::Value, "version text of a non-version item", a);
        Check([&] { return ParseMenu(a, number); });
    }
}

void FuzzMenu(const std::string& a) {
    for (const MenuItem& item : MenuCatalogue()) {
        FuzzMenuItem(a, item.number);
    }
    FuzzNoItems(a);
}

// As the window does it: the answer's kind, then that kind's parser; a menu answer goes to
// the item its number field names, and to one other item `pick` chooses.
void FuzzRouted(const std::string& a, std::uint32_t pick) {
    const CommandType kind = Classify(a);
    if (kind == CommandType::EX) {
        int number = 0;
        if (Check([&] { number = ParseMenuNumber(a); }) == Kind::Value && FindMenuItem(number) != nullptr) {
            FuzzMenuItem(a, number);
        }
        FuzzMenuItem(a, MenuCatalogue()[pick % MenuCatalogue().size()].number);
        FuzzNoItems(a);
        return;
    }
    for (const Route& route : routes) {
        if (route.kind == kind) {
            route.parse(a);
        }
    }
    if (kind == CommandType::SM) {
        Run<ParseRM>(a); // the S-meter answer is also read as a meter reading
    }
}

// The field reader against std::stoi on the same field.
void FuzzFieldReader(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return;
    }
    const std::size_t offset = data[0] % 24;
    const std::size_t width = data[1] % 24;
    const int base = (data[0] & 0x80) != 0 ? 16 : 10;
    const std::string answer(reinterpret_cast<const char*>(data + 2), size - 2);

    int value = 0;
    const Kind kind = Check([&] { value = ReadField(answer, offset, width, base); });
    Kind expected = Kind::Value;
    int reference = 0;
    if (answer.size() < offset) {
        expected = Kind::Position;
    } else {
        try {
            reference = std::stoi(answer.substr(offset, width), nullptr, base);
        } catch (const std::invalid_argument&) {
            expected = Kind::NoDigits;
        } catch (const std::out_of_range&) {
            expected = Kind::Range;
        }
    }
    Require(kind == expected, "field reader and std::stoi disagree on the outcome", answer);
    Require(kind != Kind::Value || value == reference, "field reader and std::stoi disagree on the value",
            answer);
}

int Int(const std::uint8_t* p) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return static_cast<int>(v);
}

void RequireCommand(const std::string& command, const char* head) {
    Require(command.size() >= 3 && command.compare(0, 2, head) == 0 && command.back() == ';', "command form",
            command);
}

// Builders never throw and write their command's form.
void FuzzBuilderForms(int a, int b, const std::string& text) {
    // clang-format off
    RequireCommand(SetAC(a), "AC"); RequireCommand(SetAG(a), "AG"); RequireCommand(SetAI(a), "AI");
    RequireCommand(SetBC(a), "BC"); RequireCommand(SetBI(a), "BI"); RequireCommand(SetBP({a, b}), "BP");
    RequireCommand(SetBS(a), "BS"); RequireCommand(SetCF(a), "CF"); RequireCommand(SetCH(a), "CH");
    RequireCommand(SetCN({a, b}), "CN"); RequireCommand(SetCO({a, b}), "CO"); RequireCommand(SetCS(a), "CS");
    RequireCommand(SetCT(a), "CT"); RequireCommand(SetFA(a), "FA"); RequireCommand(SetFB(a), "FB");
    RequireCommand(SetFS(a), "FS"); RequireCommand(SetGT(a), "GT"); RequireCommand(SetIS(a, b), "IS");
    RequireCommand(SetKM({a, text}), "KM"); RequireCommand(SetKR(a), "KR"); RequireCommand(SetKS(a), "KS");
    RequireCommand(SetKY(a), "KY"); RequireCommand(SetLK(a), "LK"); RequireCommand(SetLM(a), "LM");
    RequireCommand(SetMD(a), "MD"); RequireCommand(SetMG(a), "MG"); RequireCommand(SetML({a, b}), "ML");
    RequireCommand(SetMS(a), "MS"); RequireCommand(SetMX(a), "MX"); RequireCommand(SetNA(a), "NA");
    RequireCommand(SetNB(a), "NB"); RequireCommand(SetNL(a), "NL"); RequireCommand(SetNR(a), "NR");
    RequireCommand(SetOS(a), "OS"); RequireCommand(SetPA(a), "PA"); RequireCommand(SetPB(a), "PB");
    RequireCommand(SetPR({a, b}), "PR"); RequireCommand(SetPS(a), "PS"); RequireCommand(SetRA(a), "RA");
    RequireCommand(SetRD(a), "RD"); RequireCommand(SetRG(a), "RG"); RequireCommand(SetRL(a), "RL");
    RequireCommand(SetRU(a), "RU"); RequireCommand(SetSC(a), "SC"); RequireCommand(SetSH({a, b}), "SH");
    RequireCommand(SetSQ(a), "SQ"); RequireCommand(SetST(a), "ST"); RequireCommand(SetTS(a), "TS");
    RequireCommand(SetVD(a), "VD"); RequireCommand(SetVG(a), "VG"); RequireCommand(SetVX(a), "VX");
    RequireCommand(ReadBP(a), "BP"); RequireCommand(ReadCN(a), "CN"); RequireCommand(ReadCO(a), "CO");
    RequireCommand(ReadKM(a), "KM"); RequireCommand(ReadML(a), "ML"); RequireCommand(ReadPR(a), "PR");
    RequireCommand(ReadMT(a), "MT");
    // clang-format on
}

// What the builders write for a value in range reads back.
void FuzzBuilders(const std::uint8_t* data, std::size_t size, bool everything, std::uint32_t pick) {
    if (size < 16) {
        return;
    }
    const int a = Int(data), b = Int(data + 4), c = Int(data + 8), d = Int(data + 12);
    const std::string text(reinterpret_cast<const char*>(data + 16), size - 16);
    if (everything) {
        FuzzBuilderForms(a, b, text);
    }

    Require(ParseFA(SetFA(a)) == std::clamp(a, 30000, 56000000), "FA read-back", SetFA(a));
    const int shift = std::min(b, 1200) / 20 * 20;
    if (shift >= -9999) { // below that the shift is wider than the answer's field
        Require(ParseIS(SetIS(1, b)) == IntPair{1, shift}, "IS read-back", SetIS(1, b));
    }

    // A channel whose every field fits its width reads back as written.
    ChannelRecord channel;
    channel.channel = static_cast<int>(static_cast<unsigned>(a) % 1100) - 99; // -99 ... 1000
    if (channel.channel > 999) {
        channel.channel = 600;
    }
    channel.frequency = static_cast<int>(static_cast<unsigned>(b) % 1000000000u);
    channel.clarifierValue = static_cast<int>(static_cast<unsigned>(c) % 19999) - 9999;
    channel.clarifierEnabled = d & 1;
    channel.mode = (d >> 1) & 0xF;
    channel.ctcssType = static_cast<int>(static_cast<unsigned>(d >> 5) % 10);
    channel.operation = static_cast<int>(static_cast<unsigned>(d >> 9) % 10);
    channel.tagEnabled = (d >> 13) & 1;
    channel.tagName = text.substr(0, 12);
    const std::string command = SetMT(channel);
    RequireCommand(command, "MT");
    ChannelRecord expected = channel;
    expected.tagName.resize(12, ' ');
    Require(ParseMT(command) == expected, "MT read-back", command);

    const auto& catalogue = MenuCatalogue();
    const std::size_t first = everything ? 0 : pick % catalogue.size();
    const std::size_t last = everything ? catalogue.size() : first + 1;
    for (std::size_t i = first; i < last; ++i) {
        const MenuItem& item = catalogue[i];
        const std::string set = SetMenu(item.number, a);
        RequireCommand(set, "EX");
        Require(set.compare(0, 6, ReadMenu(item.number), 0, 6) == 0, "menu number", set);
        if (set == ReadMenu(item.number)) {
            continue; // read-only, or a value 02-05 does not take
        }
        const std::string written = set.substr(6, set.size() - 7);
        if (written.size() <= static_cast<std::size_t>(item.answerWidth)) {
            Require(ParseMenu(set, item.number) == ReshapeMenuValue(item.number, a), "menu read-back", set);
        }
    }
}

} // namespace

// Every input is an answer routed as the window routes it, and a field for the field reader.
// One in eight also feeds the builders' read-backs; one in 1024 goes through every parser, every
// menu item and every builder, so no parser is left to chance. The choice is a hash of the
// bytes: the same input always takes the same paths.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    const bool everything = hash % 1024 == 0;
    const std::uint32_t pick = hash >> 10;
    FuzzRouted(answer, pick);
    if (everything) {
        FuzzParsers(answer);
        FuzzMenu(answer);
    }
    FuzzFieldReader(data, size);
    if (everything || hash % 8 == 1) {
        FuzzBuilders(data, size, everything, pick);
    }
    return 0;
}
