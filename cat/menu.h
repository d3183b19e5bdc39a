// Menu items (EX): one data table of 158 rows drives reading, setting and parsing; there are
// no per-item functions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace Yaesu::Commands::FT891 {

// How SetMenu writes the (reshaped) value after "EX" + four-digit number.
enum class MenuFormat : std::uint8_t {
    ReadOnly, // no set operation (SetMenu returns the read command, see below)
    Digits,   // "{:d}"   the value's digits, no width
    Zero2,    // "{:02}"  two digits, zero-filled
    Zero3,    // "{:03}"  three digits, zero-filled
    Zero4,    // "{:04}"  four digits, zero-filled
    Sign2,    // "{:+03}" sign and two digits
    Sign4,    // "{:+05}" sign and four digits
    PeakHold  // item 02-05: 0-3 as one digit, any other value appends nothing
};

// The reshaping rule applied before formatting, with bounds low/high.
enum class MenuReshape : std::uint8_t {
    None,         // formatted unchanged
    Clamp,        // clamp to low-high
    AtMost,       // only the upper bound high applies
    Step20AtMost, // truncate toward zero to a multiple of 20, then at most high (4000)
    Step10Clamp,  // truncate toward zero to a multiple of 10, then clamp to low-high
    ClampStep10   // clamp to low-high, then truncate toward zero to a multiple of 10
};

struct MenuItem {
    int number;          // group * 100 + item, e.g. 1605 for 16-05
    MenuFormat format;   // set format (ReadOnly when the program has no set operation)
    MenuReshape reshape; // reshaping rule
    int low;             // lower bound of the rule (unused for None / AtMost / Step20AtMost)
    int high;            // upper bound of the rule (unused for None)
    int answerWidth;     // characters ParseMenu reads from offset 6 (1-5); 4 for the
                         // version items 18-01..18-03 (two + two text characters)
    bool readOnly;       // true when the program has no set operation for the item
};

// The catalogue: 158 rows in ascending number (which is also the read-back order).
const std::array<MenuItem, 158>& MenuCatalogue();

// The row of `number`, or nullptr when the catalogue has no such item.
const MenuItem* FindMenuItem(int number);

// The successor's number in catalogue order; 0 after 18-03 or for an unknown number.
int NextMenuItem(int number);

// True for 18-01, 18-02 and 18-03 (answers are version texts, see ParseMenuVersion).
bool IsVersionItem(int number);

// "EX" + "{:04}" of the number + ";" (any number; e.g. ReadMenu(1605) == "EX1605;").
std::string ReadMenu(int number);

// The value after the item's reshaping rule (unchanged for items without one, for
// read-only items and for numbers not in the catalogue).
int ReshapeMenuValue(int number, int value);

// "EX" + number + reshaped value in the item's format + ";".
// Safe fallbacks (never throws): for a read-only item or a number not in the catalogue
// the result is the read command ReadMenu(number), exactly as item 02-05 does for a value
// outside 0-3 - so a caller mistake asks the radio for the value instead of changing it.
std::string SetMenu(int number, int value);

// The four-digit menu number at offsets 2-5 of an EX answer (std::stoi rules, the
// exceptions of ReadField); what the response processor uses to pick the item.
int ParseMenuNumber(const std::string& answer);

// Parses an answer for item `number`:
//  1. read the number field (2, 4); 2. if it is not `number`, throw BadMenuItemException
//  carrying the number read; 3. read the value field (6, answerWidth), sign included.
// A `number` not in the catalogue has no value field: after step 1, BadMenuItemException
// (carrying the number read) is thrown. For the version items the value field is the four
// version characters read as a decimal number (use ParseMenuVersion for the text).
int ParseMenu(const std::string& answer, int number);

// For 18-01, 18-02, 18-03: steps 1-2 as ParseMenu, then "V{}-{}" of the text at offsets 6-7
// and 8-9 ("EX18010123;" -> "V01-23"); shorter than 8 characters -> std::out_of_range
// ("invalid string position"). For any other `number`, after step 1 BadMenuItemException
// carrying the number read is thrown.
std::string ParseMenuVersion(const std::string& answer, int number);

} // namespace Yaesu::Commands::FT891
