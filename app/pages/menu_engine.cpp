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

// What a click on a tab reads from the radio.
enum class TabRead : std::uint8_t { Nothing, Always };
struct TabAction {
    const char* text;
    SettingsPage page;
    TabRead read;
    void (Corvane::*clicked)() = nullptr; // what else a click does
};
// The Output Power, Misc, TX EQ and Vox pages are filled by the start-up read-back and by the
// radio's reports; the firmware versions are asked for again at every click. The Contesting
// page reads its keyer memories and items until the radio has answered, and enables the
// group the mode can use.
// clang-format off
constexpr TabAction tabActions[] = {
    // tab text       page                        read              clicked
    {"Output Power",  SettingsPage::OutputPower,  TabRead::Nothing},
    {"Misc",          SettingsPage::Misc,         TabRead::Nothing},
    {"TX EQ",         SettingsPage::TxEq,         TabRead::Nothing},
    {"Vox",           SettingsPage::Vox,          TabRead::Nothing},
    {"Firmware",      SettingsPage::Firmware,     TabRead::Always},
    {"Contesting",    SettingsPage::Contesting,   TabRead::Nothing, &Corvane::onContestingTabClicked},
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
    if (row.shape == Shape::Version) {
        if (field.size() != static_cast<size_t>(item.answerWidth))
            throw std::invalid_argument("version of the wrong width");
        if (auto* label = pageWidget<QLabel>(this, row.widget))
            label->setText(QString::fromStdString(CAT::ParseMenuVersion(answer, row.item)));
        return;
    }
    const int value = CAT::ParseMenu(answer, row.item);
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
        label->setText(QString::fromStdString(fmt::format(fmt::runtime(row.format), value)));
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
// operator's choice only, the others by every change of value (answers are shown with the
// signals blocked, so only the operator's changes arrive).
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
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
            connect(slider, &QAbstractSlider::valueChanged, this, send);
        else if (auto* spinBox = qobject_cast<QSpinBox*>(widget))
            connect(spinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, send);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            connect(combo, QOverload<int>::of(&QComboBox::activated), this, send);
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            connect(check, &QCheckBox::stateChanged, this, send);
    };
    for (const MenuRow& row : PageTables::menuRows())
        connectRow(row);
    for (const MenuRow& row : PageTables::commandRows())
        connectRow(row);
    connect(ui.tabWidget, &QTabWidget::tabBarClicked, this, &Corvane::on_uitabClicked);
}

void Corvane::on_uitabClicked(int index) {
    const QString text = ui.tabWidget->tabText(index);
    const auto* action = std::find_if(std::begin(tabActions), std::end(tabActions),
                                      [&text](const TabAction& a) { return text == a.text; });
    if (action == std::end(tabActions))
        return;
    if (action->read == TabRead::Always)
        readPage(action->page);
    if (action->clicked)
        (this->*action->clicked)();
}

// A page's reads are its rows' items, in catalogue order; the answers come back through
// ProcessCommmand.
void Corvane::readPage(SettingsPage page) {
    if (!serialPort || !serialPort->isOpen())
        return;
    for (const MenuRow& row : PageTables::menuRows())
        if (row.page == page)
            write(CAT::ReadMenu(row.item), false);
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
