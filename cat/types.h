// Shared types of the Yaesu FT-891 CAT command set.
// Standard library only; no Qt.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace Yaesu::Commands::FT891 {

// The kinds of answer. The values follow the alphabetical order of the
// mnemonics; 26 (LM) and 60 (SV) exist but ClassifyAnswer never yields them.
enum class CommandType : int {
    AC = 0,
    AG = 1,
    AI = 2,
    BC = 3,
    BI = 4,
    BP = 5,
    BY = 6,
    CF = 7,
    CN = 8,
    CO = 9,
    CS = 10,
    CT = 11,
    DA = 12,
    EX = 13,
    FA = 14,
    FB = 15,
    FS = 16,
    GT = 17,
    ID = 18,
    IF = 19,
    IS = 20,
    KM = 21,
    KP = 22,
    KR = 23,
    KS = 24,
    LK = 25,
    LM = 26,
    MC = 27,
    MD = 28,
    MG = 29,
    ML = 30,
    MR = 31,
    MS = 32,
    MT = 33,
    MW = 34,
    MX = 35,
    NA = 36,
    NB = 37,
    NL = 38,
    NR = 39,
    OI = 40,
    OS = 41,
    PA = 42,
    PB = 43,
    PC = 44,
    PL = 45,
    PR = 46,
    PS = 47,
    RA = 48,
    RG = 49,
    RI = 50,
    RL = 51,
    RM = 52,
    RS = 53,
    SC = 54,
    SD = 55,
    SH = 56,
    SM = 57,
    SQ = 58,
    ST = 59,
    SV = 60,
    TS = 61,
    TX = 62,
    UL = 63,
    VD = 64,
    VG = 65,
    VX = 66,
    Unknown = 67
};

// The answer classifier: looks at the first two characters only (case-sensitive,
// upper case only). Never returns LM or SV. An answer shorter than two characters is Unknown.
CommandType ClassifyAnswer(const std::string& answer) noexcept;

// Two signed ints: argument of two-value set builders, result of two-field parsers.
struct IntPair {
    int first = 0;
    int second = 0;
};

// Result of ParseIF / ParseOI.
struct InformationRecord {
    int channel = 0;          // offsets 2-4, channel field decoding
    int frequency = 0;        // 5, 9
    int clarifierValue = 0;   // 14, 5 (signed)
    int clarifierEnabled = 0; // 19, 1
    int mode = 0;             // 21, 1, hexadecimal
    int vfoMemory = 0;        // 22, 1
    int ctcssType = 0;        // 23, 1
    int operation = 0;        // 26, 1
};

// One memory channel: argument of SetMT, result of ParseMT.
struct ChannelRecord {
    int channel = 0; // 1-99; 100-117 P1L..P9U; 600 EMG; 501-504, 506
    int frequency = 0;
    int clarifierValue = 0;
    int clarifierEnabled = 0;
    int mode = 0;
    int ctcssType = 0;
    int operation = 0;
    int tagEnabled = 0;
    std::string tagName;
};

// Result of ParseDA: four two-digit fields at offsets 2, 4, 6 and 8, in answer order.
struct DimmerRecord {
    int first = 0;
    int second = 0;
    int third = 0;
    int fourth = 0;
};

// A CW memory-keyer message: argument of SetKM, result of ParseKM.
struct KeyerMemoryRecord {
    int slot = 0; // 1-5
    std::string text;
};

bool operator==(const IntPair& a, const IntPair& b) noexcept;
bool operator!=(const IntPair& a, const IntPair& b) noexcept;
bool operator==(const InformationRecord& a, const InformationRecord& b) noexcept;
bool operator!=(const InformationRecord& a, const InformationRecord& b) noexcept;
bool operator==(const ChannelRecord& a, const ChannelRecord& b) noexcept;
bool operator!=(const ChannelRecord& a, const ChannelRecord& b) noexcept;
bool operator==(const DimmerRecord& a, const DimmerRecord& b) noexcept;
bool operator!=(const DimmerRecord& a, const DimmerRecord& b) noexcept;
bool operator==(const KeyerMemoryRecord& a, const KeyerMemoryRecord& b) noexcept;
bool operator!=(const KeyerMemoryRecord& a, const KeyerMemoryRecord& b) noexcept;

// Thrown (by value) by the menu-item parsers when the four-digit number at offsets 2-5
// of the answer is not the number of the item being parsed. what() is
// "Bad Menu Function Parse!"; menuNumber() is the number the answer carried.
class BadMenuItemException : public std::runtime_error {
public:
    explicit BadMenuItemException(int foundNumber);
    ~BadMenuItemException() override;
    int menuNumber() const noexcept { return number_; }

private:
    int number_;
};

} // namespace Yaesu::Commands::FT891
