// The wake-up and power sequences: the bytes, their order and their gaps.

#include "tests/app/fixture.h"

#include <QElapsedTimer>
#include <QSlider>
#include <QStatusBar>

namespace {

struct Arrival {
    qint64 at;
    std::string bytes;
};

class PowerTest : public WindowTest {
protected:
    void SetUp() override {
        storePort(radio.slavePath(), 38400);
        start();
    }
    // Everything the radio end receives until `last` has arrived, with arrival times.
    std::vector<Arrival> timeline(const std::string& last, int timeoutMs,
                                  const std::function<void()>& action = {}) {
        std::vector<Arrival> arrivals;
        std::string all;
        QElapsedTimer clock;
        clock.start();
        if (action)
            action();
        runEventsUntil(
            [&] {
                std::string bytes = radio.readAvailable();
                if (!bytes.empty()) {
                    arrivals.push_back({clock.elapsed(), bytes});
                    all += bytes;
                }
                return all.size() >= last.size() &&
                       all.compare(all.size() - last.size(), last.size(), last) == 0;
            },
            timeoutMs);
        return arrivals;
    }
    static std::string joined(const std::vector<Arrival>& arrivals) {
        std::string all;
        for (const Arrival& a : arrivals)
            all += a.bytes;
        return all;
    }
};

} // namespace

TEST_F(PowerTest, StartAsksForThePowerStateAfterTheWakeUp) {
    EXPECT_EQ(window->statusBar()->currentMessage(), "Reading Radio Power Status..");
    const auto arrivals = timeline("PS;", 4000);
    ASSERT_EQ(joined(arrivals), "aslkdfk;PS;");
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_EQ(arrivals[0].bytes, "aslkdfk;");
    EXPECT_GE(arrivals[1].at - arrivals[0].at, 1400 - 20);
}

TEST_F(PowerTest, PowerOnWakesSwitchesOnAndAsksAgain) {
    radioReceives("PS;", 4000);
    const auto arrivals = timeline("PS;", 6000, [this] { window->powerOn(); });
    ASSERT_EQ(joined(arrivals), "aslkdfk;PS1;aslkdfk;PS;");
    ASSERT_EQ(arrivals.size(), 4u);
    EXPECT_GE(arrivals[1].at - arrivals[0].at, 1100 - 20);
    EXPECT_GE(arrivals[3].at - arrivals[2].at, 1400 - 20);
}

// The pauses run on timers: the call comes back with only the wake-up sent, and the
// window goes on handling events meanwhile.
TEST_F(PowerTest, PowerOnReturnsBeforeItsPauses) {
    radioReceives("PS;", 4000);
    window->powerOn();
    EXPECT_EQ(radio.readFor(std::chrono::milliseconds(100)), "aslkdfk;");
    radioSends("AG0128;", 100);
    EXPECT_EQ(radio.readAvailable(), "");
    EXPECT_EQ(radioReceives("PS;", 5000), "PS1;aslkdfk;PS;");
}

TEST_F(PowerTest, PowerOnGoesOnAsSoonAsTheRadioTalks) {
    radioReceives("PS;", 4000);
    window->powerOn();
    radioReceives("PS1;", 3000);
    radioSends("AG0128;", 0);
    const auto arrivals = timeline("PS;", 4000);
    EXPECT_EQ(joined(arrivals).substr(0, 11), "aslkdfk;PS;");
}

TEST_F(PowerTest, PowerOffSwitchesOffAndClearsThePanel) {
    radioReceives("PS;", 4000);
    window->ui.VFO->setText("14.074.000");
    window->ui.VFOB->setText("7.074.000");
    window->ui.cbWidth->addItems({"1800", "2400"});
    for (QSlider* s : {window->ui.Volume, window->ui.Squelch, window->ui.RFGain, window->ui.NBLvl,
                       window->ui.MON, window->ui.DNR, window->ui.Comp, window->ui.MicGain}) {
        const QSignalBlocker asReported(s);
        s->setValue(s->maximum());
    }

    window->powerOff();
    const auto arrivals = timeline("aslkdfk;", 4000);
    ASSERT_EQ(joined(arrivals), "PS0;aslkdfk;");
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_GE(arrivals[1].at - arrivals[0].at, 1400 - 20);
    runEventsFor(50);
    EXPECT_TRUE(window->ui.VFO->text().isEmpty());
    EXPECT_TRUE(window->ui.VFOB->text().isEmpty());
    EXPECT_EQ(window->ui.cbWidth->count(), 0);
    for (QSlider* s : {window->ui.Volume, window->ui.Squelch, window->ui.RFGain, window->ui.NBLvl,
                       window->ui.MON, window->ui.DNR, window->ui.Comp, window->ui.MicGain})
        EXPECT_EQ(s->value(), s->minimum()) << s->objectName().toStdString();
}

TEST_F(PowerTest, PowerStateAnswers) {
    radioReceives("PS;", 4000);
    radioSends("PS0;");
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_NE(window->ui.btnPWR->palette().color(QPalette::Button), QColor("red"));

    radioSends("PS1;");
    EXPECT_EQ(window->ui.btnPWR->palette().color(QPalette::Button), QColor("red"));
    EXPECT_EQ(window->statusBar()->currentMessage(), "Reading the radio's current state");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(radioReceives("IF;", 1000), "IF;");

    // A second PS1 while reading only repaints the button.
    radioSends("PS1;");
    EXPECT_EQ(radioReceivesFor(200), "");
    EXPECT_EQ(window->ui.btnPWR->palette().color(QPalette::Button), QColor("red"));
}

TEST_F(WindowTest, PowerOnWithAClosedPortOnlyTraces) {
    storePort("/nonexistent/ttyCAT", 4800);
    answerPortDialog("", "", false); // the port dialog offered after the failure
    start();
    window->powerOn();
    EXPECT_TRUE(runEventsUntil(
        [this] {
            return std::find(traceLines.begin(), traceLines.end(), "Failed to open port!") != traceLines.end();
        },
        3000));
}
