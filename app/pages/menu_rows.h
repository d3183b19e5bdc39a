// The settings pages as data: one row per menu item, naming the control that shows and sets
// it. One engine applies the radio's answers to the rows and one sends the operator's changes
// from them (app/pages/menu_engine.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class Corvane;

// The page whose control shows an item; its loaded flag goes with it.
enum class SettingsPage : std::uint8_t {
    FrontPanel, // controls of the General tab: only their answers are here
    Dialog,     // values kept for the contour and manual notch dialogs
    Misc,
    Firmware,
    OutputPower,
    Vox,
    TxEq,
    Cw,
    Ssb,
    Am,
    Fm,
    Data,
    Rtty,
    Contesting,
};

enum class Shape : std::uint8_t { None, Slider, SpinBox, Combo, Check, Version };

// When an answer is dropped rather than shown: a control the operator is dragging keeps
// still. Page: while a mouse button is held once the page is loaded; Mouse: whenever one is.
enum class AnswerGuard : std::uint8_t { None, Mouse, Page };

// When an item's answer marks its page as loaded: before or after the value is shown.
enum class LoadedWhen : std::uint8_t { Never, Before, After };

// What an operator change needs before it goes out. ReadOnly: the radio's own menu sets the
// item, the control only shows it. Elsewhere: the control's own handler sends (front panel).
enum class SendGuard : std::uint8_t { ReadOnly, Elsewhere, PortOpen, PageLoaded };

struct MenuRow {
    int item;           // menu number, 1605 for 16-05; 0 for a control set by another command
    SettingsPage page;  // owner of the loaded flag
    const char* widget; // object name of the control; nullptr where none shows the item yet
    Shape shape;        //
    AnswerGuard guard;  //
    LoadedWhen loaded;  //
    SendGuard send;     //
    std::string (*command)(int value) = nullptr;  // the set command, where it is not the item's
    int (*toWidget)(int value) = nullptr;         // answer value to control value; nullptr: as is
    const char* label = nullptr;                  // the value label's object name
    const char* format = nullptr;                 // its text, given the control's value
    void (Corvane::*effect)(int value) = nullptr; // an effect of its own instead of a control
    std::string (*text)(int value) = nullptr;     // the label's text where a format cannot say it

    // What the value label says for the control's value.
    std::string labelText(int value) const;
};

// One read of a page when its tab is clicked: a menu item, or (item 0) a command of its own.
struct PageRead {
    int item;
    std::string (*command)() = nullptr;
};
// A page's reads, in the order they go out.
struct ReadList {
    const PageRead* first = nullptr;
    const PageRead* last = nullptr;
};

struct PageTables {
    // One row per catalogue item, in catalogue order.
    static const std::array<MenuRow, 158>& menuRows();
    // Controls that set the radio by a command other than EX.
    static const std::array<MenuRow, 11>& commandRows();
    // The command row of the control `widget`.
    static const MenuRow& commandRow(std::string_view widget);
    // The row of menu item `item`, or nullptr.
    static const MenuRow* findRow(int item);
    static bool Corvane::*loadedFlag(SettingsPage page);
};
