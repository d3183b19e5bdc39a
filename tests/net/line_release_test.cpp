// The transmitter, keyed by a client, and a line that goes or is busy. A USB glitch does not
// unkey an FT-891 keyed by CAT: a release that cannot go out is owed, and TX0; is the first
// command the returning radio gets. A burst of sets from one client neither holds up another
// client's release nor the operator's clicks.

#include "net/net_server.h"
#include "tests/app/line_fixture.h"
#include "tests/net/net_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QSerialPort>

#include <fmt/format.h>

#include <chrono>

namespace {

enum class Outage {
    NothingMore,          // the client holds PTT through it all
    ClientReleases,       // the client's T 0 comes while the line is down
    ClientDisconnects,    // the client goes while the line is down
    ReleasedBeforeTheLoss // T 0 went out before the line went: nothing is owed
};

struct ReleaseCase {
    const char* name;
    Outage outage;
    // What the returning radio gets after its power answer, up to its identity read.
    const char* afterPowerAnswer;
};

void PrintTo(const ReleaseCase& c, std::ostream* out) {
    *out << c.name;
}

class OwedReleaseTest : public ReturningLineTest, public ::testing::WithParamInterface<ReleaseCase> {
protected:
    void SetUp() override {
        port = freeNetworkPort();
        networkSettings = serverOn(port);
    }
    int port = 0;
};

} // namespace

TEST_P(OwedReleaseTest, GoesFirstWhenTheRadioAnswersAgain) {
    ASSERT_NO_FATAL_FAILURE(startWithRadioOff(38400));

    auto client = connectClient(port);
    client->write("T 1\n");
    ASSERT_EQ(clientReads(*client, "\n"), "RPRT 0\n");
    ASSERT_EQ(lineReceives("TX1;"), "TX1;");
    if (GetParam().outage == Outage::ReleasedBeforeTheLoss) {
        client->write("T 0\n");
        ASSERT_EQ(lineReceives("TX0;"), "TX0;");
    }
    line.reset();
    waitForClosedPort();
    switch (GetParam().outage) {
    case Outage::ClientReleases:
        client->write("T 0\n");
        clientReads(*client, "\n");
        break;
    case Outage::ClientDisconnects:
        client->abort();
        ASSERT_TRUE(runEventsUntil([&] { return window->networkServer()->clientCount() == 0; }, 3000));
        break;
    default:
        break;
    }

    plugIn();
    EXPECT_EQ(lineReceives("PS;"), "aslkdfk;PS;") << "nothing but the power query before it answers";
    lineSends("PS1;");
    EXPECT_EQ(lineReceives("ID;"), GetParam().afterPowerAnswer);
    lineSends("ID0650;");
    EXPECT_EQ(lineReceives("IF;"), "IF;");
}

INSTANTIATE_TEST_SUITE_P(
    KeyedByAClient, OwedReleaseTest,
    ::testing::Values(ReleaseCase{"HeldThroughTheOutage", Outage::NothingMore, "TX0;ID;"},
                      ReleaseCase{"ReleasedWhileTheLineIsDown", Outage::ClientReleases, "TX0;ID;"},
                      ReleaseCase{"ClientGoneWhileTheLineIsDown", Outage::ClientDisconnects, "TX0;ID;"},
                      ReleaseCase{"ReleasedBeforeTheLineWent", Outage::ReleasedBeforeTheLoss, "ID;"}),
    [](const ::testing::TestParamInfo<ReleaseCase>& info) { return info.param.name; });

namespace {

// The simulated radio on a 4800 baud line, read back, with the server on a port of its own.
class SlowLineTest : public WindowTest {
protected:
    void SetUp() override {
        port = freeNetworkPort();
        networkSettings = serverOn(port);
        storePort(simulator.slavePath(), 4800);
        start();
        ASSERT_TRUE(readBackEndsOn(simulator, 60000));
        simulator.clearReceived();
    }
    void TearDown() override { window.reset(); }

    bool simulatorReceives(const std::string& command, int timeoutMs) {
        const auto pump = [] { QApplication::processEvents(QEventLoop::AllEvents, 5); };
        return simulator.waitForCommand(command, std::chrono::milliseconds(timeoutMs), pump);
    }
    int receivedStartingWith(const std::string& prefix) const {
        int count = 0;
        for (const Sim::ReceivedCommand& c : simulator.received())
            count += c.text.rfind(prefix, 0) == 0;
        return count;
    }

    Sim::PtyRadio simulator{Sim::LineOptions{std::chrono::microseconds(0), 4800}};
    int port = 0;
};

// 2,000 frequency sets take 27 s at 4800 baud; only the newest of them waits for the line.
std::string frequencyBurst(int sets) {
    std::string lines;
    for (int i = 0; i < sets; ++i)
        lines += fmt::format("F {:d}\n", 14000000 + 10 * i);
    return lines;
}

} // namespace

TEST_F(SlowLineTest, AKeyedClientDyingDuringABurstIsReleasedAtOnce) {
    auto keyer = connectClient(port);
    keyer->write("T 1\n");
    ASSERT_TRUE(simulatorReceives("TX1;", 3000));
    auto logger = connectClient(port);
    logger->write(frequencyBurst(2000).c_str());
    ASSERT_TRUE(simulator.waitUntil([](const std::vector<Sim::ReceivedCommand>& r) { return r.size() >= 3; },
                                    std::chrono::seconds(5),
                                    [] { QApplication::processEvents(QEventLoop::AllEvents, 5); }));

    keyer->abort();
    EXPECT_TRUE(simulatorReceives("TX0;", 1000)) << "the release waits behind none of the sets";
    // The operator's click as well.
    window->ui.btnAtoB->click();
    EXPECT_TRUE(simulatorReceives("AB;", 1000));

    // The radio ends on the client's last frequency, having been sent a handful of the sets.
    EXPECT_TRUE(simulatorReceives("FA014019990;", 10000));
    EXPECT_LT(receivedStartingWith("FA"), 100);
    EXPECT_EQ(simulator.value("FA;"), 14019990);
}
