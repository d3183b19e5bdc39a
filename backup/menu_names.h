// The radio's own names of its menu items and the values each one takes, for the settings
// files: a file names every item as the radio's display does, and a value outside an item's
// range never reaches the radio.
#pragma once

#include <array>
#include <string>

namespace Backup {

struct MenuName {
    int number;       // group * 100 + item, as in the command set's catalogue
    const char* name; // as the radio's menu shows it
    int low;          // the lowest value the radio takes
    int high;         // the highest
};

// 158 rows, in the catalogue's order.
const std::array<MenuName, 158>& MenuNames();
// The row of `number`, or nullptr.
const MenuName* FindMenuName(int number);

// "16-05" for 1605.
std::string ItemText(int number);
// 1605 for "16-05"; 0 for anything that is not two digits, a dash and two digits.
int ItemNumber(const std::string& text);

} // namespace Backup
