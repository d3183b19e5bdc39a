#include "sim/value_commands.h"

#include <algorithm>
#include <iterator>

namespace Sim {

namespace {

constexpr Access RW = Access::ReadSet;
constexpr Access RO = Access::ReadOnly;
constexpr Availability All = Availability::AllModes;
constexpr Availability NoAmFm = Availability::NotInAmFm;
constexpr Report Rep = Report::Reported;
constexpr Report Silent = Report::Silent;

// The answer of each setting as the radio writes it; its set command has the same layout.
// clang-format off
constexpr ValueCommand kValueCommands[] = {
    // read    layout          access first  second                  initial         availability report
    {"AC;",    "AC00n;",        RW, {0, 0}, {0, 2},                 {0, 0},         All,   Rep},
    {"AG0;",   "AG0nnn;",       RW, {0, 0}, {0, 255},               {0, 60},        All,   Rep},
    {"AI;",    "AIn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Silent},
    {"BC0;",   "BC0n;",         RW, {0, 0}, {0, 1},                 {0, 0},         NoAmFm, Rep},
    {"BI;",    "BIn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"BP00;",  "BP00nnn;",      RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"BP01;",  "BP01nnn;",      RW, {1, 1}, {1, 320},               {1, 100},       All,   Rep},
    {"BY;",    "BYn;",          RO, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"CF0;",   "CF0n0;",        RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"CN00;",  "CN00nnn;",      RW, {0, 0}, {0, 49},                {0, 12},        All,   Rep},
    {"CN01;",  "CN01nnn;",      RW, {1, 1}, {0, 103},               {1, 0},         All,   Rep},
    {"CO00;",  "CO00nnnn;",     RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"CO01;",  "CO01nnnn;",     RW, {1, 1}, {10, 3200},             {1, 1600},      All,   Rep},
    {"CO02;",  "CO02nnnn;",     RW, {2, 2}, {0, 1},                 {2, 0},         All,   Rep},
    {"CO03;",  "CO03nnnn;",     RW, {3, 3}, {0, 50},                {3, 25},        All,   Rep},
    {"CS;",    "CSn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"CT0;",   "CT0n;",         RW, {0, 0}, {0, 3},                 {0, 0},         All,   Rep},
    {"FA;",    "FAnnnnnnnnn;",  RW, {0, 0}, {30000, 56000000},      {0, 14074000},  All,   Rep},
    {"FB;",    "FBnnnnnnnnn;",  RW, {0, 0}, {30000, 56000000},      {0, 7074000},   All,   Rep},
    {"FS;",    "FSn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"GT0;",   "GT0n;",         RW, {0, 0}, {0, 6},                 {0, 4},         All,   Rep},
    {"ID;",    "IDnnnn;",       RO, {0, 0}, {0, 9999},              {0, 650},       All,   Rep},
    {"IS0;",   "IS0sgnnnn;",    RW, {0, 1}, {-1200, 1200, 20},      {0, 0},         All,   Rep},
    {"KP;",    "KPnn;",         RW, {0, 0}, {0, 75},                {0, 30},        All,   Rep},
    {"KR;",    "KRn;",          RW, {0, 0}, {0, 1},                 {0, 1},         All,   Rep},
    {"KS;",    "KSnnn;",        RW, {0, 0}, {4, 60},                {0, 20},        All,   Rep},
    {"LK;",    "LKn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"LM0;",   "LM0n;",         RW, {0, 0}, {0, 5},                 {0, 0},         All,   Rep},
    {"MD0;",   "MD0h;",         RW, {0, 0}, {1, 13},                {0, 2},         All,   Rep},
    {"MG;",    "MGnnn;",        RW, {0, 0}, {0, 100},               {0, 50},        All,   Rep},
    {"ML0;",   "ML0nnn;",       RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"ML1;",   "ML1nnn;",       RW, {1, 1}, {0, 100},               {1, 50},        All,   Rep},
    {"MS;",    "MSn;",          RW, {0, 0}, {0, 4},                 {0, 2},         All,   Rep},
    {"MX;",    "MXn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"NA0;",   "NA0n;",         RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"NB0;",   "NB0n;",         RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"NL0;",   "NL0nnn;",       RW, {0, 0}, {0, 10},                {0, 5},         All,   Rep},
    {"NR0;",   "NR0n;",         RW, {0, 0}, {0, 1},                 {0, 0},         NoAmFm, Rep},
    {"OS0;",   "OS0n;",         RW, {0, 0}, {0, 2},                 {0, 0},         All,   Rep},
    {"PA0;",   "PA0n;",         RW, {0, 0}, {0, 1},                 {0, 1},         All,   Rep},
    {"PB0;",   "PB0n;",         RW, {0, 0}, {0, 5},                 {0, 0},         All,   Rep},
    {"PC;",    "PCnnn;",        RW, {0, 0}, {5, 100},               {0, 100},       All,   Rep},
    {"PL;",    "PLnnn;",        RW, {0, 0}, {0, 100},               {0, 50},        All,   Rep},
    {"PR0;",   "PR0n;",         RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"PR1;",   "PR1n;",         RW, {1, 1}, {0, 1},                 {1, 0},         All,   Rep},
    {"RA0;",   "RA0n;",         RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"RG0;",   "RG0nnn;",       RW, {0, 0}, {0, 30},                {0, 30},        All,   Rep},
    {"RL0;",   "RL0nn;",        RW, {0, 0}, {1, 15},                {0, 8},         NoAmFm, Rep},
    {"RM0;",   "RM0nnn;",       RO, {0, 0}, {0, 255},               {0, 0},         All,   Rep},
    {"RM1;",   "RM1nnn;",       RO, {1, 1}, {0, 255},               {1, 96},        All,   Rep},
    {"RM2;",   "RM2nnn;",       RO, {2, 2}, {0, 255},               {2, 0},         All,   Rep},
    {"RM3;",   "RM3nnn;",       RO, {3, 3}, {0, 255},               {3, 0},         All,   Rep},
    {"RM4;",   "RM4nnn;",       RO, {4, 4}, {0, 255},               {4, 0},         All,   Rep},
    {"RM5;",   "RM5nnn;",       RO, {5, 5}, {0, 255},               {5, 0},         All,   Rep},
    {"RM6;",   "RM6nnn;",       RO, {6, 6}, {0, 255},               {6, 0},         All,   Rep},
    {"RM7;",   "RM7nnn;",       RO, {7, 7}, {0, 255},               {7, 0},         All,   Rep},
    {"RS;",    "RSn;",          RO, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"SC;",    "SCn;",          RW, {0, 0}, {0, 2},                 {0, 0},         All,   Rep},
    {"SD;",    "SDnnnn;",       RW, {0, 0}, {30, 3000},             {0, 200},       All,   Rep},
    {"SH0;",   "SH0snn;",       RW, {0, 1}, {0, 21},                {0, 14},        All,   Rep},
    {"SM0;",   "SM0nnn;",       RO, {0, 0}, {0, 255},               {0, 96},        All,   Rep},
    {"SQ0;",   "SQ0nnn;",       RW, {0, 0}, {0, 100},               {0, 0},         All,   Rep},
    {"ST;",    "STn;",          RW, {0, 0}, {0, 2},                 {0, 0},         All,   Rep},
    {"TS;",    "TSn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"TX;",    "TXn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"UL;",    "ULn;",          RO, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
    {"VD;",    "VDnnnn;",       RW, {0, 0}, {30, 3000},             {0, 500},       All,   Rep},
    {"VG;",    "VGnnn;",        RW, {0, 0}, {0, 100},               {0, 50},        All,   Rep},
    {"VX;",    "VXn;",          RW, {0, 0}, {0, 1},                 {0, 0},         All,   Rep},
};
// clang-format on

bool isFieldMark(char c) {
    return c >= 'a' && c <= 'z';
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

std::string_view ValueCommand::setPrefix() const {
    const std::string_view text = layout;
    return text.substr(
        0, static_cast<std::size_t>(std::find_if(text.begin(), text.end(), isFieldMark) - text.begin()));
}

const ValueCommand* findSetCommand(std::string_view command) {
    for (const ValueCommand& row : kValueCommands)
        if (row.access == Access::ReadSet && command.substr(0, row.setPrefix().size()) == row.setPrefix())
            return &row;
    return nullptr;
}

} // namespace Sim
