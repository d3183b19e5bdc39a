// How a saved menu setting goes back to the radio: by the item's EX set command, or, for the
// few items the menu does not take, by the command that sets their value; and why the items a
// settings file never holds are left out. No Qt.
#pragma once

#include "backup/settings_file.h"

#include <string>

namespace Backup {

// True for an item of the catalogue that a settings file holds: every item a command sets.
bool Restorable(int number);
// Why no settings file holds item `number`; nullptr for a restorable item.
const char* LeftOutBecause(int number);

// The command that gives the radio `setting`, and the read whose answer reports the item's
// value back (the answer a restore waits for before the next setting). For an item that is
// not restorable both are its menu read.
std::string SetCommand(const Setting& setting);
std::string ReadCommand(int number);

} // namespace Backup
