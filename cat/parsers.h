// Answer parsers. Each parser takes one complete answer (mnemonic to ";"),
// does not look at the mnemonic, reads fixed-offset fields with ReadField (cat/field.h) and
// throws only std::out_of_range / std::invalid_argument with the messages of cat/field.h.
#pragma once

#include <string>

#include "cat/types.h"

namespace Yaesu::Commands::FT891 {

// ---- Single-value parsers (offset, width[, base 16]) -------------------------------
int ParseAC(const std::string& answer); // 4, 1
int ParseAG(const std::string& answer); // 3, 3
int ParseAI(const std::string& answer); // 2, 1
int ParseBC(const std::string& answer); // 3, 1
int ParseBI(const std::string& answer); // 2, 1
int ParseBY(const std::string& answer); // 2, 1
int ParseCF(const std::string& answer); // 3, 1
int ParseCS(const std::string& answer); // 2, 1
int ParseCT(const std::string& answer); // 3, 1
int ParseFA(const std::string& answer); // 2, 9
int ParseFB(const std::string& answer); // 2, 9
int ParseFS(const std::string& answer); // 2, 1
int ParseGT(const std::string& answer); // 3, 1
int ParseID(const std::string& answer); // 2, 4
int ParseKP(const std::string& answer); // 2, 2
int ParseKR(const std::string& answer); // 2, 1
int ParseKS(const std::string& answer); // 2, 3
int ParseLK(const std::string& answer); // 2, 1
int ParseMD(const std::string& answer); // 3, 1, base 16
int ParseMG(const std::string& answer); // 2, 3
int ParseMS(const std::string& answer); // 2, 1
int ParseMX(const std::string& answer); // 2, 1
int ParseNA(const std::string& answer); // 3, 1
int ParseNB(const std::string& answer); // 3, 1
int ParseNL(const std::string& answer); // 3, 3
int ParseNR(const std::string& answer); // 3, 1
int ParseOS(const std::string& answer); // 3, 1
int ParsePA(const std::string& answer); // 3, 1
int ParsePC(const std::string& answer); // 2, 3
int ParsePL(const std::string& answer); // 2, 3
int ParsePS(const std::string& answer); // 2, 1
int ParseRA(const std::string& answer); // 3, 1
int ParseRG(const std::string& answer); // 3, 3
int ParseRL(const std::string& answer); // 3, 2
int ParseRS(const std::string& answer); // 2, 1
int ParseSC(const std::string& answer); // 2, 1
int ParseSD(const std::string& answer); // 2, 4
int ParseSM(const std::string& answer); // 3, 3
int ParseSQ(const std::string& answer); // 3, 3
int ParseST(const std::string& answer); // 2, 1
int ParseTX(const std::string& answer); // 2, 1
int ParseUL(const std::string& answer); // 2, 1
int ParseVD(const std::string& answer); // 2, 4
int ParseVG(const std::string& answer); // 2, 3
int ParseVX(const std::string& answer); // 2, 1

// ---- Two-value parsers: first is read before second, except ParseIS -----------------
IntPair ParseBP(const std::string& answer); // (3,1) (4,3)
IntPair ParseCN(const std::string& answer); // (3,1) (4,3)
IntPair ParseCO(const std::string& answer); // (3,1) (4,4)
IntPair ParseIS(const std::string& answer); // (3,1) on/off, (4,5) signed shift; shift read first
IntPair ParseML(const std::string& answer); // (2,1) (3,3)
IntPair ParsePR(const std::string& answer); // (2,1) (3,1)
IntPair ParseRI(const std::string& answer); // (2,1,16) (3,1)
IntPair ParseRM(const std::string& answer); // (2,1) (3,3); also used on SM answers
IntPair ParseSH(const std::string& answer); // (3,1) (4,2)

// ---- Record parsers ----------------------------------------------------------------
InformationRecord ParseIF(const std::string& answer);
InformationRecord ParseOI(const std::string& answer); // same as ParseIF
ChannelRecord ParseMT(const std::string& answer);
DimmerRecord ParseDA(const std::string& answer);
KeyerMemoryRecord ParseKM(const std::string& answer);

} // namespace Yaesu::Commands::FT891
