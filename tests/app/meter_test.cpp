// The meter bar, its scales and the busy label from the radio's meter answers, the meter
// choice, and the meter readings the panel asks for while the radio is on.

#include "tests/app/fixture.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>

#include <cmath>

namespace {

using Access = CorvaneTestAccess;

enum Scale { SMeter, Comp, Alc, Po, Swr, Id };

std::vector<QWidget*> labelsOf(Corvane& w, Scale scale) {
    Ui::CorvaneClass& ui = w.ui;
    switch (scale) {
    case SMeter:
        return {ui.lblS1, ui.lblS3, ui.lblS5, ui.lblS7, ui.lblS9, ui.lblS20db, ui.lblS40db, ui.lblS60};
    case Comp:
        return {ui.lblComp_0,  ui.lblComp_5,  ui.lblComp_10, ui.lblComp_15,
                ui.lblComp_20, ui.lblComp_25, ui.lblComp_30};
    case Alc:
        return {ui.lblalc};
    case Po:
        return {ui.lbl0watt, ui.lbl10watt, ui.lbl20watt, ui.lbl50watt, ui.lbl100watt, ui.lbl150watt};
    case Swr:
        return {ui.lbl1swr, ui.lbl1_5swr, ui.lbl2swr, ui.lbl3swr, ui.lblinfswr};
    case Id:
        return {ui.lbl0A, ui.lbl5A, ui.lbl10A, ui.lbl15A, ui.lbl20A, ui.lbl25A, ui.lbl30A};
    }
    return {};
}

// The scales whose labels all show; a scale with some labels shown and some hidden is a fault.
std::vector<Scale> shownScales(Corvane& w) {
    std::vector<Scale> shown;
    for (Scale scale : {SMeter, Comp, Alc, Po, Swr, Id}) {
        int visible = 0;
        const auto labels = labelsOf(w, scale);
        for (QWidget* label : labels)
            visible += label->isHidden() ? 0 : 1;
        if (visible == static_cast<int>(labels.size()))
            shown.push_back(scale);
        else
            EXPECT_EQ(visible, 0) << "scale " << scale << " is half shown";
    }
    return shown;
}

double barWidth(Corvane& w) {
    const auto items = w.ui.gv_meter->scene()->items();
    const auto* bar = items.size() == 1 ? qgraphicsitem_cast<QGraphicsRectItem*>(items.front()) : nullptr;
    if (!bar) {
        ADD_FAILURE() << "the scene holds " << items.size() << " items, not one bar";
        return -1;
    }
    return bar->rect().width();
}

QColor busyColour(Corvane& w) {
    return w.ui.lblBusyIndicator->palette().color(QPalette::Window);
}

class MeterTest : public FrontPanelTest {
protected:
    void SetUp() override {
        FrontPanelTest::SetUp();
        // A contents rectangle 255 units wide: one unit per step of a reading.
        QGraphicsView* view = window->ui.gv_meter;
        view->resize(255 + 2 * view->frameWidth(), view->height());
    }
};

} // namespace

TEST_F(MeterTest, MeterReadingsDrawTheBarAndAskWhetherTheReceiverIsBusy) {
    struct Case {
        const char* name;
        bool transmitting;
        int meterType;
        float lastBusyLevel;
        const char* answer;
        double bar;
        const char* sent;
    };
    const Case cases[] = {
        {"a jump of the level asks", false, 2, 0.1f, "RM1128;", 128, "BY;"},
        {"the first reading only sets the base", false, 2, 0, "RM1128;", 128, ""},
        {"transmitting: no busy check", true, 2, 0.1f, "RM0200;", 200, ""},
        {"no such meter: empty bar, still asks", false, 2, 0.1f, "RM9200;", 0, "BY;"},
        {"a transmit meter", false, 2, 0.1f, "RM5255;", 255, ""},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Access::transmitting(w) = c.transmitting;
        Access::meterType(w) = c.meterType;
        Access::lastBusyLevel(w) = c.lastBusyLevel;
        EXPECT_EQ(replyTo(c.answer), c.sent);
        EXPECT_NEAR(barWidth(w), c.bar, 1e-3);
    }
    // After a first reading of 128, a full reading is a jump of more than 0.34.
    Access::lastBusyLevel(w) = 0;
    Access::transmitting(w) = false;
    EXPECT_EQ(replyTo("RM1128;"), "");
    EXPECT_EQ(busyColour(w), w.palette().color(QPalette::Button));
    EXPECT_EQ(replyTo("RM1255;"), "BY;");
    // The power-off sequence draws an empty bar with an answer of its own, without ";".
    w.ProcessCommmand("RM0000");
    EXPECT_NEAR(barWidth(w), 0, 1e-3);
    // A garbled reading is dropped with a trace line.
    traceLines.clear();
    EXPECT_EQ(replyTo("RMx12;"), "");
    EXPECT_EQ(std::count_if(traceLines.begin(), traceLines.end(),
                            [](const std::string& l) { return l.rfind("dropped RMx12;", 0) == 0; }),
              1);
}

TEST_F(MeterTest, SMeterBarAndBusyLabel) {
    Corvane& w = *window;
    EXPECT_EQ(replyTo("SM0128;"), "");
    EXPECT_NEAR(barWidth(w), w.ui.gv_meter->width() * 128.0 / 255.0, 1e-3);
    EXPECT_EQ(replyTo("BY1;"), "");
    EXPECT_EQ(busyColour(w), QColor(Qt::blue));
    EXPECT_EQ(replyTo("BY0;"), "");
    EXPECT_EQ(busyColour(w), w.palette().color(QPalette::Button));
}

// The scales sit where the readings fall: S9 over a reading of 130.
TEST_F(MeterTest, ScaleLabelsArePlacedAtConstruction) {
    Corvane& w = *window;
    const QRect g(140, 165, 341, 21); // gv_meter as the form places it, before SetUp widened it
    const auto middle = [](QWidget* label) { return label->x() + label->width() / 2; };
    EXPECT_NEAR(middle(w.ui.lblS9), g.left() + g.width() * 130.0 / 255.0, 1.5);
    EXPECT_NEAR(middle(w.ui.lblS60), g.right(), 1.5);
    EXPECT_EQ(w.ui.lbl0watt->x(), g.left());
    EXPECT_NEAR(middle(w.ui.lbl50watt), g.left() + g.width() * 152.0 / 255.0, 1.5);
    EXPECT_EQ(w.ui.lbl10A->width(), 21);
    for (QWidget* label : labelsOf(w, Comp))
        EXPECT_EQ(label->y(), 145);
}

TEST_F(MeterTest, TransmitShowsTheScaleOfTheChosenMeter) {
    struct Case {
        const char* name;
        int meterType;
        const char* answer;
        std::vector<Scale> shown;
    };
    const Case cases[] = {
        {"COMP, keyed by the operator", 0, "TX1;", {Comp}},
        {"COMP, keyed over CAT", 0, "TX2;", {Comp}},
        {"ALC keeps the S-meter numbers", 1, "TX1;", {SMeter, Alc}},
        {"PO", 2, "TX2;", {Po}},
        {"SWR", 3, "TX1;", {Swr}},
        {"ID", 4, "TX2;", {Id}},
        {"another value changes nothing", 4, "TX3;", {SMeter}},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        replyTo("TX0;");
        EXPECT_EQ(shownScales(w), std::vector<Scale>{SMeter});
        EXPECT_EQ(busyColour(w), w.palette().color(QPalette::Button));
        EXPECT_EQ(replyTo("MS" + std::to_string(c.meterType) + ";"), "");
        EXPECT_EQ(w.ui.cbMeterType->currentIndex(), c.meterType);
        EXPECT_EQ(replyTo(c.answer), "");
        EXPECT_EQ(shownScales(w), c.shown);
    }
    replyTo("MS3;");
    replyTo("TX2;");
    EXPECT_EQ(busyColour(w), QColor(Qt::red));
    EXPECT_EQ(replyTo("TX0;"), "");
    EXPECT_EQ(shownScales(w), std::vector<Scale>{SMeter});
}

TEST_F(MeterTest, MeterChoice) {
    Corvane& w = *window;
    const QRect s9 = w.ui.lblS9->geometry();
    radio.readAvailable();
    emit w.ui.cbMeterType->activated(2);
    EXPECT_EQ(radioReceivesUntilQuiet(), "MS2;");
    EXPECT_EQ(shownScales(w), std::vector<Scale>{SMeter});
    EXPECT_EQ(w.ui.lblS9->geometry(), s9);

    replyTo("TX2;");
    emit w.ui.cbMeterType->activated(3);
    EXPECT_EQ(radioReceivesUntilQuiet(), "MS3;");
    EXPECT_EQ(shownScales(w), std::vector<Scale>{Swr});
}

// A hand-played radio that polls the meter: the panel asks for readings by itself.
class MeterPollTest : public FrontPanelTest {
protected:
    MeterPollTest() { meterPolling = true; }
    // What reaches the radio until the line has been quiet for longer than a few poll periods.
    std::string receivedUntilQuiet(int quietMs) { return radioReceivesUntilQuiet(quietMs, 5000); }
};

TEST_F(MeterPollTest, ReadingsAreAskedForOnlyWhileTheRadioIsOnAndIdle) {
    Corvane& w = *window;
    // The radio said it is off: no readings.
    EXPECT_EQ(receivedUntilQuiet(500), "");

    // The read-back is never interrupted.
    radioSends("PS1;", 0);
    EXPECT_EQ(receivedUntilQuiet(700), "IF;");
    radioSends("IF001014074000+000000200000;", 0);
    EXPECT_EQ(radioReceives("OI;"), "OI;");
    Access::awaitRead(w, "VX;");
    radioSends("VX0;", 0);
    ASSERT_TRUE(runEventsUntil([&] { return w.isEnabled(); }, 3000));

    // Receiving: the S-meter, one read at a time; a read unanswered for a second is given up.
    EXPECT_EQ(radioReceives("SM0;", 1000), "SM0;");
    EXPECT_EQ(receivedUntilQuiet(700), "");
    EXPECT_EQ(radioReceives("SM0;", 1000), "SM0;");
    radioSends("SM0100;", 0);
    // An answer after a read went unanswered: the radio may have been switched off and on, and
    // has forgotten its auto-information.
    EXPECT_EQ(radioReceives("SM0;", 1000), "AI1;SM0;");

    // Transmitting: the meter chosen, SWR here.
    radioSends("MS3;TX2;SM0090;", 0);
    EXPECT_EQ(radioReceives("RM6;", 1000), "RM6;");
    radioSends("RM6030;TX0;", 0);
    EXPECT_EQ(radioReceives("SM0;", 1000), "SM0;");
    radioSends("SM0050;", 0);

    // A memory channel scan has the line to itself.
    Access::memoryScanActive(w) = true;
    radioReceivesUntilQuiet(30);
    EXPECT_EQ(receivedUntilQuiet(600), "");
    Access::memoryScanActive(w) = false;
    EXPECT_EQ(radioReceives("SM0;", 1000), "SM0;");
    radioSends("SM0050;", 0);

    // Switched off: no more readings.
    radioSends("PS0;", 0);
    radioReceivesUntilQuiet(30);
    EXPECT_EQ(receivedUntilQuiet(600), "");
}

TEST_F(MeterPollTest, ClosedPortStopsTheReadings) {
    playReadBackEnd("IF001014074000+000000200000;");
    ASSERT_TRUE(runEventsUntil([this] { return window->isEnabled(); }, 3000));
    EXPECT_EQ(radioReceives("SM0;", 1000).find("SM0;") != std::string::npos, true);
    Access::port(*window)->close();
    radio.readAvailable();
    EXPECT_EQ(receivedUntilQuiet(600), "");
}
