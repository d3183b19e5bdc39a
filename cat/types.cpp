#include "cat/types.h"

#include "cat/field.h"

namespace Yaesu::Commands::FT891 {

namespace {

constexpr CommandType U = CommandType::Unknown;

// First letter, then second letter; everything else is Unknown.
CommandType Classify(char a, char b) noexcept {
    if (b < 'A' || b > 'Z') {
        return U;
    }
    switch (a) {
    case 'A':
        switch (b) {
        case 'C':
            return CommandType::AC;
        case 'G':
            return CommandType::AG;
        case 'I':
            return CommandType::AI;
        default:
            return U;
        }
    case 'B':
        switch (b) {
        case 'C':
            return CommandType::BC;
        case 'I':
            return CommandType::BI;
        case 'P':
            return CommandType::BP;
        case 'Y':
            return CommandType::BY;
        default:
            return U;
        }
    case 'C':
        switch (b) {
        case 'F':
            return CommandType::CF;
        case 'N':
            return CommandType::CN;
        case 'O':
            return CommandType::CO;
        case 'S':
            return CommandType::CS;
        case 'T':
            return CommandType::CT;
        default:
            return U;
        }
    case 'D':
        return b == 'A' ? CommandType::DA : U;
    case 'E':
        return b == 'X' ? CommandType::EX : U;
    case 'F':
        switch (b) {
        case 'A':
            return CommandType::FA;
        case 'B':
            return CommandType::FB;
        case 'S':
            return CommandType::FS;
        default:
            return U;
        }
    case 'G':
        return b == 'T' ? CommandType::GT : U;
    case 'I':
        switch (b) {
        case 'D':
            return CommandType::ID;
        case 'F':
            return CommandType::IF;
        case 'S':
            return CommandType::IS;
        default:
            return U;
        }
    case 'K':
        switch (b) {
        case 'M':
            return CommandType::KM;
        case 'P':
            return CommandType::KP;
        case 'R':
            return CommandType::KR;
        case 'S':
            return CommandType::KS;
        default:
            return U;
        }
    case 'L':
        return b == 'K' ? CommandType::LK : U; // "LM" is Unknown
    case 'M':
        switch (b) {
        case 'C':
            return CommandType::MC;
        case 'D':
            return CommandType::MD;
        case 'G':
            return CommandType::MG;
        case 'L':
            return CommandType::ML;
        case 'R':
            return CommandType::MR;
        case 'S':
            return CommandType::MS;
        case 'T':
            return CommandType::MT;
        case 'W':
            return CommandType::MW;
        case 'X':
            return CommandType::MX;
        default:
            return U;
        }
    case 'N':
        switch (b) {
        case 'A':
            return CommandType::NA;
        case 'B':
            return CommandType::NB;
        case 'L':
            return CommandType::NL;
        case 'R':
            return CommandType::NR;
        default:
            return U;
        }
    case 'O':
        switch (b) {
        case 'I':
            return CommandType::OI;
        case 'S':
            return CommandType::OS;
        default:
            return U;
        }
    case 'P':
        switch (b) {
        case 'A':
            return CommandType::PA;
        case 'B':
            return CommandType::PB;
        case 'C':
            return CommandType::PC;
        case 'L':
            return CommandType::PL;
        case 'R':
            return CommandType::PR;
        case 'S':
            return CommandType::PS;
        default:
            return U;
        }
    case 'R':
        switch (b) {
        case 'A':
            return CommandType::RA;
        case 'G':
            return CommandType::RG;
        case 'I':
            return CommandType::RI;
        case 'L':
            return CommandType::RL;
        case 'M':
            return CommandType::RM;
        case 'S':
            return CommandType::RS;
        default:
            return U;
        }
    case 'S':
        switch (b) { // "SV" is Unknown
        case 'C':
            return CommandType::SC;
        case 'D':
            return CommandType::SD;
        case 'H':
            return CommandType::SH;
        case 'M':
            return CommandType::SM;
        case 'Q':
            return CommandType::SQ;
        case 'T':
            return CommandType::ST;
        default:
            return U;
        }
    case 'T':
        switch (b) {
        case 'S':
            return CommandType::TS;
        case 'X':
            return CommandType::TX;
        default:
            return U;
        }
    case 'U':
        return b == 'L' ? CommandType::UL : U;
    case 'V':
        switch (b) {
        case 'D':
            return CommandType::VD;
        case 'G':
            return CommandType::VG;
        case 'X':
            return CommandType::VX;
        default:
            return U;
        }
    default:
        return U;
    }
}

} // namespace

CommandType ClassifyAnswer(const std::string& answer) noexcept {
    if (answer.size() < 2) {
        return U;
    }
    return Classify(answer[0], answer[1]);
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
