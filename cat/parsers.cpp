#include "cat/parsers.h"

#include "cat/field.h"

namespace Yaesu::Commands::FT891 {

namespace {

inline int Field(const std::string& answer, std::size_t offset, std::size_t width, int base = 10) {
    return ReadField(answer, offset, width, base);
}

// Characters from `offset` up to, not including, the last character of the answer (its
// ";"), with the offset check of ReadField. When the answer ends at or before the offset
// the text is empty.
std::string TextToLast(const std::string& answer, std::size_t offset) {
    const std::size_t size = answer.size();
    return ReadText(answer, offset, size > offset ? size - offset - 1 : 0);
}

} // namespace

// ---- Single-value parsers --------------------------------------------------------------
int ParseAC(const std::string& a) {
    return Field(a, 4, 1);
}
int ParseAG(const std::string& a) {
    return Field(a, 3, 3);
}
int ParseAI(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseBC(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseBI(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseBY(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseCF(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseCS(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseCT(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseFA(const std::string& a) {
    return Field(a, 2, 9);
}
int ParseFB(const std::string& a) {
    return Field(a, 2, 9);
}
int ParseFS(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseGT(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseID(const std::string& a) {
    return Field(a, 2, 4);
}
int ParseKP(const std::string& a) {
    return Field(a, 2, 2);
}
int ParseKR(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseKS(const std::string& a) {
    return Field(a, 2, 3);
}
int ParseLK(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseMD(const std::string& a) {
    return Field(a, 3, 1, 16);
}
int ParseMG(const std::string& a) {
    return Field(a, 2, 3);
}
int ParseMS(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseMX(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseNA(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseNB(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseNL(const std::string& a) {
    return Field(a, 3, 3);
}
int ParseNR(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseOS(const std::string& a) {
    return Field(a, 3, 1);
}
int ParsePA(const std::string& a) {
    return Field(a, 3, 1);
}
int ParsePC(const std::string& a) {
    return Field(a, 2, 3);
}
int ParsePL(const std::string& a) {
    return Field(a, 2, 3);
}
int ParsePS(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseRA(const std::string& a) {
    return Field(a, 3, 1);
}
int ParseRG(const std::string& a) {
    return Field(a, 3, 3);
}
int ParseRL(const std::string& a) {
    return Field(a, 3, 2);
}
int ParseRS(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseSC(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseSD(const std::string& a) {
    return Field(a, 2, 4);
}
int ParseSM(const std::string& a) {
    return Field(a, 3, 3);
}
int ParseSQ(const std::string& a) {
    return Field(a, 3, 3);
}
int ParseST(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseTX(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseUL(const std::string& a) {
    return Field(a, 2, 1);
}
int ParseVD(const std::string& a) {
    return Field(a, 2, 4);
}
int ParseVG(const std::string& a) {
    return Field(a, 2, 3);
}
int ParseVX(const std::string& a) {
    return Field(a, 2, 1);
}

// ---- Two-value parsers -----------------------------------------------------------------
namespace {
inline IntPair Pair(const std::string& a, std::size_t o1, std::size_t w1, int b1, std::size_t o2,
                    std::size_t w2) {
    IntPair result;
    result.first = Field(a, o1, w1, b1); // first is read first
    result.second = Field(a, o2, w2);
    return result;
}
} // namespace

IntPair ParseBP(const std::string& a) {
    return Pair(a, 3, 1, 10, 4, 3);
}
IntPair ParseCN(const std::string& a) {
    return Pair(a, 3, 1, 10, 4, 3);
}
IntPair ParseCO(const std::string& a) {
    return Pair(a, 3, 1, 10, 4, 4);
}
IntPair ParseML(const std::string& a) {
    return Pair(a, 2, 1, 10, 3, 3);
}
IntPair ParsePR(const std::string& a) {
    return Pair(a, 2, 1, 10, 3, 1);
}
IntPair ParseRI(const std::string& a) {
    return Pair(a, 2, 1, 16, 3, 1);
}
IntPair ParseRM(const std::string& a) {
    return Pair(a, 2, 1, 10, 3, 3);
}
IntPair ParseSH(const std::string& a) {
    return Pair(a, 3, 1, 10, 4, 2);
}

IntPair ParseIS(const std::string& a) {
    // The shift field (offset 4) is read before the on/off field (offset 3).
    IntPair result;
    result.second = Field(a, 4, 5);
    result.first = Field(a, 3, 1);
    return result;
}

// ---- Record parsers --------------------------------------------------------------------
InformationRecord ParseIF(const std::string& a) {
    InformationRecord r;
    r.channel = ReadChannelField(a);
    r.frequency = Field(a, 5, 9);
    r.clarifierValue = Field(a, 14, 5);
    r.clarifierEnabled = Field(a, 19, 1);
    r.mode = Field(a, 21, 1, 16);
    r.vfoMemory = Field(a, 22, 1);
    r.ctcssType = Field(a, 23, 1);
    r.operation = Field(a, 26, 1);
    return r;
}

InformationRecord ParseOI(const std::string& a) {
    return ParseIF(a);
}

ChannelRecord ParseMT(const std::string& a) {
    ChannelRecord r;
    r.channel = ReadChannelField(a);
    r.frequency = Field(a, 5, 9);
    r.clarifierValue = Field(a, 14, 5);
    r.clarifierEnabled = Field(a, 19, 1);
    r.mode = Field(a, 21, 1, 16);
    r.ctcssType = Field(a, 23, 1);
    r.operation = Field(a, 26, 1);
    r.tagEnabled = Field(a, 27, 1);
    r.tagName = TextToLast(a, 28);
    return r;
}

DimmerRecord ParseDA(const std::string& a) {
    DimmerRecord r;
    r.first = Field(a, 2, 2);
    r.second = Field(a, 4, 2);
    r.third = Field(a, 6, 2);
    r.fourth = Field(a, 8, 2);
    return r;
}

KeyerMemoryRecord ParseKM(const std::string& a) {
    KeyerMemoryRecord r;
    r.slot = Field(a, 2, 1);
    r.text = TextToLast(a, 3);
    return r;
}

} // namespace Yaesu::Commands::FT891
