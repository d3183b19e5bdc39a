// Tuning against a radio whose answers lag the operator's clicks, and tuning before the radio
// has said where it is.

#include "tests/app/fixture.h"

#include "app/panel/frequency_text.h"

#include <QApplication>
#include <QStatusBar>
#include <QtTest/QTest>

#include <fmt/format.h>

namespace {

void pump() {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A window shown and active on `simulator`, past its read-back.
class LaggingRadioTest : public WindowTest {
protected:
    void startOn(Sim::PtyRadio& simulator) {
        storePort(simulator.slavePath(), 38400);
        start();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(readBackEndsOn(simulator, 30000));
        simulator.clearReceived();
    }

    // Forty clicks up, 15 ms apart, as a quick turn of the mouse wheel.
    static void turnUp(QDial* dial, int clicks) {
        for (int i = 1; i <= clicks; ++i) {
            dial->setValue(i);
            runEventsFor(15);
        }
    }

    // The frequencies of the radio's set commands `mnemonic` ("FA", "FB") in order.
    static std::vector<int> sets(const Sim::PtyRadio& simulator, const std::string& mnemonic) {
        std::vector<int> hertz;
        for (const Sim::ReceivedCommand& c : simulator.received())
            if (c.text.size() == 12 && c.text.compare(0, 2, mnemonic) == 0)
                hertz.push_back(std::stoi(c.text.substr(2, 9)));
        return hertz;
    }
};

::testing::AssertionResult stepsUpEvenly(const std::vector<int>& hertz, int from, int step) {
    int expected = from;
    for (size_t i = 0; i < hertz.size(); ++i) {
        expected += step;
        if (hertz[i] != expected)
            return ::testing::AssertionFailure()
                   << "set " << i + 1 << " went to " << hertz[i] << ", not " << expected;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// Every click moves one step from where the previous click left the VFO, however late the
// radio's reports of the earlier clicks come in.
TEST_F(LaggingRadioTest, DialBurstsNeitherLoseStepsNorFallBack) {
    for (int latencyMs : {2, 5, 10}) {
        SCOPED_TRACE(fmt::format("{} ms per answer", latencyMs));
        Sim::PtyRadio simulator({std::chrono::milliseconds(latencyMs), 38400});
        simulator.setValue("FB;", 7074000);
        startOn(simulator);
        Corvane& w = *window;
        ASSERT_EQ(w.ui.VFO->text(), "14.074.000");
        w.ui.cbSSBDialStep->setCurrentIndex(2); // 10 Hz
        w.ui.lblVFOBMode->setText("USB");

        turnUp(w.ui.dial_VFOA, 40);
        EXPECT_TRUE(simulator.waitUntil(
            [](const std::vector<Sim::ReceivedCommand>& r) { return !r.empty() && r.back().text == "IF;"; },
            std::chrono::seconds(5), pump));
        simulator.waitForQuiet(std::chrono::milliseconds(200), std::chrono::seconds(5), pump);
        EXPECT_EQ(simulator.value("FA;"), 14074400);
        EXPECT_TRUE(stepsUpEvenly(sets(simulator, "FA"), 14074000, 10));
        EXPECT_TRUE(runEventsUntil([&] { return w.ui.VFO->text() == "14.074.400"; }, 2000))
            << w.ui.VFO->text().toStdString();

        simulator.clearReceived();
        turnUp(w.ui.dial_VFOB, 40);
        simulator.waitForQuiet(std::chrono::milliseconds(300), std::chrono::seconds(5), pump);
        EXPECT_EQ(simulator.value("FB;"), 7074400);
        EXPECT_TRUE(stepsUpEvenly(sets(simulator, "FB"), 7074000, 10));
        EXPECT_TRUE(runEventsUntil([&] { return w.ui.VFOB->text() == "7.074.400"; }, 2000));
        window.reset();
    }
}

// Until the radio has reported a VFO's frequency, its dial and quick split send nothing at all:
// there is nothing to step from, and the radio must not be tuned to the bottom of its range.
TEST_F(FrontPanelTest, TuningWaitsForTheRadiosFrequency) {
    Corvane& w = *window;
    radio.readAvailable();
    w.ui.dial_VFOA->setValue(10);
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith("VFO A's frequency is not known yet"));
    w.ui.dial_VFOB->setValue(10);
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith("VFO B's frequency is not known yet"));
    w.ui.btnQSPL->click();
    w.ui.btnQSPL->click();
    EXPECT_EQ(radioReceivesFor(200), "");
    EXPECT_NE(w.ui.btnQSPL->palette().color(QPalette::Button), QColor("green"));

    // Once reported, both dials tune from there.
    radioSends("IF001014074000+000000200000;OI001007074000+000000200000;");
    radio.readAvailable();
    w.ui.cbSSBDialStep->setCurrentIndex(2);
    w.ui.dial_VFOA->setValue(11);
    w.ui.dial_VFOB->setValue(11);
    EXPECT_EQ(radioReceives("FB007074010;", 1000), "FA014074010;FB007074010;");
}
