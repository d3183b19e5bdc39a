// The settings pages: the row table against the catalogue and the form, the operator's
// changes and the bytes they send, the radio's answers and what they show, tab clicks, and
// every page control after a read-back against the simulated radio.

#include "tests/app/fixture.h"

#include "app/pages/menu_rows.h"
#include "sim/menu_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QtTest/QTest>

#include <fmt/format.h>

#include <map>
#include <set>

namespace CAT = Yaesu::Commands::FT891;

namespace {

// Every row that names a control, menu rows and command rows alike.
std::vector<const MenuRow*> rowsWithControls() {
    std::vector<const MenuRow*> rows;
    for (const MenuRow& row : PageTables::menuRows())
        if (row.widget)
            rows.push_back(&row);
    for (const MenuRow& row : PageTables::commandRows())
        rows.push_back(&row);
    return rows;
}

bool shapeIs(const QWidget* widget, Shape shape) {
    switch (shape) {
    case Shape::Slider:
        return qobject_cast<const QAbstractSlider*>(widget);
    case Shape::SpinBox:
        return qobject_cast<const QSpinBox*>(widget);
    case Shape::Combo:
        return qobject_cast<const QComboBox*>(widget);
    case Shape::Check:
        return qobject_cast<const QCheckBox*>(widget);
    case Shape::Version:
        return qobject_cast<const QLabel*>(widget);
    case Shape::None:
        break;
    }
    return false;
}

// What a control shows, as the value of its item: a check box 1 or 0.
int shownValue(const QWidget* widget) {
    if (auto* slider = qobject_cast<const QAbstractSlider*>(widget))
        return slider->value();
    if (auto* spinBox = qobject_cast<const QSpinBox*>(widget))
        return spinBox->value();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentIndex();
    if (auto* check = qobject_cast<const QCheckBox*>(widget))
        return check->isChecked() ? 1 : 0;
    return -1000;
}

class PagesTest : public FrontPanelTest {
protected:
    template <class Widget = QWidget> Widget* control(const char* name) {
        auto* widget = window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString labelText(const char* name) { return control<QLabel>(name)->text(); }
    // The answers that mark the Misc, Output Power, Vox and TX EQ pages as loaded.
    void loadPages() {
        radioSends("EX051410;EX1606050;EX1619050;EX151805;");
        radio.readAvailable();
    }
    // The operator's choice of the next entry in a combo box, from the keyboard.
    void chooseNext(const char* name) {
        auto* combo = control<QComboBox>(name);
        focus(combo);
        QTest::keyClick(combo, Qt::Key_Down);
    }
    void clickTab(const QString& text) {
        QTabBar* bar = window->ui.tabWidget->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == text)
                QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
    }
    bool traced(const std::string& prefix) const {
        return std::any_of(traceLines.begin(), traceLines.end(),
                           [&prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    }
};

} // namespace

// One row per catalogue item, in catalogue order, and each control and label bound once, to a
// control of the form of the row's shape.
TEST_F(PagesTest, EveryCatalogueItemIsBoundOnce) {
    const auto& rows = PageTables::menuRows();
    const auto& catalogue = CAT::MenuCatalogue();
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].item, catalogue[i].number) << i;
    std::map<std::string, int> bound;
    for (const MenuRow* row : rowsWithControls()) {
        SCOPED_TRACE(row->widget);
        ++bound[row->widget];
        EXPECT_TRUE(shapeIs(control(row->widget), row->shape));
        if (row->label) {
            ++bound[row->label];
            EXPECT_NE(control<QLabel>(row->label), nullptr);
            EXPECT_TRUE(row->format || row->text);
        }
        // A control that edits must be able to send; one that only shows must not.
        const CAT::MenuItem* item = CAT::FindMenuItem(row->item);
        if (item && item->readOnly && !row->command) {
            EXPECT_TRUE(row->send == SendGuard::ReadOnly || row->send == SendGuard::Elsewhere);
        }
    }
    for (const auto& [name, count] : bound)
        EXPECT_EQ(count, 1) << name;
}

// A control holds exactly the values the radio accepts for its item: a narrower control would
// change the radio's value when the operator nudges it, a wider one offers values the radio
// refuses. The simulated radio's table of accepted ranges is the witness.
TEST_F(PagesTest, ControlRangesAreTheRadiosRanges) {
    for (const MenuRow& row : PageTables::menuRows()) {
        if (!row.widget || row.shape == Shape::Version)
            continue;
        SCOPED_TRACE(row.widget);
        const Sim::MenuSetting* accepted = Sim::findMenuSetting(row.item);
        ASSERT_NE(accepted, nullptr);
        QWidget* widget = control(row.widget);
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
            EXPECT_EQ(slider->minimum(), accepted->low);
            EXPECT_EQ(slider->maximum(), accepted->high);
        } else if (auto* spinBox = qobject_cast<QSpinBox*>(widget)) {
            EXPECT_EQ(spinBox->minimum(), accepted->low);
            EXPECT_EQ(spinBox->maximum(), accepted->high);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            const auto index = [&row](int value) { return row.toWidget ? row.toWidget(value) : value; };
            EXPECT_EQ(index(accepted->low), 0);
            EXPECT_EQ(combo->count(), index(accepted->high) + 1);
        }
    }
}

// Read-only items show the radio's value; the radio's own menu sets them.
TEST_F(PagesTest, ReadOnlyItemsCannotBeEdited) {
    for (const char* name :
         {"cbQuickDialStep", "cbSSBDialStep", "cbFmDialStep", "cbDialDialStep", "cbFmChStep"}) {
        QWidget* widget = control(name);
        EXPECT_FALSE(widget->isEnabled()) << name;
        EXPECT_TRUE(widget->toolTip().contains("radio itself")) << name;
    }
    EXPECT_TRUE(control("lblMain")->isEnabled());
    radioSends("EX14022;");
    EXPECT_EQ(control<QComboBox>("cbSSBDialStep")->currentText(), "10 Hz");
    EXPECT_EQ(radioReceivesFor(200), "");
}

// The operator's change of a control, once its page is loaded: one command with the value.
TEST_F(PagesTest, OperatorChangesSendOneCommand) {
    loadPages();
    struct Case {
        const char* name;
        std::function<void()> act;
        std::string sent;
    };
    const Case cases[] = {
        {"slider", [&] { control<QSlider>("lvlBeep")->setValue(55); }, "EX0504055;"},
        {"slider at the radio's low end", [&] { control<QSlider>("lvlBeep")->setValue(0); }, "EX0504000;"},
        {"slider with a step", [&] { control<QSlider>("lvlAGCMid")->setValue(1240); }, "EX01021240;"},
        {"signed spin box", [&] { control<QSpinBox>("sbRefReqAdj")->setValue(-3); }, "EX0517-03;"},
        {"spin box one step", [&] { control<QSpinBox>("sbBeconInterval")->stepBy(1); }, "EX0404001;"},
        {"combo box", [&] { chooseNext("cbAPO"); }, "EX05191;"},
        {"mic scan resume", [&] { chooseNext("cbMicScanResume"); }, "EX05161;"},
        {"combo box of the scope", [&] { chooseNext("cbScopeSpan"); }, "EX13021;"},
        {"check box on", [&] { control<QCheckBox>("chkbxCatRTS")->setChecked(true); }, "EX05081;"},
        {"check box off", [&] { control<QCheckBox>("chkbxCatRTS")->setChecked(false); }, "EX05080;"},
        {"AGC by GT", [&] { chooseNext("cbAGCFunc"); }, "GT01;"},
        {"VOX gain by VG", [&] { control<QSlider>("VoxLevel")->setValue(40); }, "VG040;"},
        {"VOX delay by VD", [&] { control<QSpinBox>("sbVoxDelay")->setValue(110); }, "VD0110;"},
        {"data VOX delay", [&] { control<QSpinBox>("sbDataVoxDelay")->setValue(300); }, "EX16210300;"},
        {"power slider", [&] { control<QSlider>("lvlVHFPower")->setValue(60); }, "EX1606060;"},
        {"AM power slider", [&] { control<QSlider>("lvlHFAMPower")->setValue(40); }, "EX1602040;"},
        {"EQ level", [&] { control<QSlider>("lvlMicHigh")->setValue(-7); }, "EX1508-07;"},
        {"EQ width", [&] { control<QSlider>("lvlMicLowWidth")->setValue(4); }, "EX150304;"},
        {"EQ frequency", [&] { chooseNext("cbProcMid"); }, "EX151301;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        EXPECT_EQ(radioReceives(c.sent, 1000), c.sent);
        EXPECT_EQ(radioReceivesFor(100), "");
    }
    EXPECT_EQ(labelText("lblBeep"), "0");
    EXPECT_EQ(labelText("lblVoxLevel"), "Vox Gain: 40");
    EXPECT_EQ(labelText("lblVHFPWR"), "CW/Data: 60");
    EXPECT_EQ(labelText("lbl0MicLow_3"), "-7");
    EXPECT_EQ(labelText("lbllvlMicLowWidth"), "Width: 4");
}

// A value typed into a spin box goes out once, when the operator is done with it (Enter, or
// the focus moving on), not digit by digit; an arrow key still sends its one step. One box of
// each kind: a menu item, one set by a command of its own, a command row, on four pages.
TEST_F(PagesTest, TypedSpinBoxValuesGoOutWhenEditingEnds) {
    loadPages();
    radioSends("EX0705050;EX0811050;"); // the CW and DATA pages
    struct Case {
        const char* name;
        QWidget* page;
        const char* widget;
        const char* typed;
        bool enter; // Enter ends the editing; otherwise the focus moves on
        std::string sent;
        std::string stepUp;
    };
    const Case cases[] = {
        {"beacon interval", window->ui.misc, "sbBeconInterval", "240", true, "EX0404240;", "EX0404241;"},
        {"signed, left by the focus", window->ui.misc, "sbRefReqAdj", "-12", false, "EX0517-12;",
         "EX0517-11;"},
        {"VOX delay by VD", window->ui.vox, "sbVoxDelay", "1500", true, "VD1500;", "VD1510;"},
        {"data VOX delay, left by the focus", window->ui.vox, "sbDataVoxDelay", "2500", false, "EX16212500;",
         "EX16212510;"},
        {"key speed by KS", window->ui.CW, "spbxKeySpeed", "25", true, "KS025;", "KS026;"},
        {"other display, left by the focus", window->ui.DATA, "sbOtherDISP", "-1230", false, "EX0803-1230;",
         "EX0803-1220;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->ui.tabWidget->setCurrentWidget(c.page);
        auto* box = control<QSpinBox>(c.widget);
        focus(box);
        box->selectAll();
        QTest::keyClicks(box, c.typed);
        EXPECT_EQ(radioReceivesUntilQuiet(), "") << "sent while typing";
        if (c.enter)
            QTest::keyClick(box, Qt::Key_Return);
        else
            focus(window->ui.tabWidget);
        EXPECT_EQ(radioReceivesUntilQuiet(), c.sent);
        focus(box);
        QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(radioReceivesUntilQuiet(), c.stepUp);
        focus(window->ui.tabWidget);
        EXPECT_EQ(radioReceivesUntilQuiet(), "") << "sent again as the focus left";
    }
}

// Before the radio has filled a page, its controls send nothing; the label still follows.
TEST_F(PagesTest, NothingIsSentBeforeThePageIsLoaded) {
    control<QSlider>("lvlBeep")->setValue(40);
    control<QSlider>("lvlHFAMPower")->setValue(20);
    control<QSlider>("lvlMicLowWidth")->setValue(4);
    control<QCheckBox>("chkbxFan")->setChecked(true);
    chooseNext("cbAGCFunc");
    EXPECT_EQ(radioReceivesFor(200), "");
    EXPECT_EQ(labelText("lbllvlMicLowWidth"), "Width: 4");
    // The answer that ends the Misc page's items opens it for the operator.
    radioSends("EX051410;");
    control<QSlider>("lvlBeep")->setValue(41);
    EXPECT_EQ(radioReceives("EX0504041;", 1000), "EX0504041;");
}

// An answer lands on its control and label, and nothing goes back to the radio: not even
// where the control cannot hold the value or its page is already loaded.
TEST_F(PagesTest, AnswersShowAndSendNothing) {
    loadPages();
    struct Case {
        const char* name;
        std::string answer;
        const char* widget;
        int value;
        const char* label;
        const char* text;
    };
    const Case cases[] = {
        {"slider with its label", "EX0504042;", "lvlBeep", 42, "lblBeep", "42"},
        {"AGC delay", "EX01032000;", "lvlAGCSlow", 2000, "lblAGCSlow", "2000 ms"},
        {"spin box", "EX0404030;", "sbBeconInterval", 30, nullptr, nullptr},
        {"signed spin box", "EX0513-12;", "sbQuickSplit", -12, nullptr, nullptr},
        {"combo box", "EX05192;", "cbAPO", 2, nullptr, nullptr},
        {"check box on", "EX05081;", "chkbxCatRTS", 1, nullptr, nullptr},
        {"check box off", "EX05080;", "chkbxCatRTS", 0, nullptr, nullptr},
        {"AGC by GT", "GT02;", "cbAGCFunc", 2, nullptr, nullptr},
        {"AGC auto slow shows AUTO", "GT06;", "cbAGCFunc", 4, nullptr, nullptr},
        {"power", "EX1603075;", "lvlHFPower", 75, "lblHFPOWER", "CW/Data: 75"},
        {"VOX gain by VG", "VG033;", "VoxLevel", 33, "lblVoxLevel", "Vox Gain: 33"},
        {"VOX gain item", "EX16170044;", "VoxLevel", 44, "lblVoxLevel", "Vox Gain: 44"},
        {"VOX delay by VD", "VD0750;", "sbVoxDelay", 750, nullptr, nullptr},
        {"anti-VOX", "EX1619077;", "AntiVox", 77, "lblAntiVox", "Anti Vox Gain: 77"},
        {"data VOX gain, three digits", "EX1620050;", "lvlDataVoxGain", 50, "lblDataVoxGain", "Vox Gain: 50"},
        {"EQ level", "EX1505+03;", "lvlMicMid", 3, "lbl0MicLow_2", "3"},
        {"EQ width", "EX151207;", "lvlProcLowWidth", 7, "lblProcLowWidth", "Width: 7"},
        {"EQ frequency", "EX150718;", "cbMicHigh", 18, nullptr, nullptr},
        {"dimmer", "DA01020304;", "lvlLCD", 3, "lblLCDDimmer", "3"},
        {"dimmer's first field", "DA01020304;", "lvlContrast", 1, "lblContrast", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        radioSends(c.answer);
        QWidget* widget = control(c.widget);
        EXPECT_EQ(shownValue(widget), c.value);
        if (c.label) {
            EXPECT_EQ(labelText(c.label), c.text);
        }
        EXPECT_EQ(radioReceivesFor(100), "");
    }
    radioSends("EX0404000;");
    EXPECT_EQ(control<QSpinBox>("sbBeconInterval")->text(), "OFF");
    // A value beyond the control shows as its nearest, and says so in the trace.
    radioSends("EX020100;");
    EXPECT_EQ(control<QSlider>("lvlContrast")->value(), 1);
    EXPECT_EQ(labelText("lblContrast"), "1");
    EXPECT_TRUE(traced("lvlContrast shows 1 for 0"));
    EXPECT_EQ(radioReceivesFor(100), "");
    radioSends("EX18010106;EX18020201;");
    EXPECT_EQ(labelText("lblMain"), "V01-06");
    EXPECT_EQ(labelText("lblDSP"), "V02-01");
}

// The PC level is the power of the mode the radio is on: it lands on that mode's slider.
TEST_F(PagesTest, PowerLevelLandsOnTheCurrentModesSlider) {
    loadPages();
    radioSends("PC070;");
    EXPECT_EQ(control<QSlider>("lvlHFPower")->value(), 5);
    EXPECT_TRUE(traced("power 70 W for a mode not known yet"));
    struct Case {
        const char* name;
        std::string report;
        std::string power;
        const char* slider;
        int watts;
        const char* label;
        const char* text;
    };
    const Case cases[] = {
        {"USB on 20 m", "IF001014074000+000000200000;", "PC060;", "lvlHFSSBPower", 60, "lblHFSSB", "SSB: 60"},
        {"AM on 40 m", "IF001007100000+000000500000;", "PC030;", "lvlHFAMPower", 30, "lblHFAM", "AM: 30"},
        {"CW on 6 m", "IF001050100000+000000300000;", "PC045;", "lvlVHFPower", 45, "lblVHFPWR",
         "CW/Data: 45"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        radioSends(c.report);
        radio.readAvailable();
        radioSends(c.power);
        EXPECT_EQ(control<QSlider>(c.slider)->value(), c.watts);
        EXPECT_EQ(labelText(c.label), c.text);
        // The IF report may bring the band's stored settings; no power item goes back.
        EXPECT_EQ(radioReceivesFor(100).find("EX16"), std::string::npos);
    }
    EXPECT_EQ(control<QSlider>("lvlHFPower")->value(), 5);
}

// A garbled or unknown menu answer changes nothing and leaves a trace line.
TEST_F(PagesTest, MalformedMenuAnswersAreDropped) {
    loadPages();
    radioSends("EX0504042;");
    for (const char* answer : {"EX1701000;", "EX0521001;", "EX05x4050;", "EX05040a2;", "EX050404200;",
                               "EX0504;", "EX0504+;", "EX180101;"}) {
        SCOPED_TRACE(answer);
        traceLines.clear();
        radioSends(answer);
        EXPECT_EQ(control<QSlider>("lvlBeep")->value(), 42);
        EXPECT_TRUE(traced(std::string("dropped ") + answer));
        EXPECT_EQ(radioReceivesFor(50), "");
    }
    EXPECT_EQ(labelText("lblMain"), "TextLabel");
}

// A garbled answer in the menu walk does not move the chain; the radio's next answer does.
TEST_F(WindowTest, MalformedMenuAnswerDuringTheReadBack) {
    storePort(radio.slavePath(), 38400);
    start();
    radioReceives("PS;");
    radioSends("PS1;");
    ASSERT_EQ(radioReceives("IF;"), "IF;");
    CorvaneTestAccess::awaitRead(*window, "EX0504;");
    radioSends("EX05040a2;");
    EXPECT_EQ(radioReceivesFor(200), "");
    radioSends("EX0504042;");
    EXPECT_EQ(radioReceives("EX0505;", 1000), "EX0505;");
    EXPECT_EQ(window->findChild<QSlider*>("lvlBeep")->value(), 42);
}

// While the operator holds the mouse button, answers leave a loaded page's controls alone.
TEST_F(PagesTest, HeldMouseButtonKeepsControlsStill) {
    loadPages();
    pressMouse();
    radioSends("EX1619077;EX0504042;VG033;EX13022;");
    releaseMouse();
    EXPECT_EQ(control<QSlider>("AntiVox")->value(), 50);
    EXPECT_NE(control<QSlider>("lvlBeep")->value(), 42);
    EXPECT_NE(control<QSlider>("VoxLevel")->value(), 33);
    EXPECT_NE(control<QComboBox>("cbScopeSpan")->currentIndex(), 2);
    radioSends("EX1619077;");
    EXPECT_EQ(control<QSlider>("AntiVox")->value(), 77);
}

// Only the Firmware tab reads, at every click; the other pages of these menus wait for the
// radio's reports.
TEST_F(PagesTest, TabClicks) {
    for (const char* tab : {"Output Power", "Misc", "TX EQ", "Vox", "General"}) {
        clickTab(tab);
        EXPECT_EQ(radioReceivesFor(150), "") << tab;
    }
    clickTab("Firmware");
    EXPECT_EQ(radioReceives("EX1803;", 1000), "EX1801;EX1802;EX1803;");
    clickTab("Firmware");
    EXPECT_EQ(radioReceives("EX1803;", 1000), "EX1801;EX1802;EX1803;");
    radioSends("EX18010106;EX18020201;EX18030103;");
    EXPECT_EQ(labelText("lblLCD"), "V01-03");
}

// The CAT rate item sets the port's own speed, kept for the next start; a value that names
// no speed changes nothing.
TEST_F(PagesTest, CatRateItemSetsThePortSpeed) {
    const auto storedBaud = [this] { return query("select baud_rate from port_settings"); };
    radioSends("EX05062;");
    EXPECT_EQ(storedBaud(), (std::vector<std::vector<std::string>>{{"19200"}}));
    radioSends("EX05067;");
    EXPECT_TRUE(traced("CAT rate 7 names no speed"));
    EXPECT_EQ(storedBaud(), (std::vector<std::vector<std::string>>{{"19200"}}));
    // The open port goes on working.
    radioSends("EX0504033;");
    EXPECT_EQ(control<QSlider>("lvlBeep")->value(), 33);
    EXPECT_EQ(radioReceivesFor(100), "");
}

namespace {

// The controls that show values of commands other than EX, with a value the simulated radio
// holds other than its factory one, and what the control shows for it. The APF is read only
// in the CW modes, so its controls are not here.
struct CommandValue {
    const char* widget;
    const char* read;
    int radio;
    int shown;
};
constexpr CommandValue commandValues[] = {
    {"cbAGCFunc", "GT0;", 5, 4}, // AGC auto slow is AUTO
    {"spbxKeySpeed", "KS;", 33, 33},  {"chkbxBreakIn", "BI;", 1, 1},      {"chkbxKeyerEnable", "KR;", 0, 0},
    {"chkCWSpot", "CS;", 1, 1},       {"vsKeyPitch", "KP;", 45, 750},     {"cbCTCSSTone", "CN00;", 30, 30},
    {"cbDCSCode", "CN01;", 103, 103}, {"cbRepeaterOffset", "OS0;", 2, 2},
};
const CommandValue* commandValue(const char* widget) {
    for (const CommandValue& value : commandValues)
        if (std::string(widget) == value.widget)
            return &value;
    return nullptr;
}

// A window read back from the simulated radio, whose every page item has been set to a value
// other than its factory one.
class ReadBackPagesTest : public WindowTest {
protected:
    void SetUp() override {
        simulator.setValue("MD0;", 2);
        simulator.setValue("FA;", 14074000);
        // A two-field value (CN) keeps its first field, the kind.
        for (const CommandValue& value : commandValues)
            simulator.setValue(value.read, value.radio);
        simulator.setValue("CT0;", 2);
        for (const MenuRow* row : rowsWithControls()) {
            if (row->item == 0 || row->shape == Shape::Version || row->send == SendGuard::Elsewhere)
                continue;
            const Sim::MenuSetting* accepted = Sim::findMenuSetting(row->item);
            simulator.setMenuValue(row->item,
                                   accepted->initial == accepted->high ? accepted->low : accepted->high);
        }
        // PC reports the power of the current mode, USB on 20 m.
        simulator.setValue("PC;", simulator.menuValue(1601));
        storePort(simulator.slavePath(), 38400);
        start();
        ASSERT_TRUE(readBackEndsOn(simulator));
    }
    void TearDown() override { window.reset(); }

    Sim::PtyRadio simulator;
};

} // namespace

// Every control of these pages shows the radio's value, every label says it, and the
// read-back set nothing on the radio's menu, VOX or AGC.
TEST_F(ReadBackPagesTest, EveryControlHoldsTheRadiosValue) {
    for (const MenuRow* row : rowsWithControls()) {
        SCOPED_TRACE(row->widget);
        QWidget* widget = window->findChild<QWidget*>(row->widget);
        if (row->shape == Shape::Version) {
            const int version = simulator.menuValue(row->item);
            EXPECT_EQ(qobject_cast<QLabel*>(widget)->text().toStdString(),
                      fmt::format("V{:02d}-{:02d}", version / 100, version % 100));
            continue;
        }
        const CommandValue* command = row->item ? nullptr : commandValue(row->widget);
        if (!row->item && !command)
            continue;
        const int radio = row->item ? simulator.menuValue(row->item) : command->radio;
        const int value = command ? command->shown : row->toWidget ? row->toWidget(radio) : radio;
        EXPECT_EQ(shownValue(widget), value);
        if (row->label) {
            EXPECT_EQ(window->findChild<QLabel*>(row->label)->text().toStdString(), row->labelText(value));
        }
    }
    EXPECT_TRUE(window->ui.rbCTCSSENCON->isChecked());
    // Reads only: of these kinds the read-back sends nothing else.
    const std::set<std::string> reads{"KS;",   "BI;",   "KR;",  "CS;",   "KP;",   "SD;",   "OS0;",
                                      "CN00;", "CN01;", "CT0;", "CO00;", "CO01;", "CO02;", "CO03;"};
    for (const Sim::ReceivedCommand& command : simulator.received())
        for (const char* kind : {"KS", "BI", "KR", "CS", "KP", "SD", "OS", "CN", "CT", "CO"})
            EXPECT_FALSE(command.text.rfind(kind, 0) == 0 && !reads.count(command.text)) << command.text;
    for (const Sim::ReceivedCommand& command : simulator.received()) {
        const std::string& text = command.text;
        EXPECT_FALSE(text.rfind("EX", 0) == 0 && text.size() > 7) << text;
        EXPECT_FALSE((text.rfind("VG", 0) == 0 || text.rfind("VD", 0) == 0) && text.size() > 3) << text;
        EXPECT_FALSE(text.rfind("GT", 0) == 0 && text != "GT0;") << text;
    }
}

// At the window's fixed size, with the widest texts their labels can take, no caption, value
// or choice of these pages is cut short.
TEST_F(ReadBackPagesTest, NothingIsClipped) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (const MenuRow* row : rowsWithControls()) {
        if (!row->label)
            continue;
        auto* slider = window->findChild<QAbstractSlider*>(row->widget);
        const std::string low = row->labelText(slider->minimum()), high = row->labelText(slider->maximum());
        window->findChild<QLabel*>(row->label)
            ->setText(QString::fromStdString(low.size() > high.size() ? low : high));
    }
    for (QWidget* page :
         {window->ui.vox, window->ui.OutputPower, window->ui.misc, window->ui.tab_2, window->ui.tab_3,
          window->ui.CW, window->ui.SSB, window->ui.AmTab, window->ui.FM, window->ui.DATA, window->ui.RTTY}) {
        window->ui.tabWidget->setCurrentWidget(page);
        runEventsFor(50);
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget) &&
                !qobject_cast<QComboBox*>(widget) && !qobject_cast<QSpinBox*>(widget) &&
                !qobject_cast<QGroupBox*>(widget))
                continue;
            SCOPED_TRACE(widget->objectName().toStdString());
            const QSize needed = widget->minimumSizeHint().expandedTo(
                qobject_cast<QLabel*>(widget) ? widget->sizeHint() : QSize());
            EXPECT_GE(widget->width(), needed.width());
            EXPECT_GE(widget->height(), needed.height());
            const QRect onPage(widget->mapTo(page, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(page->rect().contains(onPage));
        }
    }
}

// The tuning dial steps by the radio's own dial step setting, as its menu answer reports it.
TEST_F(PagesTest, TuningDialStepsByTheRadiosSetting) {
    radioSends("IF001007074000+000000200000;");
    radioReceivesFor(100);
    for (const auto& [answer, sent] :
         {std::pair<const char*, const char*>{"EX14021;", "FA007074005;"}, {"EX14022;", "FA007074010;"}}) {
        SCOPED_TRACE(answer);
        radioSends(answer);
        CorvaneTestAccess::restDials(*window);
        CorvaneTestAccess::vfoAFrequency(*window) = 7074000;
        CorvaneTestAccess::dialAPrevious(*window) = 20;
        {
            const QSignalBlocker still(window->ui.dial_VFOA);
            window->ui.dial_VFOA->setValue(20);
        }
        window->ui.dial_VFOA->setValue(21);
        EXPECT_EQ(radioReceives(sent, 1000), sent);
    }
}
