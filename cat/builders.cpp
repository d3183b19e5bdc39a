#include "cat/builders.h"

#include <algorithm>
#include <string_view>

#include <fmt/compile.h>
#include <fmt/format.h>

namespace Yaesu::Commands::FT891 {

namespace {

constexpr int Clamp(int value, int low, int high) noexcept {
    return std::clamp(value, low, high);
}

} // namespace

#define CORVANE_FMT(spec, ...) fmt::format(FMT_COMPILE(spec), __VA_ARGS__)

// ---- Set builders with values --------------------------------------------------------
std::string SetAC(int value) {
    return CORVANE_FMT("AC00{:01d};", value);
}
std::string SetAG(int value) {
    return CORVANE_FMT("AG0{:03};", Clamp(value, 0, 255));
}
std::string SetAI(int value) {
    return CORVANE_FMT("AI{};", value);
}
std::string SetBC(int value) {
    return CORVANE_FMT("BC0{:d};", value);
}
std::string SetBI(int value) {
    return CORVANE_FMT("BI{:01d};", value);
}
std::string SetBP(const IntPair& value) {
    return CORVANE_FMT("BP0{:d}{:0>3};", value.first, value.second);
}
std::string SetBS(int band) {
    return CORVANE_FMT("BS{:0>2};", band);
}
std::string SetCF(int value) {
    return CORVANE_FMT("CF0{:d}0;", value);
}
std::string SetCH(int value) {
    return CORVANE_FMT("CH{:d};", value);
}
std::string SetCN(const IntPair& value) {
    return CORVANE_FMT("CN0{:d}{:0>3};", value.first, value.second);
}
std::string SetCO(const IntPair& value) {
    return CORVANE_FMT("CO0{:d}{:04};", value.first, value.second);
}
std::string SetCS(int value) {
    return CORVANE_FMT("CS{:d};", value);
}
std::string SetCT(int value) {
    return CORVANE_FMT("CT0{:d};", value);
}
std::string SetFA(int hz) {
    return CORVANE_FMT("FA{:09};", Clamp(hz, 30000, 56000000));
}
std::string SetFB(int hz) {
    return CORVANE_FMT("FB{:09};", Clamp(hz, 30000, 56000000));
}
std::string SetFS(int value) {
    return CORVANE_FMT("FS{:d};", value);
}
std::string SetGT(int value) {
    return CORVANE_FMT("GT{:02};", value);
}

std::string SetIS(int on, int shift) {
    // At most 1200, then truncated toward zero to a multiple of 20; no lower limit.
    shift = std::min(shift, 1200);
    shift = shift / 20 * 20;
    return CORVANE_FMT("IS0{:01}{:+05d};", on, shift);
}

std::string SetKM(const KeyerMemoryRecord& memory) {
    return CORVANE_FMT("KM{:d}{};", memory.slot, std::string_view(memory.text).substr(0, 50));
}

std::string SetKR(int value) {
    return CORVANE_FMT("KR{};", value);
}
std::string SetKS(int wpm) {
    return CORVANE_FMT("KS{:03};", wpm);
}
std::string SetKY(int message) {
    return CORVANE_FMT("KY{:0X};", message);
}
std::string SetLK(int value) {
    return CORVANE_FMT("LK{:d};", value);
}
std::string SetLM(int slot) {
    return CORVANE_FMT("LM0{:d};", slot);
}
std::string SetMD(int mode) {
    return CORVANE_FMT("MD0{:0X};", mode);
}
std::string SetMG(int value) {
    return CORVANE_FMT("MG{:03};", Clamp(value, 0, 100));
}
std::string SetML(const IntPair& value) {
    return CORVANE_FMT("ML{:01d}{:03d};", value.first, Clamp(value.second, 0, 100));
}
std::string SetMS(int meter) {
    return CORVANE_FMT("MS{:d};", meter);
}

std::string SetMT(const ChannelRecord& channel) {
    // Tag: a 12-character field of blanks, the tag copied in from the left (cut to 12).
    char tag[12];
    std::fill(std::begin(tag), std::end(tag), ' ');
    std::copy_n(channel.tagName.data(), std::min<std::size_t>(channel.tagName.size(), 12), tag);
    // 501-504, 506 and 600 get the same
    // channel field as ReadMT ("MT501", "MTEMG") instead of none, so the command is well-formed.
    return CORVANE_FMT("{}{:09}{:+05}{:01}0{:0X}0{:01}00{:01}{:01}{};", ChannelField(channel.channel),
                       channel.frequency, channel.clarifierValue, channel.clarifierEnabled, channel.mode,
                       channel.ctcssType, channel.operation, channel.tagEnabled, std::string_view(tag, 12));
}

std::string SetMX(int value) {
    return CORVANE_FMT("MX{:d};", value);
}
std::string SetNA(int value) {
    return CORVANE_FMT("NA0{:d};", value);
}
std::string SetNB(int value) {
    return CORVANE_FMT("NB0{:d};", value);
}
std::string SetNL(int value) {
    return CORVANE_FMT("NL0{:03};", Clamp(value, 0, 10));
}
std::string SetNR(int value) {
    return CORVANE_FMT("NR0{:d};", value);
}
std::string SetOS(int value) {
    return CORVANE_FMT("OS0{:d};", value);
}
std::string SetPA(int value) {
    return CORVANE_FMT("PA0{:d};", value);
}
std::string SetPB(int slot) {
    return CORVANE_FMT("PB0{:d};", slot);
}
std::string SetPR(const IntPair& value) {
    return CORVANE_FMT("PR{:01}{:01};", value.first, value.second);
}
std::string SetPS(int value) {
    return CORVANE_FMT("PS{:d};", value);
}
std::string SetRA(int value) {
    return CORVANE_FMT("RA0{:d};", value);
}
std::string SetRD(int hz) {
    return CORVANE_FMT("RD{:04};", Clamp(hz, 0, 9999));
}
std::string SetRG(int value) {
    return CORVANE_FMT("RG0{:03};", Clamp(value, 0, 30));
}
std::string SetRL(int value) {
    return CORVANE_FMT("RL0{:02};", Clamp(value, 1, 15));
}
std::string SetRU(int hz) {
    return CORVANE_FMT("RU{:04d};", hz);
}
std::string SetSC(int value) {
    return CORVANE_FMT("SC{:d};", value);
}
std::string SetSH(const IntPair& value) {
    return CORVANE_FMT("SH0{:01d}{:02d};", value.first, Clamp(value.second, 0, 21));
}
std::string SetSQ(int value) {
    return CORVANE_FMT("SQ0{:03};", Clamp(value, 0, 100));
}
std::string SetST(int value) {
    return CORVANE_FMT("ST{:d};", value);
}
std::string SetTS(int value) {
    return CORVANE_FMT("TS{:d};", value);
}
std::string SetVD(int ms) {
    return CORVANE_FMT("VD{:04};", Clamp(ms, 30, 3000));
}
std::string SetVG(int value) {
    return CORVANE_FMT("VG{:03};", Clamp(value, 0, 100));
}
std::string SetVX(int value) {
    return CORVANE_FMT("VX{:d};", value);
}

// ---- Set builders without values -----------------------------------------------------
std::string SetAB() {
    return "AB;";
}
std::string SetAM() {
    return "AM;";
}
std::string SetBA() {
    return "BA;";
}
std::string SetRC() {
    return "RC;";
}
std::string SetSV() {
    return "SV;";
}
std::string SetVM() {
    return "VM;";
}
std::string SetZI() {
    return "ZI;";
}

// ---- Read builders -------------------------------------------------------------------
std::string ReadAC() {
    return "AC;";
}
std::string ReadAG() {
    return "AG0;";
}
std::string ReadAI() {
    return "AI;";
}
std::string ReadBC() {
    return "BC0;";
}
std::string ReadBI() {
    return "BI;";
}
std::string ReadBY() {
    return "BY;";
}
std::string ReadCF() {
    return "CF0;";
}
std::string ReadCS() {
    return "CS;";
}
std::string ReadCT() {
    return "CT0;";
}
std::string ReadDA() {
    return "DA;";
}
std::string ReadFA() {
    return "FA;";
}
std::string ReadFB() {
    return "FB;";
}
std::string ReadFS() {
    return "FS;";
}
std::string ReadGT() {
    return "GT0;";
}
std::string ReadID() {
    return "ID;";
}
std::string ReadIF() {
    return "IF;";
}
std::string ReadIS() {
    return "IS0;";
}
std::string ReadKP() {
    return "KP;";
}
std::string ReadKR() {
    return "KR;";
}
std::string ReadKS() {
    return "KS;";
}
std::string ReadLK() {
    return "LK;";
}
std::string ReadMD() {
    return "MD0;";
}
std::string ReadMG() {
    return "MG;";
}
std::string ReadMS() {
    return "MS;";
}
std::string ReadMX() {
    return "MX;";
}
std::string ReadNA() {
    return "NA0;";
}
std::string ReadNB() {
    return "NB0;";
}
std::string ReadNL() {
    return "NL0;";
}
std::string ReadNR() {
    return "NR0;";
}
std::string ReadOI() {
    return "OI;";
}
std::string ReadOS() {
    return "OS0;";
}
std::string ReadPA() {
    return "PA0;";
}
std::string ReadPC() {
    return "PC;";
}
std::string ReadPL() {
    return "PL;";
}
std::string ReadPS() {
    return "PS;";
}
std::string ReadRA() {
    return "RA0;";
}
std::string ReadRG() {
    return "RG0;";
}
std::string ReadRL() {
    return "RL0;";
}
std::string ReadSC() {
    return "SC;";
}
std::string ReadSD() {
    return "SD;";
}
std::string ReadSH() {
    return "SH0;";
}
std::string ReadSQ() {
    return "SQ0;";
}
std::string ReadST() {
    return "ST;";
}
std::string ReadVD() {
    return "VD;";
}
std::string ReadVG() {
    return "VG;";
}
std::string ReadVX() {
    return "VX;";
}

std::string ReadBP(int selector) {
    return CORVANE_FMT("BP0{:d};", selector);
}
std::string ReadCN(int selector) {
    return CORVANE_FMT("CN0{:01d};", selector);
}
std::string ReadCO(int selector) {
    return CORVANE_FMT("CO0{:d};", selector);
}
std::string ReadKM(int slot) {
    return CORVANE_FMT("KM{:d};", slot);
}
std::string ReadML(int selector) {
    return CORVANE_FMT("ML{:d};", selector);
}
std::string ReadPR(int selector) {
    return CORVANE_FMT("PR{:01};", selector);
}

std::string ChannelField(int channel) {
    if (channel >= 100 && channel <= 117) {
        const int index = channel - 100;
        const char text[] = {'M', 'T', 'P', static_cast<char>('1' + index / 2), index % 2 ? 'U' : 'L'};
        return std::string(text, sizeof text);
    }
    if (channel == 600) {
        return "MTEMG";
    }
    return CORVANE_FMT("MT{:03}", channel);
}

std::string ReadMT(int channel) {
    std::string command = ChannelField(channel);
    command += ';';
    return command;
}

#undef CORVANE_FMT

} // namespace Yaesu::Commands::FT891
