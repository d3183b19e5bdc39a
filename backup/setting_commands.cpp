#include "backup/setting_commands.h"

#include "cat/builders.h"
#include "cat/menu.h"

#include <algorithm>
#include <iterator>

namespace CAT = Yaesu::Commands::FT891;

namespace Backup {

namespace {

// Items the menu shows but does not take: the front panel's commands set their values.
struct OtherCommand {
    int number;
    std::string (*set)(int value);
    std::string (*read)();
};
// clang-format off
constexpr OtherCommand kOtherCommands[] = {
    // number set         read
    { 503,    CAT::SetNL, CAT::ReadNL}, // 05-03 NB LEVEL
    {1617,    CAT::SetVG, CAT::ReadVG}, // 16-17 VOX GAIN
    {1618,    CAT::SetVD, CAT::ReadVD}, // 16-18 VOX DELAY
};

// Read-only items nothing gives back to the radio from a file.
struct Reason {
    int number;
    const char* why;
};
constexpr const char* kFirmware = "firmware versions, which no command sets: the header names them";
constexpr Reason kReasons[] = {
    // number why
    { 506,    "the line's own speed: a new one would cut the line"},
    {1801,    kFirmware},
    {1802,    kFirmware},
    {1803,    kFirmware},
};
// clang-format on

const OtherCommand* otherCommand(int number) {
    const auto* it = std::find_if(std::begin(kOtherCommands), std::end(kOtherCommands),
                                  [number](const OtherCommand& row) { return row.number == number; });
    return it != std::end(kOtherCommands) ? it : nullptr;
}

} // namespace

bool Restorable(int number) {
    const CAT::MenuItem* item = CAT::FindMenuItem(number);
    return item && (!item->readOnly || otherCommand(number));
}

const char* LeftOutBecause(int number) {
    if (Restorable(number))
        return nullptr;
    const auto* it = std::find_if(std::begin(kReasons), std::end(kReasons),
                                  [number](const Reason& row) { return row.number == number; });
    return it != std::end(kReasons) ? it->why : "no command sets it";
}

std::string SetCommand(const Setting& setting) {
    if (const OtherCommand* other = otherCommand(setting.number))
        return other->set(setting.value);
    return CAT::SetMenu(setting.number, setting.value);
}

std::string ReadCommand(int number) {
    if (const OtherCommand* other = otherCommand(number))
        return other->read();
    return CAT::ReadMenu(number);
}

} // namespace Backup
