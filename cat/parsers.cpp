#include "cat/parsers.h"

#include <cstddef>
#include <iterator>
#include <string_view>

#include "cat/field.h"

namespace Yaesu::Commands::FT891 {

namespace {

// Where one numeric field sits in an answer.
struct Field {
    std::size_t offset;
    std::size_t width;
    int base;
};

int Read(const std::string& answer, const Field& field) {
    return ReadField(answer, field.offset, field.width, field.base);
}

struct ValueAnswer {
    std::string_view parser;
    Field value;
};

// clang-format off
constexpr ValueAnswer kValueAnswers[] = {
    // parser    offset width base
    {"ParseAC", {4, 1, 10}}, {"ParseAG", {3, 3, 10}}, {"ParseAI", {2, 1, 10}},
    {"ParseBC", {3, 1, 10}}, {"ParseBI", {2, 1, 10}}, {"ParseBY", {2, 1, 10}},
    {"ParseCF", {3, 1, 10}}, {"ParseCS", {2, 1, 10}}, {"ParseCT", {3, 1, 10}},
    {"ParseFA", {2, 9, 10}}, {"ParseFB", {2, 9, 10}}, {"ParseFS", {2, 1, 10}},
    {"ParseGT", {3, 1, 10}}, {"ParseID", {2, 4, 10}}, {"ParseKP", {2, 2, 10}},
    {"ParseKR", {2, 1, 10}}, {"ParseKS", {2, 3, 10}}, {"ParseLK", {2, 1, 10}},
    {"ParseMD", {3, 1, 16}}, {"ParseMG", {2, 3, 10}}, {"ParseMS", {2, 1, 10}},
    {"ParseMX", {2, 1, 10}}, {"ParseNA", {3, 1, 10}}, {"ParseNB", {3, 1, 10}},
    {"ParseNL", {3, 3, 10}}, {"ParseNR", {3, 1, 10}}, {"ParseOS", {3, 1, 10}},
    {"ParsePA", {3, 1, 10}}, {"ParsePC", {2, 3, 10}}, {"ParsePL", {2, 3, 10}},
    {"ParsePS", {2, 1, 10}}, {"ParseRA", {3, 1, 10}}, {"ParseRG", {3, 3, 10}},
    {"ParseRL", {3, 2, 10}}, {"ParseRS", {2, 1, 10}}, {"ParseSC", {2, 1, 10}},
    {"ParseSD", {2, 4, 10}}, {"ParseSM", {3, 3, 10}}, {"ParseSQ", {3, 3, 10}},
    {"ParseST", {2, 1, 10}}, {"ParseTX", {2, 1, 10}}, {"ParseUL", {2, 1, 10}},
    {"ParseVD", {2, 4, 10}}, {"ParseVG", {2, 3, 10}}, {"ParseVX", {2, 1, 10}},
};
static_assert(std::size(kValueAnswers) == 45);

struct PairAnswer {
    std::string_view parser;
    Field first;
    Field second;
    bool secondReadFirst; // which field throws first when both are bad
};

constexpr PairAnswer kPairAnswers[] = {
    // parser     first         second        second read first
    {"ParseBP", {3, 1, 10},  {4, 3, 10},  false},
    {"ParseCN", {3, 1, 10},  {4, 3, 10},  false},
    {"ParseCO", {3, 1, 10},  {4, 4, 10},  false},
    {"ParseIS", {3, 1, 10},  {4, 5, 10},  true},
    {"ParseML", {2, 1, 10},  {3, 3, 10},  false},
    {"ParsePR", {2, 1, 10},  {3, 1, 10},  false},
    {"ParseRI", {2, 1, 16},  {3, 1, 10},  false},
    {"ParseRM", {2, 1, 10},  {3, 3, 10},  false},
    {"ParseSH", {3, 1, 10},  {4, 2, 10},  false},
};
static_assert(std::size(kPairAnswers) == 9);

// The fields of the record answers after the channel field, in the order they are read.
template <typename Record>
struct RecordField {
    int Record::*member;
    Field field;
};

constexpr RecordField<InformationRecord> kInformationFields[] = {
    {&InformationRecord::frequency,        { 5, 9, 10}},
    {&InformationRecord::clarifierValue,   {14, 5, 10}},
    {&InformationRecord::clarifierEnabled, {19, 1, 10}},
    {&InformationRecord::mode,             {21, 1, 16}},
    {&InformationRecord::vfoMemory,        {22, 1, 10}},
    {&InformationRecord::ctcssType,        {23, 1, 10}},
    {&InformationRecord::operation,        {26, 1, 10}},
};

constexpr RecordField<ChannelRecord> kChannelFields[] = {
    {&ChannelRecord::frequency,        { 5, 9, 10}},
    {&ChannelRecord::clarifierValue,   {14, 5, 10}},
    {&ChannelRecord::clarifierEnabled, {19, 1, 10}},
    {&ChannelRecord::mode,             {21, 1, 16}},
    {&ChannelRecord::ctcssType,        {23, 1, 10}},
    {&ChannelRecord::operation,        {26, 1, 10}},
    {&ChannelRecord::tagEnabled,       {27, 1, 10}},
};
constexpr std::size_t kChannelTagOffset = 28;

constexpr RecordField<DimmerRecord> kDimmerFields[] = {
    {&DimmerRecord::first,  {2, 2, 10}},
    {&DimmerRecord::second, {4, 2, 10}},
    {&DimmerRecord::third,  {6, 2, 10}},
    {&DimmerRecord::fourth, {8, 2, 10}},
};

constexpr RecordField<KeyerMemoryRecord> kKeyerFields[] = {
    {&KeyerMemoryRecord::slot, {2, 1, 10}},
};
constexpr std::size_t kKeyerTextOffset = 3;
// clang-format on

template <typename Row, std::size_t N>
constexpr std::size_t IndexOf(const Row (&table)[N], std::string_view parser) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].parser == parser) {
            return i;
        }
    }
    return N;
}

IntPair Read(const std::string& answer, const PairAnswer& row) {
    IntPair pair;
    if (row.secondReadFirst) {
        pair.second = Read(answer, row.second);
        pair.first = Read(answer, row.first);
    } else {
        pair.first = Read(answer, row.first);
        pair.second = Read(answer, row.second);
    }
    return pair;
}

template <typename Record, std::size_t N>
void ReadFields(const std::string& answer, Record& record, const RecordField<Record> (&fields)[N]) {
    for (const auto& row : fields) {
        record.*row.member = Read(answer, row.field);
    }
}

// The text from `offset` up to, not including, the answer's last character (its ";").
// An answer that ends at or before the offset gives an empty text.
std::string TextToLast(const std::string& answer, std::size_t offset) {
    const std::size_t size = answer.size();
    return ReadText(answer, offset, size > offset ? size - offset - 1 : 0);
}

} // namespace

// Each named parser is its table row; a name missing from its table does not compile.
#define CORVANE_ROW(table, name)                                                                             \
    constexpr std::size_t row = IndexOf(table, #name);                                                       \
    static_assert(row < std::size(table), #name " has no row in " #table)
#define CORVANE_VALUE(name)                                                                                  \
    int name(const std::string& answer) {                                                                    \
        CORVANE_ROW(kValueAnswers, name);                                                                    \
        return Read(answer, kValueAnswers[row].value);                                                       \
    }
#define CORVANE_PAIR(name)                                                                                   \
    IntPair name(const std::string& answer) {                                                                \
        CORVANE_ROW(kPairAnswers, name);                                                                     \
        return Read(answer, kPairAnswers[row]);                                                              \
    }

// clang-format off
CORVANE_VALUE(ParseAC) CORVANE_VALUE(ParseAG) CORVANE_VALUE(ParseAI) CORVANE_VALUE(ParseBC)
CORVANE_VALUE(ParseBI) CORVANE_VALUE(ParseBY) CORVANE_VALUE(ParseCF) CORVANE_VALUE(ParseCS)
CORVANE_VALUE(ParseCT) CORVANE_VALUE(ParseFA) CORVANE_VALUE(ParseFB) CORVANE_VALUE(ParseFS)
CORVANE_VALUE(ParseGT) CORVANE_VALUE(ParseID) CORVANE_VALUE(ParseKP) CORVANE_VALUE(ParseKR)
CORVANE_VALUE(ParseKS) CORVANE_VALUE(ParseLK) CORVANE_VALUE(ParseMD) CORVANE_VALUE(ParseMG)
CORVANE_VALUE(ParseMS) CORVANE_VALUE(ParseMX) CORVANE_VALUE(ParseNA) CORVANE_VALUE(ParseNB)
CORVANE_VALUE(ParseNL) CORVANE_VALUE(ParseNR) CORVANE_VALUE(ParseOS) CORVANE_VALUE(ParsePA)
CORVANE_VALUE(ParsePC) CORVANE_VALUE(ParsePL) CORVANE_VALUE(ParsePS) CORVANE_VALUE(ParseRA)
CORVANE_VALUE(ParseRG) CORVANE_VALUE(ParseRL) CORVANE_VALUE(ParseRS) CORVANE_VALUE(ParseSC)
CORVANE_VALUE(ParseSD) CORVANE_VALUE(ParseSM) CORVANE_VALUE(ParseSQ) CORVANE_VALUE(ParseST)
CORVANE_VALUE(ParseTX) CORVANE_VALUE(ParseUL) CORVANE_VALUE(ParseVD) CORVANE_VALUE(ParseVG)
CORVANE_VALUE(ParseVX)

CORVANE_PAIR(ParseBP) CORVANE_PAIR(ParseCN) CORVANE_PAIR(ParseCO) CORVANE_PAIR(ParseIS)
CORVANE_PAIR(ParseML) CORVANE_PAIR(ParsePR) CORVANE_PAIR(ParseRI) CORVANE_PAIR(ParseRM)
CORVANE_PAIR(ParseSH)
// clang-format on

#undef CORVANE_PAIR
#undef CORVANE_VALUE
#undef CORVANE_ROW

InformationRecord ParseIF(const std::string& answer) {
    InformationRecord record;
    record.channel = ReadChannelField(answer);
    ReadFields(answer, record, kInformationFields);
    return record;
}

InformationRecord ParseOI(const std::string& answer) {
    return ParseIF(answer);
}

ChannelRecord ParseMT(const std::string& answer) {
    ChannelRecord record;
    record.channel = ReadChannelField(answer);
    ReadFields(answer, record, kChannelFields);
    record.tagName = TextToLast(answer, kChannelTagOffset); // trailing blanks of the tag stay
    return record;
}

DimmerRecord ParseDA(const std::string& answer) {
    DimmerRecord record;
    ReadFields(answer, record, kDimmerFields);
    return record;
}

KeyerMemoryRecord ParseKM(const std::string& answer) {
    KeyerMemoryRecord record;
    ReadFields(answer, record, kKeyerFields);
    record.text = TextToLast(answer, kKeyerTextOffset);
    return record;
}

} // namespace Yaesu::Commands::FT891
