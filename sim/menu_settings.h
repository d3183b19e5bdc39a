#pragma once

#include <array>
#include <string_view>

namespace Sim {

// The simulated radio's side of a menu item: the values it accepts and the value it has
// when it leaves the factory. How the item is written and read on the wire comes from the
// command set's catalogue; this table holds what only the radio knows.
struct MenuSetting {
    int number;  // group * 100 + item, as in the catalogue
    int low;     // lowest value the radio accepts
    int high;    // highest value the radio accepts
    int initial; // factory value
};

// One row per catalogue item, in catalogue order.
const std::array<MenuSetting, 158>& menuSettings();
// The row of `number`, or nullptr.
const MenuSetting* findMenuSetting(int number);

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
