// Mode, band and width: the operator's choices in cbMode, cbBand and cbWidth, and how the
// radio's mode, frequency and width reports show in them.
#include "app/Corvane.h"
#include "app/panel/width_lists.h"

#include <QSerialPort>
#include <QTimer>

#include <array>
#include <climits>
#include <cstdint>
#include <iterator>

namespace CAT = Yaesu::Commands::FT891;

namespace {

// ---- Width lists ---------------------------------------------------------------------

using CAT::WidthList;
constexpr const WidthList& ssbNarrow = CAT::ssbNarrowWidths;
constexpr const WidthList& ssbWide = CAT::ssbWideWidths;
constexpr const WidthList& cwNarrow = CAT::cwNarrowWidths;
constexpr const WidthList& cwWide = CAT::cwWideWidths;

// Which list shows a width code the radio reports. The SSB lists share code 9 ("1800 Hz"),
// so a code beyond its own list keeps the list shown before; AM and FM have no list.
struct WidthChoice {
    int firstMode, lastMode; // cbMode indexes
    bool narrow;             // NAR on
    int lowestCode, highestCode;
    const WidthList& list;
};
// clang-format off
constexpr WidthChoice widthChoices[] = {
    // modes    NAR    width codes         list
    {0, 2,      true,  INT_MIN, 9,         ssbNarrow},
    {0, 2,      false, 9,       INT_MAX,   ssbWide},
    {3, 5,      true,  INT_MIN, INT_MAX,   cwNarrow},
    {3, 5,      false, INT_MIN, INT_MAX,   cwWide},
    // RTTY and DATA share the CW lists.
    {6, 9,      true,  INT_MIN, INT_MAX,   cwNarrow},
    {6, 9,      false, INT_MIN, INT_MAX,   cwWide},
};
// clang-format on

constexpr int offsetFor(int modeIndex, bool narrow) {
    return narrow ? 1 : modeIndex >= 0 && modeIndex <= 2 ? 9 : 10;
}

constexpr bool offsetsAgree() {
    for (const WidthChoice& c : widthChoices)
        if (c.list.offset != offsetFor(c.firstMode, c.narrow) ||
            c.list.offset != offsetFor(c.lastMode, c.narrow))
            return false;
    return true;
}
static_assert(offsetsAgree(), "a width list starts at another code than the width choices send");

const WidthList* widthListFor(int modeIndex, bool narrow, int widthCode) {
    for (const WidthChoice& c : widthChoices)
        if (modeIndex >= c.firstMode && modeIndex <= c.lastMode && narrow == c.narrow &&
            widthCode >= c.lowestCode && widthCode <= c.highestCode)
            return &c.list;
    return nullptr;
}

// ---- Modes ---------------------------------------------------------------------------

// The sideband of the SSB, CW, RTTY and DATA modes is a BFO menu item of each family.
enum class Family : std::uint8_t { None, Ssb, Cw, Rtty, Data };
constexpr int bfoMenuItems[] = {0, 1107, 707, 1011, 812}; // by Family

// What choosing a cbMode index sends: the family's BFO item, then MD with the radio's code.
struct ModeCommand {
    Family family;
    int bfoValue;
    int modeCode;
};
// clang-format off
constexpr ModeCommand modeCommands[] = {
    // family         BFO  MD code   cbMode index
    {Family::Ssb,     1,   0x1},  //  0 LSB
    {Family::Ssb,     0,   0x1},  //  1 USB
    {Family::Ssb,     2,   0x1},  //  2 SSB
    {Family::Cw,      1,   0x3},  //  3 CWL
    {Family::Cw,      0,   0x3},  //  4 CWU
    {Family::Cw,      2,   0x7},  //  5 CW
    {Family::Rtty,    1,   0x6},  //  6 R-L
    {Family::Rtty,    0,   0x6},  //  7 R-U
    {Family::Data,    0,   0x8},  //  8 D-U
    {Family::Data,    1,   0x8},  //  9 D-L
    {Family::None,    0,   0x5},  // 10 AM
    {Family::None,    0,   0xD},  // 11 AM-N
    {Family::None,    0,   0x4},  // 12 FM
    {Family::None,    0,   0xB},  // 13 FM-N
};
// clang-format on
static_assert(std::size(modeCommands) == 14, "one row per cbMode item");

// How a mode code the radio reports shows: which controls apply and which cbMode index.
enum class Look : std::uint8_t { Keep, On, Off };
struct ModeDisplay {
    int modeCode;
    Look width;               // cbWidth enabled
    Look widthLabel;          // lbcbWidth enabled
    Look vox;                 // btnVox shown
    Look zeroIn;              // bnZeroIn shown
    Family family;            // whose BFO value picks the index; None: index[0] is the index
    std::array<int, 3> index; // cbMode index for BFO value 0, 1, 2; -1 keeps the index
};
constexpr Look On = Look::On, Off = Look::Off, Keep = Look::Keep;
// clang-format off
constexpr ModeDisplay modeDisplays[] = {
    // code  cbWidth lbcbWidth btnVox bnZeroIn family          index by BFO 0, 1, 2
    {0x1,    On,     On,       On,    Off,     Family::Ssb,    {1,  0,  2}},   // LSB
    {0x2,    On,     On,       On,    Off,     Family::Ssb,    {1,  0,  2}},   // USB
    {0x3,    On,     On,       Off,   On,      Family::Cw,     {4,  3,  5}},   // CW-U
    {0x7,    On,     On,       Off,   On,      Family::Cw,     {4,  3,  5}},   // CW-L
    {0x4,    Off,    Off,      On,    Keep,    Family::None,   {12, -1, -1}},  // FM
    {0x5,    Off,    Off,      On,    Keep,    Family::None,   {10, -1, -1}},  // AM
    {0x6,    On,     On,       On,    Off,     Family::Rtty,   {7,  6,  -1}},  // RTTY-L
    {0x9,    On,     On,       On,    Off,     Family::Rtty,   {7,  6,  -1}},  // RTTY-U
    {0x8,    On,     On,       On,    Off,     Family::Data,   {8,  9,  -1}},  // DATA-L
    {0xB,    Off,    Off,      On,    Keep,    Family::None,   {13, -1, -1}},  // FM-N
    {0xC,    On,     Off,      On,    Off,     Family::Data,   {8,  9,  -1}},  // DATA-U
    {0xD,    Off,    Off,      On,    Keep,    Family::None,   {11, -1, -1}},  // AM-N
};
// clang-format on

void apply(Look look, QWidget* widget, void (QWidget::*set)(bool)) {
    if (look != Look::Keep)
        (widget->*set)(look == Look::On);
}

// ---- Bands ---------------------------------------------------------------------------

// cbBand's index is the radio's band code.
using CAT::BandOf;

} // namespace

int WidthOffsetFor(int modeIndex, int narrowOn) {
    return offsetFor(modeIndex, narrowOn == 1);
}

int WidthHertzFor(int modeIndex, int widthCode) {
    for (const bool narrow : {true, false})
        if (const WidthList* list = widthListFor(modeIndex, narrow, widthCode);
            list && list->holds(widthCode))
            return list->hertzOf(widthCode);
    return 0;
}

// In Family order; Family::None has no BFO item and keeps no value.
int& Corvane::bfoValue(std::size_t family) {
    int* const values[] = {nullptr, &ssbBfo, &cwBfo, &rttyBfo, &dataBfo};
    return *values[family];
}

bool Corvane::bandModeSettled() const {
    return restore.settled() && radioOnShownBand();
}

bool Corvane::radioOnShownBand() const {
    return vfoAFrequency == 0 || BandOf(vfoAFrequency) == ui.cbBand->currentIndex();
}

bool Corvane::showBfoValue(int menuNumber, int value) {
    const auto* item = std::find(std::begin(bfoMenuItems) + 1, std::end(bfoMenuItems), menuNumber);
    if (item == std::end(bfoMenuItems))
        return false;
    bfoValue(static_cast<size_t>(item - std::begin(bfoMenuItems))) = value;
    // The sideband shown follows the menu at once, not only with the next mode report.
    if (radioModeCode >= 0)
        UpdateModeDisplay(radioModeCode);
    return true;
}

void Corvane::on_cbModeActivated(int index) {
    if (!ui.cbMode->hasFocus())
        return;
    chooseMode(index);
}

void Corvane::chooseMode(int index) {
    ui.chkbxKeyerEnable->setEnabled(false);
    if (!serialPort || !serialPort->isOpen() || index < 0 ||
        index >= static_cast<int>(std::size(modeCommands)))
        return;
    currentModeIndex = index;
    const ModeCommand& command = modeCommands[index];
    // A new mode code makes the radio report the new mode's width: that SH answer brings the
    // stored settings of the new mode. The same code (USB after LSB: only the BFO item
    // changes) brings no answer at all, so the stored settings go out at once.
    const bool codeChanges = command.modeCode != radioModeCode;
    const BandModeRestore::Step step = restore.modeChosen(codeChanges);
    ui.chkbxKeyerEnable->setEnabled(command.family == Family::Cw);
    if (command.family != Family::None) {
        const auto family = static_cast<size_t>(command.family);
        sendIfOpen(CAT::SetMenu(bfoMenuItems[family], command.bfoValue), false);
        // The mode answer picks the sideband by this value.
        bfoValue(family) = command.bfoValue;
    }
    sendIfOpen(CAT::SetMD(command.modeCode));
    if (codeChanges)
        modeChangeTimer->start();
    else
        ui.cbMode->setCurrentIndex(index);
    takeRestoreStep(step);
}

void Corvane::on_cbBandActivated(int index) {
    currentBandIndex = index;
    if (!ui.cbBand->hasFocus() || !serialPort || !serialPort->isOpen())
        return;
    // The radio reports its own width for the new band first; the AC answer that the next
    // SH answer asks for then brings the stored one.
    restore.bandChosen();
    sendIfOpen(CAT::SetBS(index), false);
    currentBandIndex = ui.cbBand->currentIndex();
}

void Corvane::on_cbWidthActivated(int index) {
    if (!ui.cbWidth->hasFocus())
        return;
    chooseWidth(index);
}

void Corvane::chooseWidth(int index) {
    const int widthCode = index + WidthOffsetFor(ui.cbMode->currentIndex(), narrowOn);
    if (sendIfOpen(CAT::SetSH({1, widthCode}), false))
        radio.noteSet(&Radio::RadioState::width, Radio::Field::Width,
                      Radio::Width{widthCode, WidthHertzFor(ui.cbMode->currentIndex(), widthCode)});
    currentModeIndex = ui.cbMode->currentIndex();
    currentBandIndex = ui.cbBand->currentIndex();
    ui.cbWidth->clear();
    UpdateWidthDisplay(widthCode);
}

void Corvane::UpdateModeDisplay(int modeCode) {
    radioModeCode = modeCode;
    const auto* row = std::find_if(std::begin(modeDisplays), std::end(modeDisplays),
                                   [modeCode](const ModeDisplay& d) { return d.modeCode == modeCode; });
    if (row != std::end(modeDisplays)) {
        apply(row->width, ui.cbWidth, &QWidget::setEnabled);
        apply(row->widthLabel, ui.lbcbWidth, &QWidget::setEnabled);
        apply(row->vox, ui.btnVox, &QWidget::setVisible);
        apply(row->zeroIn, ui.bnZeroIn, &QWidget::setVisible);
        const auto family = static_cast<size_t>(row->family);
        const int bfo = row->family == Family::None ? 0 : bfoValue(family);
        if (bfo >= 0 && bfo <= 2 && row->index[static_cast<size_t>(bfo)] >= 0)
            currentModeIndex = row->index[static_cast<size_t>(bfo)];
    }
    ui.cbMode->setCurrentIndex(currentModeIndex);
}

void Corvane::LookUpBand() {
    const int previous = ui.cbBand->currentIndex();
    ui.cbBand->setCurrentIndex(BandOf(vfoAFrequency));
    currentBandIndex = ui.cbBand->currentIndex();
    restore.bandLookedUp(currentBandIndex != previous);
}

// The keyboard focus stays where it is: keys typed into the frequency line must not reach
// the width box, whose keyboard search would pick a width and send it.
void Corvane::UpdateWidthDisplay(int widthCode, bool store) {
    const int mode = ui.cbMode->currentIndex();
    const int band = ui.cbBand->currentIndex();
    ui.cbWidth->clear();
    ui.cbWidth->setEnabled(true);
    if (const WidthList* list = widthListFor(mode, narrowOn == 1, widthCode)) {
        widthList.clear();
        for (int i = 0; i < list->count; ++i)
            widthList << QString("%1 Hz").arg(list->hertz[i]);
        widthOffset = list->offset;
    }
    ui.cbWidth->addItems(widthList);
    ui.cbWidth->setCurrentIndex(widthCode - widthOffset);
    ui.cbWidth->update();
    if (store)
        SaveBandModeSettings(band, mode);
}
