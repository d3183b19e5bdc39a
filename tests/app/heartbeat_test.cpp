// A radio that stops answering while the line stays: switched off at its own switch, its CAT
// cable pulled at the radio. The meter reads are the heartbeat; the window says the radio is
// silent, asks once a second, and carries on (or reads the radio back) when it answers again.

#include "tests/app/fixture.h"

#include <QStatusBar>

namespace {

struct Silence {
    const char* name;
    int readBackAfterSilenceMs;
    bool readBack; // whether the first answer after the silence reads the radio back
    const char* statusAfter;
};

void PrintTo(const Silence& c, std::ostream* out) {
    *out << c.name;
}

class PolledRadioTest : public FrontPanelTest {
protected:
    PolledRadioTest() { meterPolling = true; }
    QString status() const { return window->statusBar()->currentMessage(); }
};

class SilentRadioTest : public PolledRadioTest, public ::testing::WithParamInterface<Silence> {};

} // namespace

TEST_P(SilentRadioTest, IsSaidAndAskedOnceASecondUntilItAnswers) {
    Corvane& w = *window;
    CorvaneTestAccess::radioSilentAfterMs(w) = 600;
    CorvaneTestAccess::readBackAfterSilenceMs(w) = GetParam().readBackAfterSilenceMs;
    playReadBackEnd("IF001014074000+000000200000;");
    ASSERT_TRUE(runEventsUntil([&] { return w.isEnabled(); }, 3000));
    ASSERT_NE(radioReceives("SM0;", 2000).find("SM0;"), std::string::npos);

    // Nothing answers the meter reads.
    ASSERT_TRUE(runEventsUntil([this] { return status().startsWith("The radio does not answer"); }, 3000));
    radio.readAvailable();
    EXPECT_EQ(radioReceives("SM0;", 2000), "SM0;") << "one read at a time, nothing queued";
    EXPECT_EQ(radioReceivesUntilQuiet(600), "") << "asked once a second";

    radioSends("SM0100;", 0);
    EXPECT_TRUE(runEventsUntil([this] { return status() == GetParam().statusAfter; }, 2000))
        << status().toStdString();
    // Switched off and on, the radio has forgotten its auto-information: it is set first.
    if (GetParam().readBack) {
        EXPECT_EQ(radioReceives("IF;", 2000), "AI1;IF;");
        EXPECT_TRUE(CorvaneTestAccess::readBackInProgress(w));
    } else {
        // Five reads a second again: the next one within the usual poll period.
        EXPECT_EQ(radioReceives("SM0;", 400), "AI1;SM0;");
        radioSends("SM0100;", 0);
        EXPECT_EQ(radioReceives("SM0;", 400), "SM0;");
        EXPECT_FALSE(CorvaneTestAccess::readBackInProgress(w));
    }
}

INSTANTIATE_TEST_SUITE_P(Returns, SilentRadioTest,
                         ::testing::Values(Silence{"AfterAShortSilenceWorkGoesOn", 60000, false,
                                                   "The radio answers again"},
                                           Silence{"AfterALongSilenceTheRadioIsReadBack", 500, true,
                                                   "Reading the radio's current state"}),
                         [](const ::testing::TestParamInfo<Silence>& info) { return info.param.name; });

// A quick power cycle: a read or two unanswered, far from the time the radio is taken for
// silent. The radio forgets its auto-information all the same.
TEST_F(PolledRadioTest, AnAnswerAfterAMissedReadSetsAutoInformationAgain) {
    Corvane& w = *window;
    playReadBackEnd("IF001014074000+000000200000;");
    ASSERT_TRUE(runEventsUntil([&] { return w.isEnabled(); }, 3000));
    ASSERT_NE(radioReceives("SM0;", 2000).find("SM0;"), std::string::npos);
    radioSends("SM0100;", 0);
    EXPECT_EQ(radioReceives("SM0;", 400), "SM0;") << "answered at once: nothing more is sent";

    // This read goes unanswered for its whole time, and is asked again.
    EXPECT_EQ(radioReceives("SM0;", 2000), "SM0;");
    radioSends("SM0100;", 0);
    EXPECT_EQ(radioReceives("SM0;", 400), "AI1;SM0;");
    EXPECT_FALSE(status().startsWith("The radio does not answer"));
}
