// The CW, SSB, AM, FM, DATA and RTTY pages: the operator's changes and the exact bytes they
// send, the radio's answers and what they show (with nothing sent back), and the reads of a
// click on each page's tab.

#include "tests/app/fixture.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QtTest/QTest>

#include <functional>

namespace {

class ModePagesTest : public FrontPanelTest {
public:
    template <class Widget = QWidget> Widget* control(const char* name) {
        auto* widget = window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString labelText(const char* name) { return control<QLabel>(name)->text(); }
    // The answers that mark the six pages as loaded.
    void loadPages() {
        radioSends("EX0705050;EX1106050;EX1612050;EX0811050;EX10101;CN01000;");
        radio.readAvailable();
    }
    // The operator's choice in a combo box, from the keyboard: the entry after `from`.
    void chooseAfter(const char* name, int from) {
        auto* combo = control<QComboBox>(name);
        {
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(from);
        }
        focus(combo);
        QTest::keyClick(combo, Qt::Key_Down);
    }
    void clickTab(const QString& text) {
        QTabBar* bar = window->ui.tabWidget->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == text)
                QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
    }
};

struct OperatorCase {
    const char* name;
    std::function<void(ModePagesTest&)> act;
    std::string sent;
};

} // namespace

// One operator change, one command with the radio's value, once the page is loaded.
TEST_F(ModePagesTest, OperatorChangesSendOneCommand) {
    loadPages();
    const auto slide = [](const char* name, int value) {
        return [name, value](ModePagesTest& t) { t.control<QAbstractSlider>(name)->setValue(value); };
    };
    const auto tick = [](const char* name, bool on) {
        return [name, on](ModePagesTest& t) { t.control<QCheckBox>(name)->setChecked(on); };
    };
    const auto choose = [](const char* name, int from) {
        return [name, from](ModePagesTest& t) { t.chooseAfter(name, from); };
    };
    const OperatorCase cases[] = {
        {"CW low cut at the top", slide("lvlCWLCutFreq", 19), "EX070119;"},
        {"CW high-cut slope", choose("cbCWHCutSlope", 0), "EX07041;"},
        {"CW weight", slide("lvlCWWeight", 40), "EX040340;"},
        {"CW break-in delay", slide("lvlCWBKINDelay", 450), "EX07090450;"},
        {"wave shape 4 ms is 2", choose("cbWaveShape", 0), "EX07102;"},
        {"QSK delay", choose("cbCWQSKDelayTime", 2), "EX07133;"},
        {"key speed one step up", [](ModePagesTest& t) { t.control<QSpinBox>("spbxKeySpeed")->stepBy(1); },
         "KS016;"},
        {"break-in on", tick("chkbxBreakIn", true), "BI1;"},
        {"break-in off", tick("chkbxBreakIn", false), "BI0;"},
        {"keyer on", tick("chkbxKeyerEnable", true), "KR1;"},
        {"CW spot on", tick("chkCWSpot", true), "CS1;"},
        {"APF on", tick("ckAPF", true), "CO020001;"},
        {"APF level at its bottom", slide("lvlAPF", 0), "CO030000;"},
        {"APF width", choose("cbApfWidth", 1), "EX12012;"},
        {"SSB high cut", slide("lvlSSBHCutFreq", 67), "EX110367;"},
        {"SSB TX band-pass", choose("cbSSBTxBPF", 3), "EX11094;"},
        {"SSB mic gain", slide("lvlSSBMicGain", 40), "EX1607040;"},
        {"AM out level at the radio's top", slide("lvlAMOutLevel", 100), "EX0606100;"},
        {"AM low cut first step", slide("lvlAMLCutFreq", 1), "EX060101;"},
        {"FM out level", slide("lvlFMOut", 30), "EX0902030;"},
        {"FM data gain", slide("lvlFMDataGain", 70), "EX1613070;"},
        {"DCS polarity", choose("cbDCSPolarity", 2), "EX09063;"},
        {"CTCSS tone 100.0 Hz", choose("cbCTCSSTone", 11), "CN00012;"},
        {"DCS code 754, the last", choose("cbDCSCode", 102), "CN01103;"},
        {"repeater offset plus", choose("cbRepeaterOffset", 0), "OS01;"},
        {"DATA out level", slide("lvlDATAOut", 37), "EX0811037;"},
        {"DATA other shift one step",
         [](ModePagesTest& t) { t.control<QSpinBox>("sbOtherShift")->stepBy(1); }, "EX0804+0010;"},
        {"DATA gain", slide("lvlDataGain", 60), "EX1614060;"},
        {"RTTY out level", slide("lvlRTTYOut", 75), "EX1008075;"},
        {"RTTY BFO", choose("cbRTTYBfo", 0), "EX10111;"},
    };
    for (const OperatorCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.act(*this);
        EXPECT_EQ(radioReceivesUntilQuiet(), c.sent);
    }
    EXPECT_EQ(labelText("lblLcutStart_CW"), "1000 Hz");
    EXPECT_EQ(labelText("lblCWWeight"), "CW Weight: 40");
    EXPECT_EQ(labelText("lblApfLevelValue"), "-250");
    EXPECT_EQ(labelText("lblDataOutValue"), "37");
    EXPECT_EQ(labelText("lblLcutStart"), "100 Hz");
    EXPECT_EQ(control<QComboBox>("cbDCSCode")->currentText(), "754");
    control<QAbstractSlider>("lvlAPF")->setValue(50);
    EXPECT_EQ(labelText("lblApfLevelValue"), "250");
    radioReceivesUntilQuiet();
}

// The tone squelch mode: the operator's choice of a button sends that button's mode once;
// the radio's report checks a button and sends nothing.
TEST_F(ModePagesTest, ToneModeButtons) {
    loadPages();
    const struct {
        const char* button;
        std::string sent;
    } choices[] = {{"rbCTCSSENCON", "CT02;"}, {"rbDCSON", "CT03;"}, {"rbCTCSSOFF", "CT00;"}};
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.button);
        control<QRadioButton>(choice.button)->click();
        EXPECT_EQ(radioReceivesUntilQuiet(), choice.sent);
    }
    // Clicking the checked button again changes nothing.
    control<QRadioButton>("rbCTCSSOFF")->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
    for (const auto& [answer, button] :
         {std::pair<const char*, const char*>{"CT01;", "rbCTCSSENCDECON"}, {"CT03;", "rbDCSON"}}) {
        SCOPED_TRACE(answer);
        radioSends(answer);
        EXPECT_TRUE(control<QRadioButton>(button)->isChecked());
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
    }
    radioSends("CT07;");
    EXPECT_TRUE(control<QRadioButton>("rbDCSON")->isChecked());
}

// Before a page is loaded its controls send nothing; the labels still follow.
TEST_F(ModePagesTest, NothingIsSentBeforeThePageIsLoaded) {
    control<QAbstractSlider>("lvlSSBHCutFreq")->setValue(1);
    control<QAbstractSlider>("lvlFMMicGain")->setValue(20);
    control<QSpinBox>("spbxKeySpeed")->stepBy(1);
    chooseAfter("cbCTCSSTone", 0);
    control<QRadioButton>("rbDCSON")->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
    EXPECT_EQ(labelText("lblHcutStart_SSB"), "700 Hz");
    EXPECT_EQ(labelText("lblFMMicGain"), "Mic Gain: 20");
    // The APF answers to the port alone.
    control<QAbstractSlider>("lvlAPF")->setValue(30);
    EXPECT_EQ(radioReceivesUntilQuiet(), "CO030030;");
}

namespace {
struct AnswerCase {
    const char* name;
    std::string answer;
    const char* widget;
    int value;
    const char* label;
    const char* text;
};
} // namespace

// Answers land on their control and label, and nothing goes back to the radio.
TEST_F(ModePagesTest, AnswersShowAndSendNothing) {
    loadPages();
    const AnswerCase cases[] = {
        {"CW low cut off", "EX070100;", "lvlCWLCutFreq", 0, "lblLcutStart_CW", "OFF"},
        {"CW low cut first step", "EX070101;", "lvlCWLCutFreq", 1, "lblLcutStart_CW", "100 Hz"},
        {"CW low cut top", "EX070119;", "lvlCWLCutFreq", 19, "lblLcutStart_CW", "1000 Hz"},
        {"CW high cut off", "EX070300;", "lvlCWHCutFreq", 0, "lblHcutStart_CW", "OFF"},
        {"CW high cut first step", "EX070301;", "lvlCWHCutFreq", 1, "lblHcutStart_CW", "700 Hz"},
        {"CW high cut top", "EX070367;", "lvlCWHCutFreq", 67, "lblHcutStart_CW", "4000 Hz"},
        {"SSB low cut top", "EX110119;", "lvlSSBLCutFreq", 19, "lblLcutStart_SSB", "1000 Hz"},
        {"SSB high cut first step", "EX110301;", "lvlSSBHCutFreq", 1, "lblHcutStart_SSB", "700 Hz"},
        {"AM low cut off", "EX060100;", "lvlAMLCutFreq", 0, "lblLcutStart", "OFF"},
        {"AM high cut top", "EX060367;", "lvlAMHCutFreq", 67, "lblHcutStart", "4000 Hz"},
        {"DATA low cut first step", "EX080501;", "lvlDATALCutFreq", 1, "lblLcutStart_DATA", "100 Hz"},
        {"DATA high cut off", "EX080700;", "lvlDATAHCutFreq", 0, "lblHcutStart_DATA", "OFF"},
        {"RTTY low cut off", "EX100100;", "lvlRTTYLCutFreq", 0, "lblLcutStart_DATA_2", "OFF"},
        {"RTTY high cut top", "EX100367;", "lvlRTTYHCutFreq", 67, "lblHcutStart_DATA_2", "4000 Hz"},
        {"wave shape 1 is 2 ms", "EX07101;", "cbWaveShape", 0, nullptr, nullptr},
        {"CW out level", "EX0705080;", "lvlCWOutLevel", 80, "lblCWOutLevel", "Out Level: 80"},
        {"key speed as reported", "KS020;", "spbxKeySpeed", 20, nullptr, nullptr},
        {"key pitch", "KP30;", "vsKeyPitch", 600, "lblKeyPitchValue", "600 Hz"},
        {"key pitch top", "KP75;", "vsKeyPitch", 1050, "lblKeyPitchValue", "1050 Hz"},
        {"break-in delay by SD", "SD0450;", "lvlCWBKINDelay", 450, "lblCWBkInDelay", "BK-IN Delay: 450 ms"},
        {"break-in", "BI1;", "chkbxBreakIn", 1, nullptr, nullptr},
        {"keyer", "KR0;", "chkbxKeyerEnable", 0, nullptr, nullptr},
        {"CW spot", "CS1;", "chkCWSpot", 1, nullptr, nullptr},
        {"APF level", "CO030040;", "lvlAPF", 40, "lblApfLevelValue", "150"},
        {"APF on", "CO020001;", "ckAPF", 1, nullptr, nullptr},
        {"APF width", "EX12012;", "cbApfWidth", 2, nullptr, nullptr},
        {"CTCSS tone", "CN00012;", "cbCTCSSTone", 12, nullptr, nullptr},
        {"DCS 754, the last code", "CN01103;", "cbDCSCode", 103, nullptr, nullptr},
        {"repeater offset", "OS02;", "cbRepeaterOffset", 2, nullptr, nullptr},
        {"FM mic gain", "EX1609033;", "lvlFMMicGain", 33, "lblFMMicGain", "Mic Gain: 33"},
        {"DATA other display", "EX0803-1200;", "sbOtherDISP", -1200, nullptr, nullptr},
        {"DATA gain", "EX1614045;", "lvlDataGain", 45, "lblDataGain", "DATA GAIN: 45"},
        {"RTTY mark", "EX10100;", "cbRTTYMarkFreq", 0, nullptr, nullptr},
        {"SSB data gain", "EX1611066;", "lvlSSBDataGain", 66, "lblSSBDataGain", "Data Gain: 66"},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        radioSends(c.answer);
        QWidget* widget = control(c.widget);
        int shown = -1;
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
            shown = slider->value();
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            shown = spin->value();
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            shown = combo->currentIndex();
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            shown = check->isChecked() ? 1 : 0;
        EXPECT_EQ(shown, c.value);
        if (c.label) {
            EXPECT_EQ(labelText(c.label), c.text);
        }
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
    }
    EXPECT_EQ(control<QComboBox>("cbDCSCode")->currentText(), "754");
    EXPECT_EQ(control<QComboBox>("cbCTCSSTone")->currentText(), "100.0 Hz");
    // The APF switch carries its controls with it.
    EXPECT_TRUE(control("lvlAPF")->isEnabled());
    radioSends("CO020000;");
    for (const char* name : {"lvlAPF", "cbApfWidth", "lblApfLevelValue", "lblAPFPeak", "label_4"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    // The key speed the radio reports, one step up, goes back as the next speed.
    radioSends("KS020;");
    control<QSpinBox>("spbxKeySpeed")->stepBy(1);
    EXPECT_EQ(radioReceivesUntilQuiet(), "KS021;");
}

// The key speed box keeps still while the operator types in it or holds the mouse button.
TEST_F(ModePagesTest, KeySpeedWaitsForTheOperator) {
    loadPages();
    window->ui.tabWidget->setCurrentWidget(window->ui.CW);
    auto* box = control<QSpinBox>("spbxKeySpeed");
    focus(box);
    radioSends("KS030;");
    EXPECT_EQ(box->value(), 15);
    focus(window->ui.cbMode);
    pressMouse();
    radioSends("KS031;");
    releaseMouse();
    EXPECT_EQ(box->value(), 15);
    radioSends("KS032;");
    EXPECT_EQ(box->value(), 32);
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
}

// A click on a page's tab reads the page until it is loaded; FM at every click, and its
// controls wait for the DCS answer even when it comes while the button is still held.
TEST_F(ModePagesTest, TabReads) {
    const struct {
        const char* tab;
        std::string reads;
        std::string loads;
    } pages[] = {
        {"CW",
         "BI;KR;KP;KS;EX0703;EX0701;EX0704;EX0702;EX0706;EX0707;EX0710;EX0711;EX0712;EX0713;EX0709;"
         "EX0401;EX0402;EX0403;EX0708;EX1201;EX0705;CS;CO02;CO03;",
         "EX0705050;"},
        {"SSB", "EX1101;EX1102;EX1103;EX1104;EX1105;EX1108;EX1109;EX1607;EX1611;EX1107;EX1106;",
         "EX1106050;"},
        {"AM", "EX0601;EX0602;EX0603;EX0604;EX0605;EX0607;EX1608;EX1612;EX0606;", "EX1612050;"},
        {"DATA",
         "EX0805;EX0807;EX0806;EX0808;EX0803;EX1622;EX1610;EX0804;EX0801;EX0802;EX0809;EX0810;EX0812;EX1614;"
         "EX0811;",
         "EX0811050;"},
        {"RTTY", "EX1003;EX1001;EX1004;EX1002;EX1009;EX1006;EX1007;EX1005;EX1008;EX1011;EX1010;", "EX10101;"},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.tab);
        clickTab(page.tab);
        EXPECT_EQ(radioReceivesUntilQuiet(), page.reads);
        radioSends(page.loads);
        clickTab(page.tab);
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
    }
    const std::string fmReads =
        "EX0901;EX0903;EX0904;EX0905;EX0902;EX1609;EX0906;OS0;CN00;CN01;CT0;EX1613;OS0;";
    for (int click = 0; click < 2; ++click) {
        clickTab("FM");
        EXPECT_EQ(radioReceivesUntilQuiet(), fmReads);
        // Cleared by the click: nothing goes out until the DCS code is in.
        control<QAbstractSlider>("lvlFMOut")->setValue(10 + click);
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
        pressMouse();
        radioSends("CN01005;");
        releaseMouse();
        control<QAbstractSlider>("lvlFMOut")->setValue(20 + click);
        EXPECT_EQ(radioReceivesUntilQuiet(), click ? "EX0902021;" : "EX0902020;");
    }
}

// The keyer switch follows the mode the CW tab finds.
TEST_F(ModePagesTest, CwTabEnablesTheKeyerInCwModes) {
    for (const auto& [mode, enabled] : {std::pair<int, bool>{3, true}, {1, false}, {5, true}, {0, false}}) {
        SCOPED_TRACE(mode);
        window->ui.cbMode->setCurrentIndex(mode);
        clickTab("CW");
        EXPECT_EQ(control("chkbxKeyerEnable")->isEnabled(), enabled);
        radioSends("EX0705050;");
    }
}

// Garbled or out-of-range reports change nothing and are traced.
TEST_F(ModePagesTest, BadReportsAreDropped) {
    loadPages();
    radioSends("CN00012;KS020;");
    for (const char* answer : {"CN0x012;", "KSabc;", "CT0;", "CN00099;"}) {
        SCOPED_TRACE(answer);
        radioSends(answer);
        EXPECT_EQ(control<QComboBox>("cbCTCSSTone")->currentIndex(), 12);
        EXPECT_EQ(control<QSpinBox>("spbxKeySpeed")->value(), 20);
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
    }
    EXPECT_FALSE(traceLines.empty());
}

namespace {

// A window read back from the simulated radio in CW, the only modes whose read-back asks for
// the APF.
class CwReadBackTest : public WindowTest {
protected:
    void SetUp() override {
        simulator.setValue("MD0;", 3);
        simulator.setValue("FA;", 7030000);
        simulator.setValue("CO02;", 1);
        simulator.setValue("CO03;", 40);
        simulator.setValue("KS;", 28);
        simulator.setValue("KP;", 45);
        storePort(simulator.slavePath(), 38400);
        start();
        ASSERT_TRUE(readBackEndsOn(simulator));
    }
    void TearDown() override { window.reset(); }

    Sim::PtyRadio simulator;
};

} // namespace

// The APF, key speed and pitch show the radio's values after the read-back, and the CW tab
// then reads nothing: the read-back has filled the page.
TEST_F(CwReadBackTest, ApfKeySpeedAndPitchHoldTheRadiosValues) {
    EXPECT_TRUE(window->ui.ckAPF->isChecked());
    EXPECT_TRUE(window->ui.lvlAPF->isEnabled());
    EXPECT_EQ(window->ui.lvlAPF->value(), 40);
    EXPECT_EQ(window->ui.lblApfLevelValue->text(), "150");
    EXPECT_EQ(window->ui.spbxKeySpeed->value(), 28);
    EXPECT_EQ(window->ui.vsKeyPitch->value(), 750);
    EXPECT_EQ(window->ui.lblKeyPitchValue->text(), "750 Hz");
    simulator.clearReceived();
    window->on_uitabClicked(window->ui.tabWidget->indexOf(window->ui.CW));
    simulator.waitForQuiet(std::chrono::milliseconds(200), std::chrono::seconds(3),
                           [] { QApplication::processEvents(QEventLoop::AllEvents, 5); });
    EXPECT_TRUE(simulator.received().empty());
    EXPECT_TRUE(window->ui.chkbxKeyerEnable->isEnabled());
}
