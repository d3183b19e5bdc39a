// The General page's function buttons and check boxes: the bytes each click sends, the look
// it leaves, and the same with the port closed.

#include "tests/app/fixture.h"

#include <QApplication>
#include <QtTest/QTest>

namespace {

using Access = CorvaneTestAccess;

class ToggleTest : public FrontPanelTest {
protected:
    std::string sentBy(const std::function<void()>& action) {
        radio.readAvailable();
        action();
        return radioReceivesUntilQuiet();
    }
};

struct ToggleCase {
    const char* name;
    QPushButton* Ui::CorvaneClass::*button;
    const char* first;  // the first click: on
    const char* second; // the second click: off
};

// clang-format off
const ToggleCase toggleCases[] = {
    // name                     button                            on          off
    {"attenuator",              &Ui::CorvaneClass::btnATT,  "RA01;",    "RA00;"},
    {"IPO is the preamp off",   &Ui::CorvaneClass::btnIPO,  "PA00;",    "PA01;"},
    {"narrow",                  &Ui::CorvaneClass::btnNAR,  "NA01;",    "NA00;"},
    {"noise blanker",           &Ui::CorvaneClass::btnNB,   "NB01;",    "NB00;"},
    {"fast tuning",             &Ui::CorvaneClass::btnFST,  "FS1;",     "FS0;"},
    {"lock",                    &Ui::CorvaneClass::btnLOCK, "LK1;",     "LK0;"},
    {"monitor",                 &Ui::CorvaneClass::btnMON,  "ML0001;",  "ML0000;"},
    {"speech processor",        &Ui::CorvaneClass::btnPRC,  "PR01;",    "PR00;"},
    {"microphone equaliser",    &Ui::CorvaneClass::btnEQ,   "PR11;",    "PR10;"},
    {"VOX",                     &Ui::CorvaneClass::btnVox,  "VX1;",     "VX0;"},
    {"antenna tuner",           &Ui::CorvaneClass::btnTNR,  "AC001;",   "AC000;"},
    {"noise reduction",         &Ui::CorvaneClass::btnDNR,  "NR01;",    "NR00;"},
    {"digital notch",           &Ui::CorvaneClass::btnDNF,  "BC01;",    "BC00;"},
};
// clang-format on

} // namespace

TEST_F(ToggleTest, TwoClicksSwitchOnThenOff) {
    Corvane& w = *window;
    const QColor off = w.palette().color(QPalette::Button);
    for (const ToggleCase& c : toggleCases) {
        SCOPED_TRACE(c.name);
        QPushButton* button = w.ui.*c.button;
        EXPECT_EQ(sentBy([&] { button->click(); }), c.first);
        EXPECT_EQ(colourOf(button), QColor("green"));
        EXPECT_EQ(sentBy([&] { button->click(); }), c.second);
        EXPECT_EQ(colourOf(button), off);
    }
}

TEST_F(ToggleTest, OtherControlsSendTheirCommands) {
    struct Case {
        const char* name;
        std::function<void(Corvane&)> action;
        const char* sent;
    };
    const Case cases[] = {
        {"scan up", [](Corvane& w) { w.ui.rbScanUp->setChecked(true), w.ui.btnScan->click(); }, "SC1;"},
        {"scan stops", [](Corvane& w) { w.ui.btnScan->click(); }, "SC0;"},
        {"scan down", [](Corvane& w) { w.ui.rbScanDown->setChecked(true), w.ui.btnScan->click(); }, "SC2;"},
        {"scan stops again", [](Corvane& w) { w.ui.btnScan->click(); }, "SC0;"},
        {"tune", [](Corvane& w) { w.ui.btnTune->click(); }, "AC002;"},
        {"tune again", [](Corvane& w) { w.ui.btnTune->click(); }, "AC002;"},
        {"MOX on", [](Corvane& w) { w.ui.ckMox->click(); }, "MX1;"},
        {"MOX off", [](Corvane& w) { w.ui.ckMox->click(); }, "MX0;"},
        {"TX watch on", [](Corvane& w) { w.ui.ckTXWatch->click(); }, "TS1;"},
        {"TX watch off", [](Corvane& w) { w.ui.ckTXWatch->click(); }, "TS0;"},
        {"tuner ATAS", [](Corvane& w) { emit w.ui.cbTunerSelect->activated(2); }, "EX16152;"},
        {"noise blanker 10 ms", [](Corvane& w) { emit w.ui.cbNBWidth->activated(2); }, "EX05012;"},
        {"noise blanker 30 dB", [](Corvane& w) { emit w.ui.cbNBRejection->activated(1); }, "EX05021;"},
    };
    window->ui.ckTXWatch->setEnabled(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sentBy([&] { c.action(*window); }), c.sent);
    }
}

// The noise reduction switch is kept for the band and mode shown.
TEST_F(ToggleTest, NoiseReductionSwitchIsStoredForTheBandAndMode) {
    Corvane& w = *window;
    w.ui.cbBand->setCurrentIndex(5);
    w.ui.cbMode->setCurrentIndex(1);
    w.SaveBandModeSettings(-1, -1);
    EXPECT_EQ(sentBy([&] { w.ui.btnDNR->click(); }), "NR01;");
    EXPECT_EQ(Access::dnrEnabled(w), 1);
    EXPECT_EQ(query("select dnr_enabled from band_mode_settings where band = 5 and mode = 1"),
              (std::vector<std::vector<std::string>>{{"1"}}));
    EXPECT_EQ(sentBy([&] { w.ui.btnDNR->click(); }), "NR00;");
    EXPECT_EQ(query("select dnr_enabled from band_mode_settings where band = 5 and mode = 1"),
              (std::vector<std::vector<std::string>>{{"0"}}));
}

// With no port only the look changes; the DNR switch is still stored.
TEST_F(WindowTest, TogglesWithTheClosedPortOnlyChangeTheirLook) {
    storePort("/nonexistent/ttyCAT", 4800);
    answerPortDialog("", "", false); // the port dialog offered after the failure
    Corvane& w = start();
    w.show();
    w.ui.cbBand->setCurrentIndex(3);
    w.ui.cbMode->setCurrentIndex(1);
    w.SaveBandModeSettings(-1, -1);
    for (const ToggleCase& c : toggleCases) {
        SCOPED_TRACE(c.name);
        (w.ui.*c.button)->click();
        EXPECT_EQ(colourOf(w.ui.*c.button), QColor("green"));
    }
    w.ui.btnScan->click();
    EXPECT_EQ(colourOf(w.ui.btnScan), QColor("green"));
    w.ui.btnTune->click();
    w.ui.ckMox->click();
    emit w.ui.cbMeterType->activated(3);
    EXPECT_EQ(Access::meterType(w), 0) << "the meter choice waits for an open port";
    EXPECT_EQ(query("select dnr_enabled from band_mode_settings where band = 3 and mode = 1"),
              (std::vector<std::vector<std::string>>{{"1"}}));
}

// The power button runs the timed power sequences: on while the radio is off, off while the
// PS answer has painted it red.
TEST_F(ToggleTest, PowerButtonSwitchesTheRadioOnAndOff) {
    Corvane& w = *window;
    radio.readAvailable();
    w.ui.btnPWR->click();
    EXPECT_EQ(radioReceives("PS1;", 3000), "aslkdfk;PS1;");
    EXPECT_EQ(radioReceives("PS;", 5000), "aslkdfk;PS;");
    playReadBackEnd("IF001014074000+000000200000;");
    ASSERT_TRUE(runEventsUntil([&] { return w.isEnabled(); }, 3000));
    EXPECT_EQ(colourOf(w.ui.btnPWR), QColor("red"));
    radioReceivesUntilQuiet();
    w.ui.btnPWR->click();
    EXPECT_NE(colourOf(w.ui.btnPWR), QColor("red"));
    EXPECT_EQ(radioReceives("aslkdfk;", 3000).substr(0, 4), "PS0;");
}
