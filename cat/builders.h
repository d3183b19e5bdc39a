// Control command builders. Every builder returns the complete command, ";" included, and
// never throws: out-of-range values are clamped where noted, otherwise formatted unchanged.
#pragma once

#include <string>

#include "cat/types.h"

namespace Yaesu::Commands::FT891 {

// ---- Set builders with values ------------------------------------------------------
std::string SetAC(int value);                       // "AC00{:01d};"
std::string SetAG(int value);                       // "AG0{:03};"  clamp 0-255
std::string SetAI(int value);                       // "AI{};"
std::string SetBC(int value);                       // "BC0{:d};"
std::string SetBI(int value);                       // "BI{:01d};"
std::string SetBP(const IntPair& value);            // "BP0{:d}{:0>3};"  first selector, second value
std::string SetBS(int band);                        // "BS{:0>2};"
std::string SetCF(int value);                       // "CF0{:d}0;"
std::string SetCH(int value);                       // "CH{:d};"
std::string SetCN(const IntPair& value);            // "CN0{:d}{:0>3};"
std::string SetCO(const IntPair& value);            // "CO0{:d}{:04};"
std::string SetCS(int value);                       // "CS{:d};"
std::string SetCT(int value);                       // "CT0{:d};"
std::string SetFA(int hz);                          // "FA{:09};"  clamp 30000-56000000
std::string SetFB(int hz);                          // "FB{:09};"  clamp 30000-56000000
std::string SetFS(int value);                       // "FS{:d};"
std::string SetGT(int value);                       // "GT{:02};"
std::string SetIS(int on, int shift);               // "IS0{:01}{:+05d};"  shift: at most 1200, then
                                                    //  truncated toward zero to a multiple of 20
std::string SetKM(const KeyerMemoryRecord& memory); // "KM{:d}{};"  text cut to 50 chars
std::string SetKR(int value);                       // "KR{};"
std::string SetKS(int wpm);                         // "KS{:03};"
std::string SetKY(int message);                     // "KY{:0X};"
std::string SetLK(int value);                       // "LK{:d};"
std::string SetLM(int slot);                        // "LM0{:d};"
std::string SetMD(int mode);                        // "MD0{:0X};"
std::string SetMG(int value);                       // "MG{:03};"  clamp 0-100
std::string SetML(const IntPair& value);            // "ML{:01d}{:03d};"  second clamp 0-100
std::string SetMS(int meter);                       // "MS{:d};"
std::string SetMT(const ChannelRecord& channel);    // channel field as ReadMT, then the fields
std::string SetMX(int value);                       // "MX{:d};"
std::string SetNA(int value);                       // "NA0{:d};"
std::string SetNB(int value);                       // "NB0{:d};"
std::string SetNL(int value);                       // "NL0{:03};"  clamp 0-10
std::string SetNR(int value);                       // "NR0{:d};"
std::string SetOS(int value);                       // "OS0{:d};"
std::string SetPA(int value);                       // "PA0{:d};"
std::string SetPB(int slot);                        // "PB0{:d};"
std::string SetPR(const IntPair& value);            // "PR{:01}{:01};"
std::string SetPS(int value);                       // "PS{:d};"
std::string SetRA(int value);                       // "RA0{:d};"
std::string SetRD(int hz);                          // "RD{:04};"  clamp 0-9999
std::string SetRG(int value);                       // "RG0{:03};"  clamp 0-30
std::string SetRL(int value);                       // "RL0{:02};"  clamp 1-15
std::string SetRU(int hz);                          // "RU{:04d};"  no clamp
std::string SetSC(int value);                       // "SC{:d};"
std::string SetSH(const IntPair& value);            // "SH0{:01d}{:02d};"  second clamp 0-21
std::string SetSQ(int value);                       // "SQ0{:03};"  clamp 0-100
std::string SetST(int value);                       // "ST{:d};"
std::string SetTS(int value);                       // "TS{:d};"
std::string SetVD(int ms);                          // "VD{:04};"  clamp 30-3000
std::string SetVG(int value);                       // "VG{:03};"  clamp 0-100
std::string SetVX(int value);                       // "VX{:d};"

// ---- Set builders without values ---------------------------------------------------
std::string SetAB(); // "AB;"
std::string SetAM(); // "AM;"
std::string SetBA(); // "BA;"
std::string SetRC(); // "RC;"
std::string SetSV(); // "SV;"
std::string SetVM(); // "VM;"
std::string SetZI(); // "ZI;"

// ---- Read builders -----------------------------------------------------------------
std::string ReadAC(); // "AC;"
std::string ReadAG(); // "AG0;"
std::string ReadAI(); // "AI;"
std::string ReadBC(); // "BC0;"
std::string ReadBI(); // "BI;"
std::string ReadBY(); // "BY;"
std::string ReadCF(); // "CF0;"
std::string ReadCS(); // "CS;"
std::string ReadCT(); // "CT0;"
std::string ReadDA(); // "DA;"
std::string ReadFA(); // "FA;"
std::string ReadFB(); // "FB;"
std::string ReadFS(); // "FS;"
std::string ReadGT(); // "GT0;"
std::string ReadID(); // "ID;"
std::string ReadIF(); // "IF;"
std::string ReadIS(); // "IS0;"
std::string ReadKP(); // "KP;"
std::string ReadKR(); // "KR;"
std::string ReadKS(); // "KS;"
std::string ReadLK(); // "LK;"
std::string ReadMD(); // "MD0;"
std::string ReadMG(); // "MG;"
std::string ReadMS(); // "MS;"
std::string ReadMX(); // "MX;"
std::string ReadNA(); // "NA0;"
std::string ReadNB(); // "NB0;"
std::string ReadNL(); // "NL0;"
std::string ReadNR(); // "NR0;"
std::string ReadOI(); // "OI;"
std::string ReadOS(); // "OS0;"
std::string ReadPA(); // "PA0;"
std::string ReadPC(); // "PC;"
std::string ReadPL(); // "PL;"
std::string ReadPS(); // "PS;"
std::string ReadRA(); // "RA0;"
std::string ReadRG(); // "RG0;"
std::string ReadRL(); // "RL0;"
std::string ReadSC(); // "SC;"
std::string ReadSD(); // "SD;"
std::string ReadSH(); // "SH0;"
std::string ReadSM(); // "SM0;"
std::string ReadSQ(); // "SQ0;"
std::string ReadST(); // "ST;"
std::string ReadVD(); // "VD;"
std::string ReadVG(); // "VG;"
std::string ReadVX(); // "VX;"

// Read builders with a selector.
std::string ReadBP(int selector); // "BP0{:d};"
std::string ReadCN(int selector); // "CN0{:01d};"
std::string ReadCO(int selector); // "CO0{:d};"
std::string ReadKM(int slot);     // "KM{:d};"
std::string ReadML(int selector); // "ML{:d};"
std::string ReadPR(int selector); // "PR{:01};"
std::string ReadRM(int meter);    // "RM{:d};"
// 100-117 -> "MTP1L;" ... "MTP9U;"; 600 -> "MTEMG;"; anything else "MT{:03};".
std::string ReadMT(int channel);

// The channel field shared by ReadMT and SetMT, without ";": "MT007", "MTP3U", "MTEMG".
std::string ChannelField(int channel);

} // namespace Yaesu::Commands::FT891
