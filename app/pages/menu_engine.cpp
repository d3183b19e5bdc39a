// The menu-answer engine and the setting engine over the page rows, the tab activation table
// and the page reads.
#include "app/Corvane.h"
#include "app/answers/guards.h"
#include "app/pages/menu_rows.h"
#include "app/pages/quiet.h"
#include "app/trace.h"
#include "dialogs/ContourUI.h"
#include "dialogs/ManualNotchUI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSerialPort>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <stdexcept>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {

std::string toneRead() {
    return CAT::ReadCN(0);
}
std::string dcsRead() {
    return CAT::ReadCN(1);
}
std::string apfSwitchRead() {
    return CAT::ReadCO(2);
}
std::string apfLevelRead() {
    return CAT::ReadCO(3);
}
template <int Memory> std::string keyerRead() {
    return CAT::ReadKM(Memory);
}

// The reads of a page, in the order they go out. A page marks itself loaded by the answer of
// one of its items (the rows' loaded column), so that item comes late in its list.
// clang-format off
constexpr PageRead cwReads[] = {
    {0, CAT::ReadBI}, {0, CAT::ReadKR}, {0, CAT::ReadKP}, {0, CAT::ReadKS},
    {703}, {701}, {704}, {702}, {706}, {707}, {710}, {711}, {712}, {713}, {709},
    {401}, {402}, {403}, {708}, {1201}, {705},
    {0, CAT::ReadCS}, {0, apfSwitchRead}, {0, apfLevelRead},
};
constexpr PageRead ssbReads[] = {{1101}, {1102}, {1103}, {1104}, {1105}, {1108}, {1109}, {1607}, {1611}, {1107}, {1106}};
constexpr PageRead amReads[] = {{601}, {602}, {603}, {604}, {605}, {607}, {1608}, {1612}, {606}};
// The DCS code's answer marks the page loaded; the tone mode and data gain come after it.
constexpr PageRead fmReads[] = {
    {901}, {903}, {904}, {905}, {902}, {1609}, {906},
    {0, CAT::ReadOS}, {0, toneRead}, {0, dcsRead}, {0, CAT::ReadCT}, {1613}, {0, CAT::ReadOS},
};
// 16-22 is the data anti-VOX gain of the Vox page, read here as well.
constexpr PageRead dataReads[] = {
    {805}, {807}, {806}, {808}, {803}, {1622}, {1610}, {804}, {801}, {802}, {809}, {810}, {812}, {1614}, {811},
};
constexpr PageRead rttyReads[] = {{1003}, {1001}, {1004}, {1002}, {1009}, {1006}, {1007}, {1005}, {1008}, {1011}, {1010}};
constexpr PageRead firmwareReads[] = {{1801}, {1802}, {1803}};
// The keyer memories first; the 03-01 answer marks the page loaded.
constexpr PageRead contestingReads[] = {
    {0, keyerRead<1>}, {0, keyerRead<2>}, {0, keyerRead<3>}, {0, keyerRead<4>}, {0, keyerRead<5>},
    {301}, {302}, {405}, {406}, {407}, {408}, {409}, {410}, {411},
};
// clang-format on

template <size_t N> constexpr ReadList readsOf(const PageRead (&reads)[N]) {
    return {reads, reads + N};
}

// What a click on a tab reads from the radio: nothing, the page until the radio has filled
// it once, or the page at every click. The FM page is read afresh at every click, and sends
// nothing until the answers are in.
enum class TabRead : std::uint8_t { Nothing, UntilLoaded, Always, Afresh };
struct TabAction {
    const char* text;
    SettingsPage page;
    TabRead read;
    ReadList reads;
    void (Corvane::*clicked)() = nullptr; // what else a click does
};
// The Output Power, Misc, TX EQ and Vox pages are filled by the start-up read-back and by the
// radio's reports; the firmware versions are asked for again at every click. The Contesting
// page reads its keyer memories and items until the radio has answered, and enables the
// group the mode can use.
// clang-format off
constexpr TabAction tabActions[] = {
    // tab text       page                        read                  reads                       clicked
    {"Output Power",  SettingsPage::OutputPower,  TabRead::Nothing,     {}},
    {"Misc",          SettingsPage::Misc,         TabRead::Nothing,     {}},
    {"TX EQ",         SettingsPage::TxEq,         TabRead::Nothing,     {}},
    {"AM",            SettingsPage::Am,           TabRead::UntilLoaded, readsOf(amReads)},
    {"CW",            SettingsPage::Cw,           TabRead::UntilLoaded, readsOf(cwReads)},
    {"DATA",          SettingsPage::Data,         TabRead::UntilLoaded, readsOf(dataReads)},
    {"FM",            SettingsPage::Fm,           TabRead::Afresh,      readsOf(fmReads)},
    {"RTTY",          SettingsPage::Rtty,         TabRead::UntilLoaded, readsOf(rttyReads)},
    {"SSB",           SettingsPage::Ssb,          TabRead::UntilLoaded, readsOf(ssbReads)},
    {"Vox",           SettingsPage::Vox,          TabRead::Nothing,     {}},
    {"Firmware",      SettingsPage::Firmware,     TabRead::Always,      readsOf(firmwareReads)},
    {"Contesting",    SettingsPage::Contesting,   TabRead::UntilLoaded, readsOf(contestingReads),   &Corvane::onContestingTabClicked},
};
// clang-format on

// The value field of an EX answer: what lies between the four-digit number and the ";". The
// radio fills it to the item's width; a longer field or anything but digits after an optional
// sign is a garbled answer.
std::string_view valueField(const std::string& answer, const CAT::MenuItem& item) {
    const size_t end = answer.find(';');
    if (answer.size() < 6 || end == std::string::npos || end < 7)
        throw std::invalid_argument("no value");
    const std::string_view field = std::string_view(answer).substr(6, end - 6);
    if (field.size() > static_cast<size_t>(item.answerWidth))
        throw std::invalid_argument(fmt::format("value wider than {:d}", item.answerWidth));
    const size_t digits = field.front() == '+' || field.front() == '-' ? 1 : 0;
    if (digits == field.size() || !std::all_of(field.begin() + static_cast<long>(digits), field.end(),
                                               [](char c) { return c >= '0' && c <= '9'; }))
        throw std::invalid_argument("value is not a number");
    return field;
}

const MenuRow& rowOf(const std::string& answer) {
    const int number = CAT::ParseMenuNumber(answer);
    const MenuRow* row = PageTables::findRow(number);
    if (!row)
        throw std::invalid_argument(fmt::format("no menu item {:04d}", number));
    return *row;
}

template <class Widget> Widget* pageWidget(const QWidget* window, const char* name) {
    return name ? window->findChild<Widget*>(name) : nullptr;
}

} // namespace

void Corvane::applyMenuAnswer(const std::string& answer) {
    const MenuRow& row = rowOf(answer);
    const CAT::MenuItem& item = *CAT::FindMenuItem(row.item);
    const std::string_view field = valueField(answer, item);
    // Kept for the settings file, whatever the page does with the answer.
    reportedMenu[row.item] = std::string(field);
    if (row.shape == Shape::Version) {
        if (field.size() != static_cast<size_t>(item.answerWidth))
            throw std::invalid_argument("version of the wrong width");
        if (auto* label = pageWidget<QLabel>(this, row.widget))
            label->setText(QString::fromStdString(CAT::ParseMenuVersion(answer, row.item)));
        return;
    }
    const int value = CAT::ParseMenu(answer, row.item);
    onSettingReported(row.item, value);
    // The sideband the mode display shows follows the BFO items wherever they are shown.
    showBfoValue(row.item, value);
    if (answerDropped(row))
        return;
    setPageLoaded(row, LoadedWhen::Before);
    if (row.effect)
        (this->*row.effect)(value);
    else
        showRowValue(row, value);
    setPageLoaded(row, LoadedWhen::After);
}

bool Corvane::answerDropped(const MenuRow& row) const {
    bool Corvane::*flag = PageTables::loadedFlag(row.page);
    switch (row.guard) {
    case AnswerGuard::None:
        return false;
    case AnswerGuard::Mouse:
        return MouseButtonHeld();
    case AnswerGuard::Page:
        return flag && this->*flag && MouseButtonHeld();
    }
    return false;
}

void Corvane::setPageLoaded(const MenuRow& row, LoadedWhen when) {
    if (bool Corvane::*flag = PageTables::loadedFlag(row.page); flag && row.loaded == when)
        this->*flag = true;
}

void Corvane::showRowValue(const MenuRow& row, int value) {
    if (row.toWidget)
        value = row.toWidget(value);
    QWidget* widget = pageWidget<QWidget>(this, row.widget);
    const int reported = value;
    if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        ShowQuietly(slider, &QAbstractSlider::setValue, value);
        value = slider->value();
    } else if (auto* spinBox = qobject_cast<QSpinBox*>(widget)) {
        ShowQuietly(spinBox, &QSpinBox::setValue, value);
        value = spinBox->value();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A choice the box does not offer leaves it as it was.
        if (value < 0 || value >= combo->count()) {
            Trace(fmt::format("{:s} has no choice {:d}\r\n", row.widget, value));
            return;
        }
        ShowQuietly(combo, &QComboBox::setCurrentIndex, value);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        ShowQuietly(check, &QCheckBox::setChecked, value == 1);
    }
    // The control shows the nearest value it has; the label says what the control shows.
    if (value != reported)
        Trace(fmt::format("{:s} shows {:d} for {:d}\r\n", row.widget, value, reported));
    showRowLabel(row, value);
}

void Corvane::showRowLabel(const MenuRow& row, int value) {
    if (auto* label = pageWidget<QLabel>(this, row.label))
        label->setText(QString::fromStdString(row.labelText(value)));
}

void Corvane::sendRowChange(const MenuRow& row, int widgetValue) {
    showRowLabel(row, widgetValue);
    if (row.send == SendGuard::ReadOnly || row.send == SendGuard::Elsewhere)
        return;
    bool Corvane::*flag = PageTables::loadedFlag(row.page);
    if (row.send == SendGuard::PageLoaded && flag && !(this->*flag))
        return;
    const int value = row.shape == Shape::Check ? (widgetValue == Qt::Checked ? 1 : 0) : widgetValue;
    sendIfOpen(row.command ? row.command(value) : CAT::SetMenu(row.item, value));
}

// The operator's changes reach the engine by the controls' own signals: combo boxes by the
// operator's choice only, spin boxes by every value the operator settles on, the others by
// every change of value (answers are shown with the signals blocked, so only the operator's
// changes arrive).
void Corvane::connectPageRows() {
    const auto connectRow = [this](const MenuRow& row) {
        QWidget* widget = pageWidget<QWidget>(this, row.widget);
        // Labels only show; the front panel's controls have handlers of their own.
        if (!widget || row.send == SendGuard::Elsewhere || row.shape == Shape::Version)
            return;
        if (row.send == SendGuard::ReadOnly) {
            widget->setEnabled(false);
            widget->setToolTip(QString::fromStdString(
                fmt::format("Set on the radio itself: menu {:02d}-{:02d}", row.item / 100, row.item % 100)));
            return;
        }
        const auto send = [this, &row](int value) { sendRowChange(row, value); };
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
            connect(slider, &QAbstractSlider::valueChanged, this, send);
        } else if (auto* spinBox = qobject_cast<QSpinBox*>(widget)) {
            // A typed value goes out once the operator has finished it (Enter or leaving the
            // box), not digit by digit; the arrows and the wheel still send each step.
            spinBox->setKeyboardTracking(false);
            connect(spinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, send);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            connect(combo, QOverload<int>::of(&QComboBox::activated), this, send);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            connect(check, &QCheckBox::stateChanged, this, send);
        }
    };
    for (const MenuRow& row : PageTables::menuRows())
        connectRow(row);
    for (const MenuRow& row : PageTables::commandRows())
        connectRow(row);
    connectModePages();
    connect(ui.tabWidget, &QTabWidget::tabBarClicked, this, &Corvane::on_uitabClicked);
}

void Corvane::on_uitabClicked(int index) {
    const QString text = ui.tabWidget->tabText(index);
    const auto* action = std::find_if(std::begin(tabActions), std::end(tabActions),
                                      [&text](const TabAction& a) { return text == a.text; });
    if (action == std::end(tabActions))
        return;
    // The keyer switch acts in the CW modes only.
    if (action->page == SettingsPage::Cw)
        enableKeyerByMode();
    if (action->clicked)
        (this->*action->clicked)();
    bool Corvane::*flag = PageTables::loadedFlag(action->page);
    switch (action->read) {
    case TabRead::Nothing:
        return;
    case TabRead::UntilLoaded:
        if (flag && this->*flag)
            return;
        break;
    case TabRead::Afresh:
        this->*flag = false;
        break;
    case TabRead::Always:
        break;
    }
    readPage(action->reads);
}

// The answers come back through ProcessCommmand and show on the page.
void Corvane::readPage(const ReadList& reads) {
    if (!serialPort || !serialPort->isOpen())
        return;
    for (const PageRead* read = reads.first; read != reads.last; ++read)
        write(read->item ? CAT::ReadMenu(read->item) : read->command(), false);
}

// 05-06, the radio's CAT rate: the port follows it, and the next start opens at it.
void Corvane::setCatRate(int code) {
    constexpr int speeds[] = {4800, 9600, 19200, 38400};
    if (code < 0 || code >= static_cast<int>(std::size(speeds))) {
        Trace(fmt::format("CAT rate {:d} names no speed\r\n", code));
        return;
    }
    const int baud = speeds[code];
    if (!serialPort || baud == portBaudRate)
        return;
    serialPort->setBaudRate(baud);
    portBaudRate = baud;
    SavePortSettings(portPath.toStdString(), baud);
}

void Corvane::keepContourLevel(int value) {
    contourLevel = value;
    if (contourDialog)
        contourDialog->ShowContourLevel(value);
}

void Corvane::keepContourWidth(int value) {
    contourWidth = value;
    if (contourDialog)
        contourDialog->ShowContourWidth(value);
}

void Corvane::keepNotchValue(int value) {
    notchMenuValue = value;
    if (manualNotchDialog)
        manualNotchDialog->ShowNotchWidth(value);
}
