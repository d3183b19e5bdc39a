#include "sim/value_commands.h"

#include <cstring>
#include <iterator>

#include <fmt/format.h>

#include "cat/builders.h"
#include "cat/field.h"
#include "cat/parsers.h"

namespace Sim {

namespace {

namespace FT891 = Yaesu::Commands::FT891;

// Adapters that let the command set's one-value builders and parsers fill a row.
template <std::string (*Set)(int)> std::string answerOf(const IntPair& value) {
    return Set(value.second);
}
template <int (*Parse)(const std::string&)> IntPair valueOf(const std::string& command) {
    return {0, Parse(command)};
}
std::string answerIS(const IntPair& value) {
    return FT891::SetIS(value.first, value.second);
}

// Settings the program never sets have no builder; their answers are laid out here, with
// {0} the selector and {1} the value.
template <const char* Layout> std::string laidOut(const IntPair& value) {
    return fmt::format(fmt::runtime(Layout), value.first, value.second);
}
template <std::size_t Offset, std::size_t Width> IntPair fieldAt(const std::string& command) {
    return {0, FT891::ReadField(command, Offset, Width)};
}

constexpr char kBusy[] = "BY{1:d};";
constexpr char kIdentification[] = "ID{1:04};";
constexpr char kKeyPitch[] = "KP{1:02};";
constexpr char kPowerControl[] = "PC{1:03};";
constexpr char kProcessorLevel[] = "PL{1:03};";
constexpr char kMeter[] = "RM{0:d}{1:03};";
constexpr char kRadioStatus[] = "RS{1:d};";
constexpr char kBreakInDelay[] = "SD{1:04};";
constexpr char kSMeter[] = "SM0{1:03};";
constexpr char kTransmit[] = "TX{1:d};";
constexpr char kUnlock[] = "UL{1:d};";

constexpr Access RW = Access::ReadSet;
constexpr Access RO = Access::ReadOnly;
constexpr Availability All = Availability::AllModes;
constexpr Availability NoAmFm = Availability::NotInAmFm;
constexpr Report Rep = Report::Reported;

// clang-format off
constexpr ValueCommand kValueCommands[] = {
    // read     set prefix  answer                         parse                          access first    second              initial         availability report
    {"AC;",     "AC00",     answerOf<FT891::SetAC>,        valueOf<FT891::ParseAC>,       RW, {0, 0}, {0, 2},             {0, 0},         All,    Rep},
    {"AG0;",    "AG0",      answerOf<FT891::SetAG>,        valueOf<FT891::ParseAG>,       RW, {0, 0}, {0, 255},           {0, 60},        All,    Rep},
    {"AI;",     "AI",       answerOf<FT891::SetAI>,        valueOf<FT891::ParseAI>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Report::Silent},
    {"BC0;",    "BC0",      answerOf<FT891::SetBC>,        valueOf<FT891::ParseBC>,       RW, {0, 0}, {0, 1},             {0, 0},         NoAmFm, Rep},
    {"BI;",     "BI",       answerOf<FT891::SetBI>,        valueOf<FT891::ParseBI>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"BP00;",   "BP00",     FT891::SetBP,                  FT891::ParseBP,                RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"BP01;",   "BP01",     FT891::SetBP,                  FT891::ParseBP,                RW, {1, 1}, {1, 320},           {1, 100},       All,    Rep},
    {"BY;",     nullptr,    laidOut<kBusy>,                valueOf<FT891::ParseBY>,       RO, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"CF0;",    "CF0",      answerOf<FT891::SetCF>,        valueOf<FT891::ParseCF>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"CN00;",   "CN00",     FT891::SetCN,                  FT891::ParseCN,                RW, {0, 0}, {0, 49},            {0, 12},        All,    Rep},
    {"CN01;",   "CN01",     FT891::SetCN,                  FT891::ParseCN,                RW, {1, 1}, {0, 103},           {1, 0},         All,    Rep},
    {"CO00;",   "CO00",     FT891::SetCO,                  FT891::ParseCO,                RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"CO01;",   "CO01",     FT891::SetCO,                  FT891::ParseCO,                RW, {1, 1}, {10, 3200},         {1, 1600},      All,    Rep},
    {"CO02;",   "CO02",     FT891::SetCO,                  FT891::ParseCO,                RW, {2, 2}, {0, 1},             {2, 0},         All,    Rep},
    {"CO03;",   "CO03",     FT891::SetCO,                  FT891::ParseCO,                RW, {3, 3}, {0, 50},            {3, 25},        All,    Rep},
    {"CS;",     "CS",       answerOf<FT891::SetCS>,        valueOf<FT891::ParseCS>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"CT0;",    "CT0",      answerOf<FT891::SetCT>,        valueOf<FT891::ParseCT>,       RW, {0, 0}, {0, 3},             {0, 0},         All,    Rep},
    {"FA;",     "FA",       answerOf<FT891::SetFA>,        valueOf<FT891::ParseFA>,       RW, {0, 0}, {30000, 56000000},  {0, 14074000},  All,    Rep},
    {"FB;",     "FB",       answerOf<FT891::SetFB>,        valueOf<FT891::ParseFB>,       RW, {0, 0}, {30000, 56000000},  {0, 7074000},   All,    Rep},
    {"FS;",     "FS",       answerOf<FT891::SetFS>,        valueOf<FT891::ParseFS>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"GT0;",    "GT",       answerOf<FT891::SetGT>,        valueOf<FT891::ParseGT>,       RW, {0, 0}, {0, 6},             {0, 4},         All,    Rep},
    {"ID;",     nullptr,    laidOut<kIdentification>,      valueOf<FT891::ParseID>,       RO, {0, 0}, {0, 9999},          {0, 650},       All,    Rep},
    {"IS0;",    "IS0",      answerIS,                      FT891::ParseIS,                RW, {0, 1}, {-1200, 1200},      {0, 0},         All,    Rep},
    {"KP;",     "KP",       laidOut<kKeyPitch>,            valueOf<FT891::ParseKP>,       RW, {0, 0}, {0, 75},            {0, 30},        All,    Rep},
    {"KR;",     "KR",       answerOf<FT891::SetKR>,        valueOf<FT891::ParseKR>,       RW, {0, 0}, {0, 1},             {0, 1},         All,    Rep},
    {"KS;",     "KS",       answerOf<FT891::SetKS>,        valueOf<FT891::ParseKS>,       RW, {0, 0}, {4, 60},            {0, 20},        All,    Rep},
    {"LK;",     "LK",       answerOf<FT891::SetLK>,        valueOf<FT891::ParseLK>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"LM0;",    "LM0",      answerOf<FT891::SetLM>,        fieldAt<3, 1>,                 RW, {0, 0}, {0, 5},             {0, 0},         All,    Rep},
    {"MD0;",    "MD0",      answerOf<FT891::SetMD>,        valueOf<FT891::ParseMD>,       RW, {0, 0}, {1, 13},            {0, 2},         All,    Rep},
    {"MG;",     "MG",       answerOf<FT891::SetMG>,        valueOf<FT891::ParseMG>,       RW, {0, 0}, {0, 100},           {0, 50},        All,    Rep},
    {"ML0;",    "ML0",      FT891::SetML,                  FT891::ParseML,                RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"ML1;",    "ML1",      FT891::SetML,                  FT891::ParseML,                RW, {1, 1}, {0, 100},           {1, 50},        All,    Rep},
    {"MS;",     "MS",       answerOf<FT891::SetMS>,        valueOf<FT891::ParseMS>,       RW, {0, 0}, {0, 4},             {0, 2},         All,    Rep},
    {"MX;",     "MX",       answerOf<FT891::SetMX>,        valueOf<FT891::ParseMX>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"NA0;",    "NA0",      answerOf<FT891::SetNA>,        valueOf<FT891::ParseNA>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"NB0;",    "NB0",      answerOf<FT891::SetNB>,        valueOf<FT891::ParseNB>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"NL0;",    "NL0",      answerOf<FT891::SetNL>,        valueOf<FT891::ParseNL>,       RW, {0, 0}, {0, 10},            {0, 5},         All,    Rep},
    {"NR0;",    "NR0",      answerOf<FT891::SetNR>,        valueOf<FT891::ParseNR>,       RW, {0, 0}, {0, 1},             {0, 0},         NoAmFm, Rep},
    {"OS0;",    "OS0",      answerOf<FT891::SetOS>,        valueOf<FT891::ParseOS>,       RW, {0, 0}, {0, 2},             {0, 0},         All,    Rep},
    {"PA0;",    "PA0",      answerOf<FT891::SetPA>,        valueOf<FT891::ParsePA>,       RW, {0, 0}, {0, 1},             {0, 1},         All,    Rep},
    {"PB0;",    "PB0",      answerOf<FT891::SetPB>,        fieldAt<3, 1>,                 RW, {0, 0}, {0, 5},             {0, 0},         All,    Rep},
    {"PC;",     "PC",       laidOut<kPowerControl>,        valueOf<FT891::ParsePC>,       RW, {0, 0}, {5, 100},           {0, 100},       All,    Rep},
    {"PL;",     "PL",       laidOut<kProcessorLevel>,      valueOf<FT891::ParsePL>,       RW, {0, 0}, {0, 100},           {0, 50},        All,    Rep},
    {"PR0;",    "PR0",      FT891::SetPR,                  FT891::ParsePR,                RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"PR1;",    "PR1",      FT891::SetPR,                  FT891::ParsePR,                RW, {1, 1}, {0, 1},             {1, 0},         All,    Rep},
    {"RA0;",    "RA0",      answerOf<FT891::SetRA>,        valueOf<FT891::ParseRA>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"RG0;",    "RG0",      answerOf<FT891::SetRG>,        valueOf<FT891::ParseRG>,       RW, {0, 0}, {0, 30},            {0, 30},        All,    Rep},
    {"RL0;",    "RL0",      answerOf<FT891::SetRL>,        valueOf<FT891::ParseRL>,       RW, {0, 0}, {1, 15},            {0, 8},         NoAmFm, Rep},
    {"RM0;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {0, 0}, {0, 255},           {0, 0},         All,    Rep},
    {"RM1;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {1, 1}, {0, 255},           {1, 96},        All,    Rep},
    {"RM2;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {2, 2}, {0, 255},           {2, 0},         All,    Rep},
    {"RM3;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {3, 3}, {0, 255},           {3, 0},         All,    Rep},
    {"RM4;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {4, 4}, {0, 255},           {4, 0},         All,    Rep},
    {"RM5;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {5, 5}, {0, 255},           {5, 0},         All,    Rep},
    {"RM6;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {6, 6}, {0, 255},           {6, 0},         All,    Rep},
    {"RM7;",    nullptr,    laidOut<kMeter>,               FT891::ParseRM,                RO, {7, 7}, {0, 255},           {7, 0},         All,    Rep},
    {"RS;",     nullptr,    laidOut<kRadioStatus>,         valueOf<FT891::ParseRS>,       RO, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"SC;",     "SC",       answerOf<FT891::SetSC>,        valueOf<FT891::ParseSC>,       RW, {0, 0}, {0, 2},             {0, 0},         All,    Rep},
    {"SD;",     "SD",       laidOut<kBreakInDelay>,        valueOf<FT891::ParseSD>,       RW, {0, 0}, {30, 3000},         {0, 200},       All,    Rep},
    {"SH0;",    "SH0",      FT891::SetSH,                  FT891::ParseSH,                RW, {0, 1}, {0, 21},            {0, 14},        All,    Rep},
    {"SM0;",    nullptr,    laidOut<kSMeter>,              fieldAt<3, 3>,                 RO, {0, 0}, {0, 255},           {0, 96},        All,    Rep},
    {"SQ0;",    "SQ0",      answerOf<FT891::SetSQ>,        valueOf<FT891::ParseSQ>,       RW, {0, 0}, {0, 100},           {0, 0},         All,    Rep},
    {"ST;",     "ST",       answerOf<FT891::SetST>,        valueOf<FT891::ParseST>,       RW, {0, 0}, {0, 2},             {0, 0},         All,    Rep},
    {"TS;",     "TS",       answerOf<FT891::SetTS>,        fieldAt<2, 1>,                 RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"TX;",     "TX",       laidOut<kTransmit>,            valueOf<FT891::ParseTX>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"UL;",     nullptr,    laidOut<kUnlock>,              valueOf<FT891::ParseUL>,       RO, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
    {"VD;",     "VD",       answerOf<FT891::SetVD>,        valueOf<FT891::ParseVD>,       RW, {0, 0}, {30, 3000},         {0, 500},       All,    Rep},
    {"VG;",     "VG",       answerOf<FT891::SetVG>,        valueOf<FT891::ParseVG>,       RW, {0, 0}, {0, 100},           {0, 50},        All,    Rep},
    {"VX;",     "VX",       answerOf<FT891::SetVX>,        valueOf<FT891::ParseVX>,       RW, {0, 0}, {0, 1},             {0, 0},         All,    Rep},
};
// clang-format on

bool startsWith(std::string_view text, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    return text.size() >= length && text.compare(0, length, prefix) == 0;
}

} // namespace

const ValueCommand* valueCommandsBegin() {
    return std::begin(kValueCommands);
}
const ValueCommand* valueCommandsEnd() {
    return std::end(kValueCommands);
}

const ValueCommand* findValueCommand(std::string_view read) {
    for (const ValueCommand& row : kValueCommands)
        if (read == row.read)
            return &row;
    return nullptr;
}

const ValueCommand* findSetCommand(std::string_view command) {
    for (const ValueCommand& row : kValueCommands)
        if (row.setPrefix != nullptr && startsWith(command, row.setPrefix))
            return &row;
    return nullptr;
}

} // namespace Sim
