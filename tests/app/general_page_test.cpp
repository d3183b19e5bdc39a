// The whole General page against the simulated FT-891: every button and slider drives the
// radio and follows the radio's own changes, the meter moves, and MOX shows the transmit scale.

#include "tests/app/fixture.h"

#include <QApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>

#include <set>

namespace {

class GeneralPageTest : public SimulatorPanelTest {
protected:
    GeneralPageTest() { meterPolling = true; }
    bool shows(const std::function<bool()>& done) { return runEventsUntil(done, 3000); }
    double barWidth() {
        const auto items = window->ui.gv_meter->scene()->items();
        const auto* bar = items.size() == 1 ? qgraphicsitem_cast<QGraphicsRectItem*>(items.front()) : nullptr;
        return bar ? bar->rect().width() : -1;
    }
};

} // namespace

TEST_F(GeneralPageTest, ButtonsAndSlidersWorkBothWays) {
    Corvane& w = *window;
    const QColor green("green");
    struct Toggle {
        const char* name;
        QPushButton* Ui::CorvaneClass::*button;
        const char* read; // the radio's setting
        int on;
        const char* radioOff; // the radio switching it off by itself
    };
    const Toggle toggles[] = {
        {"attenuator", &Ui::CorvaneClass::btnATT, "RA0;", 1, "RA00;"},
        {"IPO", &Ui::CorvaneClass::btnIPO, "PA0;", 0, "PA01;"},
        {"narrow", &Ui::CorvaneClass::btnNAR, "NA0;", 1, "NA00;"},
        {"noise blanker", &Ui::CorvaneClass::btnNB, "NB0;", 1, "NB00;"},
        {"fast tuning", &Ui::CorvaneClass::btnFST, "FS;", 1, "FS0;"},
        {"lock", &Ui::CorvaneClass::btnLOCK, "LK;", 1, "LK0;"},
        {"monitor", &Ui::CorvaneClass::btnMON, "ML0;", 1, "ML0000;"},
        {"processor", &Ui::CorvaneClass::btnPRC, "PR0;", 1, "PR00;"},
        {"equaliser", &Ui::CorvaneClass::btnEQ, "PR1;", 1, "PR10;"},
        {"VOX", &Ui::CorvaneClass::btnVox, "VX;", 1, "VX0;"},
        {"tuner", &Ui::CorvaneClass::btnTNR, "AC;", 1, "AC000;"},
        {"noise reduction", &Ui::CorvaneClass::btnDNR, "NR0;", 1, "NR00;"},
        {"digital notch", &Ui::CorvaneClass::btnDNF, "BC0;", 1, "BC00;"},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.name);
        QPushButton* button = w.ui.*t.button;
        if (colourOf(button) == green)
            button->click();
        button->click();
        EXPECT_TRUE(shows([&] { return simulator.value(t.read) == t.on; })) << simulator.value(t.read);
        EXPECT_EQ(colourOf(button), green);
    }

    struct Level {
        const char* name;
        QSlider* Ui::CorvaneClass::*slider;
        const char* read;
        int value;
        const char* radioSets;
        int radioValue;
    };
    const Level levels[] = {
        {"AF gain", &Ui::CorvaneClass::Volume, "AG0;", 140, "AG0090;", 90},
        {"RF gain", &Ui::CorvaneClass::RFGain, "RG0;", 20, "RG0010;", 10},
        {"squelch", &Ui::CorvaneClass::Squelch, "SQ0;", 30, "SQ0015;", 15},
        {"monitor level", &Ui::CorvaneClass::MON, "ML1;", 70, "ML1025;", 25},
        {"noise blanker level", &Ui::CorvaneClass::NBLvl, "NL0;", 8, "NL0002;", 2},
        {"noise reduction level", &Ui::CorvaneClass::DNR, "RL0;", 12, "RL003;", 3},
    };
    for (const Level& l : levels) {
        SCOPED_TRACE(l.name);
        (w.ui.*l.slider)->setValue(l.value);
        EXPECT_TRUE(shows([&] { return simulator.value(l.read) == l.value; })) << simulator.value(l.read);
    }

    w.ui.ckIFShift->setChecked(true);
    w.ui.hsIFShift->setValue(300);
    EXPECT_TRUE(shows([&] {
        return simulator.withRadio([](Sim::SimulatedRadio& r) { return r.values("IS0;"); }) ==
               Sim::IntPair{1, 300};
    }));

    // The radio's own changes show, and none goes back to it.
    settle();
    simulator.clearReceived();
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.name);
        simulator.operate(t.radioOff);
        EXPECT_TRUE(shows([&] { return colourOf(w.ui.*t.button) != green; }));
    }
    for (const Level& l : levels) {
        SCOPED_TRACE(l.name);
        simulator.operate(l.radioSets);
        EXPECT_TRUE(shows([&] { return (w.ui.*l.slider)->value() == l.radioValue; }));
    }
    simulator.operate("IS01-0200;");
    EXPECT_TRUE(shows([&] { return w.ui.hsIFShift->value() == -200; }));
    settle();
    for (const std::string& command : simulatorCommands())
        EXPECT_TRUE(command == "SM0;" || command.compare(0, 2, "RM") == 0) << command;
}

TEST_F(GeneralPageTest, MeterMovesAndMoxShowsTheTransmitScale) {
    Corvane& w = *window;
    std::set<int> widths;
    EXPECT_TRUE(shows([&] {
        widths.insert(static_cast<int>(barWidth()));
        return widths.size() >= 4;
    })) << "the bar stood still";

    emit w.ui.cbMeterType->activated(3);
    EXPECT_TRUE(shows([&] { return simulator.value("MS;") == 3; }));
    w.ui.ckMox->click();
    EXPECT_TRUE(shows([&] { return !w.ui.lbl1swr->isHidden() && w.ui.lblS9->isHidden(); }));
    EXPECT_TRUE(simulatorReceives("RM6;"));
    w.ui.ckMox->click();
    EXPECT_TRUE(shows([&] { return w.ui.lbl1swr->isHidden() && !w.ui.lblS9->isHidden(); }));
    EXPECT_EQ(simulator.value("TX;"), 0);
}
