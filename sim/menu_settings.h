#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Sim {

// How a menu item is set over CAT: the radio takes "EX" + the item's number + a value in
// the item's field. A few items are answered, never set: the CAT rate, the firmware versions,
// and the ones whose value a front-panel command holds and sets (see MenuLink).
enum class MenuAccess : std::uint8_t { Set, ReadOnly };

// The simulated radio's menu item: the values it accepts, the value it has when it leaves
// the factory, and how its value is written in the answer "EX" + number + field + ";"
// (and in its set command, which has the same layout).
struct MenuSetting {
    int number;        // group * 100 + item: 1605 for 16-05, "1605" on the wire
    int low;           // lowest value the radio accepts
    int high;          // highest value the radio accepts
    int initial;       // factory value
    const char* field; // the value's layout (sim/wire.h): "nnn", "gnn"; "nnnn" holds the
                       // two plus two characters of a firmware version
    int step;          // accepted values lie on this grid (the AGC delays' 20 ms)
    MenuAccess access;
};

// One row per menu item the radio offers over CAT, in ascending number.
const std::array<MenuSetting, 158>& menuSettings();
// The row of `number`, or nullptr.
const MenuSetting* findMenuSetting(int number);
// The answer of item `number` holding `value`: "EX1605050;".
std::string menuAnswer(const MenuSetting& item, int value);
// The value a set command gives the item, or nothing when the command does not have the
// item's layout or its value lies off the item's range or grid.
std::optional<int> menuSetValue(const MenuSetting& item, std::string_view command);

// Menu items that show a setting of the front panel: the radio keeps one value, so the
// item answers with the value of that command (its read command names it).
struct MenuLink {
    int number;
    const char* read;
};
// The read command whose value item `number` shows, or nullptr.
const char* linkedValue(int number);

// The menu value of the CAT rate item 05-06 for a serial speed, or -1 for a speed the
// radio does not offer.
int catRateCode(int baud);

} // namespace Sim
