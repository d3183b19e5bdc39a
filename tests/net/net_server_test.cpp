// The server's sockets and safety rules, with real TCP connections on the loopback interface;
// the window's side is a recorder of the sets.
#include "net/net_server.h"
#include "tests/app/fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using Rigctl::Action;

namespace {

bool waitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
    return WindowTest::runEventsUntil(done, timeoutMs);
}

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.frequencyA = 7074000;
        ASSERT_TRUE(server.listen(0, false)) << server.errorString().toStdString();
    }

    std::unique_ptr<QTcpSocket> connectClient() {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost("127.0.0.1", server.port());
        EXPECT_TRUE(waitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; }));
        return socket;
    }

    // Sends a line and waits for a whole answer of the default form.
    static std::string ask(QTcpSocket& socket, const std::string& line) {
        socket.write((line + "\n").c_str());
        std::string answer;
        waitFor([&] {
            answer += socket.readAll().toStdString();
            return !answer.empty() && answer.back() == '\n';
        });
        return answer;
    }

    int pttReleases() const {
        int count = 0;
        for (const Action& a : actions)
            count += a.kind == Action::Kind::Ptt && !a.on;
        return count;
    }

    Rigctl::RadioState state;
    std::vector<Action> actions;
    NetServer server{[this] { return state; }, [this](const Action& a) { actions.push_back(a); }};
};

// A client that keyed the transmitter and then goes away, or keeps it keyed past the transmit
// time limit, unkeys it; a client keyed and quiet (fldigi while it sends) keeps it.
struct PttCase {
    const char* name;
    const char* before; // the line the client sends before it leaves or falls quiet
    bool leaves;        // disconnects; otherwise it stays connected and says nothing
    int limitMs;        // the transmit time limit
    int releases;       // TX0 sent for it by the server
    int limitReports;   // of these, by the time limit
};

void PrintTo(const PttCase& c, std::ostream* out) {
    *out << c.name;
}

class PttRelease : public ServerTest, public ::testing::WithParamInterface<PttCase> {};

TEST_P(PttRelease, UnkeysForAClientThatHeldPtt) {
    int limitReports = 0;
    QObject::connect(&server, &NetServer::transmitLimitReached, [&] { ++limitReports; });
    server.setTransmitLimitMs(GetParam().limitMs);
    auto client = connectClient();
    EXPECT_EQ(ask(*client, GetParam().before), "RPRT 0\n");
    const size_t asked = actions.size();
    if (GetParam().leaves)
        client->disconnectFromHost();
    // A release is waited for; its absence is a quiet line for a while.
    const bool released = waitFor([&] { return pttReleases() > 0 && actions.size() > asked; },
                                  GetParam().releases ? 3000 : 400);
    EXPECT_EQ(released, GetParam().releases > 0);
    EXPECT_EQ(static_cast<int>(actions.size() - asked), GetParam().releases);
    if (GetParam().releases) {
        EXPECT_FALSE(actions.back().on);
    }
    EXPECT_EQ(limitReports, GetParam().limitReports);
    EXPECT_EQ(client->state() == QAbstractSocket::ConnectedState, !GetParam().leaves);
}

constexpr int tenMinutes = NetServer::defaultTransmitLimitMs;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Clients, PttRelease, ::testing::Values(
    PttCase{"disconnects_while_keyed",     "T 1",       true,  tenMinutes, 1, 0},
    PttCase{"keyed_with_T3_and_quiet",     "T 3",       false, tenMinutes, 0, 0},
    PttCase{"keyed_and_quiet_no_limit",    "T 1",       false, 0,          0, 0},
    PttCase{"keyed_past_the_time_limit",   "T 3",       false, 150,        1, 1},
    PttCase{"disconnects_after_unkey",     "T 0",       true,  tenMinutes, 0, 0},
    PttCase{"silent_without_ptt",          "F 7074000", false, 150,        0, 0}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A client that keeps talking while keyed keeps PTT; another client's unkey releases it.
TEST_F(ServerTest, TalkingClientKeepsPttAndAnyUnkeyReleasesIt) {
    auto keyer = connectClient();
    auto other = connectClient();
    EXPECT_EQ(ask(*keyer, "T 1"), "RPRT 0\n");
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 600)
        EXPECT_EQ(ask(*keyer, "f"), "7074000\n");
    EXPECT_EQ(pttReleases(), 0);
    EXPECT_EQ(ask(*other, "T 0"), "RPRT 0\n");
    keyer->disconnectFromHost();
    // Only the other client's own unkey went out: the keyer no longer held PTT.
    EXPECT_FALSE(waitFor([&] { return pttReleases() > 1; }, 400));
}

// The time limit unkeys once and says so. The radio has not reported the release yet (the
// recorder's state stays "transmitting"), yet the client that was unkeyed reads receive on its
// next PTT read; the other clients, and its later reads, read the radio's state. A new key-up is
// a new transmission with a limit of its own; with the limit off nothing unkeys a keyed client.
TEST_F(ServerTest, TimeLimitUnkeysAndTheKeyerReadsReceiveOnce) {
    int limitReports = 0;
    QObject::connect(&server, &NetServer::transmitLimitReached, [&] { ++limitReports; });
    state.transmitting = true;
    server.setTransmitLimitMs(150);
    auto keyer = connectClient();
    auto other = connectClient();
    EXPECT_EQ(ask(*keyer, "T 3"), "RPRT 0\n");
    ASSERT_TRUE(waitFor([&] { return limitReports == 1; }));
    EXPECT_EQ(pttReleases(), 1);
    EXPECT_FALSE(actions.back().on);
    EXPECT_EQ(ask(*other, "t"), "1\n");
    EXPECT_EQ(ask(*keyer, "f"), "7074000\n");
    EXPECT_EQ(ask(*keyer, "t"), "0\n");
    EXPECT_EQ(ask(*keyer, "t"), "1\n");

    EXPECT_EQ(ask(*keyer, "\\set_ptt 1"), "RPRT 0\n");
    ASSERT_TRUE(waitFor([&] { return limitReports == 2; }));
    EXPECT_EQ(pttReleases(), 2);

    server.setTransmitLimitMs(0);
    EXPECT_EQ(ask(*keyer, "T 1"), "RPRT 0\n");
    EXPECT_FALSE(waitFor([&] { return pttReleases() > 2; }, 400));
    // Switched on while keyed, the limit counts from that key-up, long gone by now.
    server.setTransmitLimitMs(150);
    EXPECT_TRUE(waitFor([&] { return limitReports == 3; }));
    EXPECT_EQ(pttReleases(), 3);
}

// With keying off, every form of a key-up is refused in the client's own form and nothing goes
// to the radio; an unkey still goes out. Switching keying off releases a client holding PTT.
TEST_F(ServerTest, KeyingOffRefusesEveryKeyUpAndStillUnkeys) {
    server.setKeyingAllowed(false);
    auto client = connectClient();
    const std::pair<const char*, const char*> keyUps[] = {
        {"T 1", "RPRT -1\n"},
        {"T 2", "RPRT -1\n"},
        {"T 3", "RPRT -1\n"},
        {"\\set_ptt 1", "RPRT -1\n"},
        {"+T 1", "set_ptt: 1\nRPRT -1\n"},
        {";\\set_ptt 3", "set_ptt: 3;RPRT -1\n"},
    };
    for (const auto& [line, refusal] : keyUps) {
        SCOPED_TRACE(line);
        client->write((std::string(line) + "\n").c_str());
        std::string answer;
        waitFor([&] {
            answer += client->readAll().toStdString();
            return answer.find("RPRT") != std::string::npos && answer.back() == '\n';
        });
        EXPECT_EQ(answer, refusal);
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(ask(*client, "T 0"), "RPRT 0\n");
    EXPECT_EQ(pttReleases(), 1);

    server.setKeyingAllowed(true);
    EXPECT_EQ(ask(*client, "T 1"), "RPRT 0\n");
    ASSERT_TRUE(actions.back().on);
    server.setKeyingAllowed(false);
    EXPECT_EQ(pttReleases(), 2);
    EXPECT_FALSE(actions.back().on);
    // Released already: leaving sends no second release.
    client->disconnectFromHost();
    EXPECT_FALSE(waitFor([&] { return pttReleases() > 2; }, 400));
}

// The requests of one line are served one by one: a refused key-up refuses only itself, the
// set before it still goes out; "q" is answered before the connection closes.
TEST_F(ServerTest, RequestsOfOneLineAreServedInTurn) {
    server.setKeyingAllowed(false);
    auto client = connectClient();
    const std::string expected = "RPRT 0\nRPRT -1\n0\n7074000\nRPRT 0\n";
    client->write("F 14074000 T 1 t f q\n");
    std::string answer;
    EXPECT_TRUE(waitFor([&] {
        answer += client->readAll().toStdString();
        return client->state() == QAbstractSocket::UnconnectedState;
    }));
    answer += client->readAll().toStdString();
    EXPECT_EQ(answer, expected);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, Action::Kind::Frequency);
    EXPECT_EQ(actions[0].hertz, 14074000);
}

TEST_F(ServerTest, NinthClientIsRefusedAndTheOthersKeepWorking) {
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < NetServer::maxClients; ++i)
        clients.push_back(connectClient());
    ASSERT_TRUE(waitFor([&] { return server.clientCount() == NetServer::maxClients; }));
    auto ninth = std::make_unique<QTcpSocket>();
    ninth->connectToHost("127.0.0.1", server.port());
    EXPECT_TRUE(waitFor([&] { return ninth->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(server.clientCount(), NetServer::maxClients);
    for (auto& client : clients)
        EXPECT_EQ(ask(*client, "f"), "7074000\n");
    // A place that frees up takes a new client.
    clients.front()->disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return server.clientCount() == NetServer::maxClients - 1; }));
    auto late = connectClient();
    EXPECT_EQ(ask(*late, "f"), "7074000\n");
}

// Garbage and a line over 1 KiB: the garbage is refused line by line, the long line closes
// only its own connection.
TEST_F(ServerTest, LongLineClosesOnlyItsConnection) {
    auto first = connectClient();
    auto noisy = connectClient();
    EXPECT_EQ(ask(*noisy, std::string("\x01\x02\xfe garbage")), "RPRT -11\n");
    noisy->write(QByteArray(NetServer::maxLineLength + 1, 'F'));
    EXPECT_TRUE(waitFor([&] { return noisy->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(ask(*first, "f"), "7074000\n");
    EXPECT_EQ(server.clientCount(), 1);

    // A line of exactly 1 KiB is still a line.
    auto full = connectClient();
    EXPECT_EQ(ask(*full, "f" + std::string(NetServer::maxLineLength - 1, ' ')), "7074000\n");
}

// A client that asks and never reads its answers is dropped; the others are answered meanwhile.
TEST_F(ServerTest, ClientThatNeverReadsIsDropped) {
    auto reader = connectClient();
    auto stuck = connectClient();
    stuck->setReadBufferSize(1);
    QByteArray flood;
    for (int i = 0; i < 2000; ++i)
        flood += "\\dump_state\n";
    for (int round = 0; round < 20 && stuck->state() == QAbstractSocket::ConnectedState; ++round) {
        stuck->write(flood);
        EXPECT_EQ(ask(*reader, "f"), "7074000\n");
    }
    EXPECT_TRUE(waitFor([&] { return server.clientCount() == 1; }, 5000));
    EXPECT_EQ(ask(*reader, "f"), "7074000\n");
}

TEST_F(ServerTest, QuitAnswersWhatCameBeforeItAndCloses) {
    auto client = connectClient();
    client->write("f\nq\nf\n");
    std::string answer;
    EXPECT_TRUE(waitFor([&] {
        answer += client->readAll().toStdString();
        return client->state() == QAbstractSocket::UnconnectedState;
    }));
    answer += client->readAll().toStdString();
    EXPECT_EQ(answer, "7074000\nRPRT 0\n");
}

TEST(ServerPort, TakenPortIsReported) {
    std::vector<Action> actions;
    NetServer first{[] { return Rigctl::RadioState{}; }, [&](const Action& a) { actions.push_back(a); }};
    ASSERT_TRUE(first.listen(0, false));
    NetServer second{[] { return Rigctl::RadioState{}; }, [&](const Action& a) { actions.push_back(a); }};
    EXPECT_FALSE(second.listen(first.port(), false));
    EXPECT_FALSE(second.isListening());
    EXPECT_TRUE(second.portInUse());
}

} // namespace
