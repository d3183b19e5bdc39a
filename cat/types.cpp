#include "cat/types.h"

#include <array>
#include <cstddef>
#include <iterator>

#include "cat/field.h"

namespace Yaesu::Commands::FT891 {

namespace {

// One row per answer kind, in enumeration order. LM and SV name commands the radio never
// answers with its own prefix, so no answer is classified as either.
struct AnswerKind {
    CommandType type;
    char mnemonic[3];
    bool classified; // whether an answer starting with the mnemonic is of this kind
};

// clang-format off
constexpr AnswerKind kAnswerKinds[] = {
    // type              mnemonic classified
    {CommandType::AC, "AC", true},
    {CommandType::AG, "AG", true},
    {CommandType::AI, "AI", true},
    {CommandType::BC, "BC", true},
    {CommandType::BI, "BI", true},
    {CommandType::BP, "BP", true},
    {CommandType::BY, "BY", true},
    {CommandType::CF, "CF", true},
    {CommandType::CN, "CN", true},
    {CommandType::CO, "CO", true},
    {CommandType::CS, "CS", true},
    {CommandType::CT, "CT", true},
    {CommandType::DA, "DA", true},
    {CommandType::EX, "EX", true},
    {CommandType::FA, "FA", true},
    {CommandType::FB, "FB", true},
    {CommandType::FS, "FS", true},
    {CommandType::GT, "GT", true},
    {CommandType::ID, "ID", true},
    {CommandType::IF, "IF", true},
    {CommandType::IS, "IS", true},
    {CommandType::KM, "KM", true},
    {CommandType::KP, "KP", true},
    {CommandType::KR, "KR", true},
    {CommandType::KS, "KS", true},
    {CommandType::LK, "LK", true},
    {CommandType::LM, "LM", false},
    {CommandType::MC, "MC", true},
    {CommandType::MD, "MD", true},
    {CommandType::MG, "MG", true},
    {CommandType::ML, "ML", true},
    {CommandType::MR, "MR", true},
    {CommandType::MS, "MS", true},
    {CommandType::MT, "MT", true},
    {CommandType::MW, "MW", true},
    {CommandType::MX, "MX", true},
    {CommandType::NA, "NA", true},
    {CommandType::NB, "NB", true},
    {CommandType::NL, "NL", true},
    {CommandType::NR, "NR", true},
    {CommandType::OI, "OI", true},
    {CommandType::OS, "OS", true},
    {CommandType::PA, "PA", true},
    {CommandType::PB, "PB", true},
    {CommandType::PC, "PC", true},
    {CommandType::PL, "PL", true},
    {CommandType::PR, "PR", true},
    {CommandType::PS, "PS", true},
    {CommandType::RA, "RA", true},
    {CommandType::RG, "RG", true},
    {CommandType::RI, "RI", true},
    {CommandType::RL, "RL", true},
    {CommandType::RM, "RM", true},
    {CommandType::RS, "RS", true},
    {CommandType::SC, "SC", true},
    {CommandType::SD, "SD", true},
    {CommandType::SH, "SH", true},
    {CommandType::SM, "SM", true},
    {CommandType::SQ, "SQ", true},
    {CommandType::ST, "ST", true},
    {CommandType::SV, "SV", false},
    {CommandType::TS, "TS", true},
    {CommandType::TX, "TX", true},
    {CommandType::UL, "UL", true},
    {CommandType::VD, "VD", true},
    {CommandType::VG, "VG", true},
    {CommandType::VX, "VX", true},
};
// clang-format on
static_assert(std::size(kAnswerKinds) == static_cast<std::size_t>(CommandType::Unknown));

constexpr bool InEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(kAnswerKinds); ++i) {
        if (static_cast<std::size_t>(kAnswerKinds[i].type) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumerationOrder());

constexpr std::size_t kLetters = 26;

// Two upper-case letters -> kind, built from the table at compile time.
constexpr std::array<CommandType, kLetters * kLetters> BuildLookup() {
    std::array<CommandType, kLetters * kLetters> lookup{};
    for (auto& kind : lookup) {
        kind = CommandType::Unknown;
    }
    for (const auto& row : kAnswerKinds) {
        if (row.classified) {
            lookup[static_cast<std::size_t>(row.mnemonic[0] - 'A') * kLetters +
                   static_cast<std::size_t>(row.mnemonic[1] - 'A')] = row.type;
        }
    }
    return lookup;
}
constexpr auto kLookup = BuildLookup();

constexpr bool IsUpper(char c) noexcept {
    return c >= 'A' && c <= 'Z';
}

} // namespace

CommandType ClassifyAnswer(const std::string& answer) noexcept {
    // Only the first two characters count; lower case, a stray line feed in front or a
    // one-character answer such as ";" are all of no known kind.
    if (answer.size() < 2 || !IsUpper(answer[0]) || !IsUpper(answer[1])) {
        return CommandType::Unknown;
    }
    return kLookup[static_cast<std::size_t>(answer[0] - 'A') * kLetters +
                   static_cast<std::size_t>(answer[1] - 'A')];
}

bool operator==(const IntPair& a, const IntPair& b) noexcept {
    return a.first == b.first && a.second == b.second;
}
bool operator!=(const IntPair& a, const IntPair& b) noexcept {
    return !(a == b);
}

bool operator==(const InformationRecord& a, const InformationRecord& b) noexcept {
    return a.channel == b.channel && a.frequency == b.frequency && a.clarifierValue == b.clarifierValue &&
           a.clarifierEnabled == b.clarifierEnabled && a.mode == b.mode && a.vfoMemory == b.vfoMemory &&
           a.ctcssType == b.ctcssType && a.operation == b.operation;
}
bool operator!=(const InformationRecord& a, const InformationRecord& b) noexcept {
    return !(a == b);
}

bool operator==(const ChannelRecord& a, const ChannelRecord& b) noexcept {
    return a.channel == b.channel && a.frequency == b.frequency && a.clarifierValue == b.clarifierValue &&
           a.clarifierEnabled == b.clarifierEnabled && a.mode == b.mode && a.ctcssType == b.ctcssType &&
           a.operation == b.operation && a.tagEnabled == b.tagEnabled && a.tagName == b.tagName;
}
bool operator!=(const ChannelRecord& a, const ChannelRecord& b) noexcept {
    return !(a == b);
}

bool operator==(const DimmerRecord& a, const DimmerRecord& b) noexcept {
    return a.first == b.first && a.second == b.second && a.third == b.third && a.fourth == b.fourth;
}
bool operator!=(const DimmerRecord& a, const DimmerRecord& b) noexcept {
    return !(a == b);
}

bool operator==(const KeyerMemoryRecord& a, const KeyerMemoryRecord& b) noexcept {
    return a.slot == b.slot && a.text == b.text;
}
bool operator!=(const KeyerMemoryRecord& a, const KeyerMemoryRecord& b) noexcept {
    return !(a == b);
}

BadMenuItemException::BadMenuItemException(int foundNumber)
    : std::runtime_error(kBadMenuItem), number_(foundNumber) {}

BadMenuItemException::~BadMenuItemException() = default;

} // namespace Yaesu::Commands::FT891
