// The radio's reports of its functions and levels on the General page: the look they give,
// the rows a held mouse button holds back, and that no report is ever sent back.

#include "tests/app/fixture.h"

#include <QApplication>
#include <QStatusBar>

#include <fmt/format.h>

namespace {

using Access = CorvaneTestAccess;

class FunctionAnswerTest : public FrontPanelTest {
protected:
    QColor off() const { return window->palette().color(QPalette::Button); }
    void paintOff(QWidget* button) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, off());
        button->setPalette(palette);
    }
};

// A button lit by its answer: green for the on answer, default for the off answer, and an
// answer with another value leaves it as it was.
struct LightCase {
    const char* name;
    QPushButton* Ui::CorvaneClass::*button;
    const char* on;
    const char* off;
    const char* other;
    bool skippedWhileHeld;
};

// clang-format off
const LightCase lightCases[] = {
    // name                    button                           on         off        other      held
    {"tuner",                  &Ui::CorvaneClass::btnTNR,  "AC001;",   "AC000;",   "AC002;",   true},
    {"digital notch",          &Ui::CorvaneClass::btnDNF,  "BC01;",    "BC00;",    "BC02;",    true},
    {"fast tuning",            &Ui::CorvaneClass::btnFST,  "FS1;",     "FS0;",     "FS2;",     true},
    {"lock",                   &Ui::CorvaneClass::btnLOCK, "LK1;",     "LK0;",     "LK2;",     true},
    {"monitor",                &Ui::CorvaneClass::btnMON,  "ML0001;",  "ML0000;",  "ML0002;",  true},
    {"narrow",                 &Ui::CorvaneClass::btnNAR,  "NA01;",    "NA00;",    "NA02;",    false},
    {"noise blanker",          &Ui::CorvaneClass::btnNB,   "NB01;",    "NB00;",    "NB02;",    false},
    {"IPO is the preamp off",  &Ui::CorvaneClass::btnIPO,  "PA00;",    "PA01;",    "PA02;",    false},
    {"speech processor",       &Ui::CorvaneClass::btnPRC,  "PR01;",    "PR00;",    "PR02;",    false},
    {"microphone equaliser",   &Ui::CorvaneClass::btnEQ,   "PR11;",    "PR10;",    "PR12;",    false},
    {"attenuator",             &Ui::CorvaneClass::btnATT,  "RA01;",    "RA00;",    "RA02;",    false},
    {"VOX",                    &Ui::CorvaneClass::btnVox,  "VX1;",     "VX0;",     "VX2;",     true},
    {"scan",                   &Ui::CorvaneClass::btnScan, "SC1;",     "SC0;",     "SC3;",     false},
};
// clang-format on

} // namespace

TEST_F(FunctionAnswerTest, AnswersLightTheirButtons) {
    Corvane& w = *window;
    for (const LightCase& c : lightCases) {
        SCOPED_TRACE(c.name);
        QPushButton* button = w.ui.*c.button;
        paintOff(button);
        EXPECT_EQ(replyTo(c.on), "");
        EXPECT_EQ(colourOf(button), QColor("green"));
        EXPECT_EQ(replyTo(c.other), "");
        EXPECT_EQ(colourOf(button), QColor("green"));
        EXPECT_EQ(replyTo(c.off), "");
        EXPECT_EQ(colourOf(button), off());
        EXPECT_EQ(replyTo(c.other), "");
        EXPECT_EQ(colourOf(button), off());

        pressMouse();
        replyTo(c.on);
        EXPECT_EQ(colourOf(button), c.skippedWhileHeld ? off() : QColor("green"));
        releaseMouse();
        replyTo(c.off);
    }
}

TEST_F(FunctionAnswerTest, AnswersMoveTheirSliders) {
    struct Case {
        const char* name;
        QSlider* Ui::CorvaneClass::*slider;
        const char* answer;
        int value;
        bool skippedWhileHeld;
    };
    const Case cases[] = {
        {"AF gain", &Ui::CorvaneClass::Volume, "AG0123;", 123, true},
        {"microphone gain", &Ui::CorvaneClass::MicGain, "MG050;", 50, true},
        {"monitor level", &Ui::CorvaneClass::MON, "ML1042;", 42, true},
        {"noise blanker level", &Ui::CorvaneClass::NBLvl, "NL0007;", 7, true},
        {"processor level", &Ui::CorvaneClass::Comp, "PL033;", 33, false},
        {"RF gain", &Ui::CorvaneClass::RFGain, "RG0012;", 12, true},
        {"noise reduction level", &Ui::CorvaneClass::DNR, "RL009;", 9, true},
        {"squelch", &Ui::CorvaneClass::Squelch, "SQ0044;", 44, true},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QSlider* slider = w.ui.*c.slider;
        {
            const QSignalBlocker quiet(slider);
            slider->setValue(slider->minimum() + 1);
        }
        const int before = slider->value();
        pressMouse();
        EXPECT_EQ(replyTo(c.answer), "");
        EXPECT_EQ(slider->value(), c.skippedWhileHeld ? before : c.value);
        releaseMouse();
        EXPECT_EQ(replyTo(c.answer), "");
        EXPECT_EQ(slider->value(), c.value);
    }
}

TEST_F(FunctionAnswerTest, AnswersWithTheirOwnEffects) {
    struct Case {
        const char* name;
        const char* answer;
        const char* reply;
        std::function<bool(Corvane&)> shows;
    };
    const QColor green("green");
    const Case cases[] = {
        {"auto-information off is switched back on", "AI0;", "AI1;", [](Corvane&) { return true; }},
        {"auto-information on", "AI1;", "", [](Corvane&) { return true; }},
        {"clarifier on enables its controls", "CF010;", "",
         [](Corvane& w) { return w.ui.ckClarEnabled->isChecked() && w.ui.dial_Clarifier->isEnabled(); }},
        {"clarifier off", "CF000;", "",
         [](Corvane& w) { return !w.ui.ckClarEnabled->isChecked() && !w.ui.dial_Clarifier->isEnabled(); }},
        {"clarifier with another value", "CF020;", "",
         [](Corvane& w) { return !w.ui.ckClarEnabled->isChecked(); }},
        {"IF shift on moves the scroll bar", "IS01+0240;", "",
         [](Corvane& w) {
             return w.ui.ckIFShift->isChecked() && w.ui.hsIFShift->value() == 240 &&
                    w.ui.hsIFShift->isEnabled() && w.ui.ckIFShift->text() == "IFShift: 240";
         }},
        {"IF shift off", "IS00-0100;", "",
         [](Corvane& w) {
             return !w.ui.ckIFShift->isChecked() && w.ui.hsIFShift->value() == -100 &&
                    w.ui.ckIFShift->text() == "IFShift";
         }},
        {"MOX on", "MX1;", "", [](Corvane& w) { return w.ui.ckMox->isChecked(); }},
        {"MOX with another value", "MX2;", "", [](Corvane& w) { return w.ui.ckMox->isChecked(); }},
        {"MOX off", "MX0;", "", [](Corvane& w) { return !w.ui.ckMox->isChecked(); }},
        {"monitor on", "ML0001;", "", [](Corvane& w) { return Access::monitorOn(w); }},
        {"narrow on", "NA01;", "", [](Corvane& w) { return Access::narrowOn(w) == 1; }},
        {"noise reduction on", "NR01;", "",
         [green](Corvane& w) { return Access::dnrEnabled(w) == 1 && colourOf(w.ui.btnDNR) == green; }},
        {"noise reduction off", "NR00;", "",
         [green](Corvane& w) { return Access::dnrEnabled(w) == 0 && colourOf(w.ui.btnDNR) != green; }},
        {"normal mode", "RS0;", "",
         [](Corvane& w) { return w.statusBar()->currentMessage() == "Normal Mode Activated!"; }},
        {"menu mode", "RS1;", "",
         [](Corvane& w) { return w.statusBar()->currentMessage() == "Menu Mode Activated!"; }},
        {"scan up", "SC1;", "",
         [green](Corvane& w) { return colourOf(w.ui.btnScan) == green && w.ui.rbScanUp->isChecked(); }},
        {"scan down", "SC2;", "",
         [green](Corvane& w) { return colourOf(w.ui.btnScan) == green && w.ui.rbScanDown->isChecked(); }},
        {"split off: no TX watch", "ST0;", "", [](Corvane& w) { return !w.ui.ckTXWatch->isEnabled(); }},
        {"split: TX watch", "ST1;", "", [](Corvane& w) { return w.ui.ckTXWatch->isEnabled(); }},
        {"PLL locked", "UL0;", "",
         [](Corvane& w) { return w.statusBar()->currentMessage() == "PLL Locked"; }},
        {"PLL unlocked", "UL1;", "",
         [](Corvane& w) { return w.statusBar()->currentMessage() == "PLL Unlocked!"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replyTo(c.answer), c.reply);
        EXPECT_TRUE(c.shows(*window));
    }
}

// A nudge of the scroll bar after an IS report starts from the radio's shift.
TEST_F(FunctionAnswerTest, IfShiftNudgeStartsFromTheReportedShift) {
    Corvane& w = *window;
    replyTo("IS01+0200;");
    radio.readAvailable();
    w.ui.hsIFShift->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(radioReceivesUntilQuiet(), "IS01+0220;");
}

// Against the simulated radio that reports every accepted set: a burst of the radio's own
// reports for every widget of the General page makes the panel send nothing at all.
TEST_F(SimulatorPanelTest, ReportsAreNeverSentBack) {
    simulator.withRadio([](Sim::SimulatedRadio& r) {
        r.setReportUnchangedSets(true);
        return 0;
    });
    const std::string reports = "AG0100;MG060;ML1030;NL0004;PL020;RG0020;RL005;SQ0010;IS01+0100;CF010;"
                                "MX1;MX0;RA01;PA00;NA01;NB01;FS1;LK1;ML0001;PR01;PR11;VX1;AC001;BC01;"
                                "NR01;SC1;SC0;ST1;RA00;PA01;NA00;NB00;FS0;LK0;ML0000;PR00;PR10;VX0;"
                                "AC000;BC00;NR00;IS00+0000;CF000;TX1;TX0;BY1;BY0;MS3;";
    simulator.clearReceived();
    simulator.sendRaw(reports);
    ASSERT_TRUE(runEventsUntil([this] { return window->ui.cbMeterType->currentIndex() == 3; }, 3000));
    simulator.waitForQuiet(std::chrono::milliseconds(100), std::chrono::seconds(2),
                           [] { QApplication::processEvents(QEventLoop::AllEvents, 5); });
    EXPECT_EQ(simulatorCommands(), std::vector<std::string>{});
}
