// Meter readings that arrive in the middle of the start-up read-back, and the busy check's
// BY read they set off, leave the chain as it was: every item is read once.

#include "tests/app/fixture.h"

#include <QApplication>

#include <map>

namespace {

class ReadBackWithMetersTest : public WindowTest {
protected:
    static void pump() { QApplication::processEvents(QEventLoop::AllEvents, 5); }
};

} // namespace

TEST_F(ReadBackWithMetersTest, MeterAnswersInTheMiddleReadEveryItemOnce) {
    Sim::PtyRadio radioSim;
    storePort(radioSim.slavePath(), 38400);
    start();
    ASSERT_TRUE(radioSim.waitForCommand("DA;", std::chrono::seconds(10), pump));
    // The first reading sets the busy check's base, the second one jumps: BY; is asked.
    radioSim.sendRaw("RM1128;SM0100;RM1255;");
    ASSERT_TRUE(readBackEndsOn(radioSim));

    EXPECT_TRUE(radioSim.hasReceived("BY;"));
    std::map<std::string, int> counts;
    for (const Sim::ReceivedCommand& r : radioSim.received())
        ++counts[r.text];
    for (const auto& [command, count] : counts) {
        // The busy check's reads are the meters' own, the RG step reads AF gain again for its
        // slider, and the restore at the end closes with AC;.
        if (command == "BY;" || command == "AG0;" || command == "AC;")
            continue;
        EXPECT_EQ(count, 1) << command;
    }
}
