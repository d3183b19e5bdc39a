// The window serving the network: Debian's rigctl (Hamlib's NET rigctl client) against
// Corvane and the simulated FT-891, and the Network settings opened from the status bar.
#include "net/net_server.h"
#include "storage/network_settings.h"
#include "tests/app/fixture.h"
#include "tests/net/net_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>

#include <sqlite3.h>

#include <functional>
#include <memory>

namespace {

QString statusText(Corvane& window) {
    auto* label = window.findChild<QLabel*>("lblNetworkStatus");
    return label && label->isVisibleTo(&window) ? label->text() : QString();
}

class RigctlTest : public SimulatorPanelTest {
protected:
    // The server on a port of its own choosing, which the test then asks for: no port is taken
    // for free that another program could take first.
    void SetUp() override {
        SimulatorPanelTest::SetUp();
        ASSERT_TRUE(window->networkServer()->listen(0, false));
        port = window->networkServer()->port();
    }

    QStringList clientArguments() const { return {"-m", "2", "-r", QString("127.0.0.1:%1").arg(port)}; }

    // One run of rigctl with these commands; its standard output once it has ended.
    std::string rigctl(const QStringList& commands) {
        QProcess process;
        process.setWorkingDirectory(configHome.path());
        process.start("rigctl", clientArguments() + commands);
        EXPECT_TRUE(runEventsUntil([&] { return process.state() == QProcess::NotRunning; }, 10000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().right(400).toStdString();
        return process.readAllStandardOutput().toStdString();
    }

    // A rigctl that stays connected and takes its commands on standard input.
    std::unique_ptr<QProcess> interactiveRigctl() {
        auto process = std::make_unique<QProcess>();
        process->setWorkingDirectory(configHome.path());
        process->start("rigctl", clientArguments());
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }

    // What an interactive rigctl prints for `command`, up to `until`.
    std::string tell(QProcess& process, const std::string& command, const std::string& until) {
        process.write((command + "\n").c_str());
        std::string output;
        runEventsUntil(
            [&] {
                output += process.readAllStandardOutput().toStdString();
                return output.find(until) != std::string::npos;
            },
            10000);
        return output;
    }

    bool panelShows(const std::function<bool()>& shown) { return runEventsUntil(shown, 3000); }

    int port = 0;
};

// The sets of a logging or digital-mode program go out as the panel's commands, and the panel
// follows the radio's answers; the reads come from what the window knows.
TEST_F(RigctlTest, ReadsAndSetsFrequencyModeSplitAndPtt) {
    const int radioFrequency = simulator.withRadio([](Sim::SimulatedRadio& r) { return r.value("FA;"); });
    EXPECT_EQ(rigctl({"f"}), std::to_string(radioFrequency) + "\n");

    struct Step {
        QStringList commands;
        const char* radioReceives;
        std::function<bool()> panelShows;
    };
    const Step steps[] = {
        {{"F", "7074000"}, "FA007074000;", [&] { return window->ui.VFO->text() == "7.074.000"; }},
        {{"M", "PKTUSB", "3000"}, "MD08;", [&] { return window->ui.cbMode->currentText() == "D-U"; }},
        // The passband follows once the new mode's widths show: the nearest one, 3000 Hz.
        {{}, "SH0117;", [&] { return window->ui.cbWidth->currentText() == "3000 Hz"; }},
        {{"S", "1", "VFOB"}, "ST1;", [&] { return window->ui.ckTXWatch->isEnabled(); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.commands.join(' ').toStdString());
        if (!step.commands.isEmpty()) {
            simulator.clearReceived();
            EXPECT_EQ(rigctl(step.commands), "");
        }
        EXPECT_TRUE(simulatorReceives(step.radioReceives));
        EXPECT_TRUE(panelShows(step.panelShows));
    }
    settle();
    // The reads come from the window: not a byte goes to the radio for them.
    ASSERT_TRUE(simulator.waitForQuiet(std::chrono::milliseconds(50), std::chrono::seconds(3),
                                       [] { QApplication::processEvents(); }));
    simulator.clearReceived();
    const int vfoB = simulator.withRadio([](Sim::SimulatedRadio& r) { return r.value("FB;"); });
    EXPECT_EQ(rigctl({"f", "m", "s", "t", "i"}),
              "7074000\nPKTUSB\n3000\n1\nVFOB\n0\n" + std::to_string(vfoB) + "\n");
    EXPECT_TRUE(simulator.waitForQuiet(std::chrono::milliseconds(50), std::chrono::seconds(3),
                                       [] { QApplication::processEvents(); }));
    EXPECT_EQ(simulatorCommands(), std::vector<std::string>{});
}

// Another client, and one that sends garbage and an over-long line, leave the first alone;
// the first, killed while it transmits, leaves the radio receiving.
TEST_F(RigctlTest, OtherClientsDoNotDisturbAndAKilledClientUnkeys) {
    auto first = interactiveRigctl();
    EXPECT_NE(tell(*first, "F 14074000", "Rig command:").find("Rig command:"), std::string::npos);
    ASSERT_TRUE(simulatorReceives("FA014074000;"));
    ASSERT_TRUE(panelShows([&] { return window->ui.VFO->text() == "14.074.000"; }));

    QTcpSocket noisy;
    noisy.connectToHost("127.0.0.1", static_cast<quint16>(port));
    ASSERT_TRUE(runEventsUntil([&] { return noisy.state() == QAbstractSocket::ConnectedState; }, 3000));
    noisy.write("\x01\x02\xff\xfe\nF banana\n\\dump_state\n");
    noisy.write(QByteArray(4096, 'x'));
    EXPECT_TRUE(runEventsUntil([&] { return noisy.state() == QAbstractSocket::UnconnectedState; }, 3000));
    EXPECT_EQ(rigctl({"f"}), "14074000\n");

    EXPECT_NE(tell(*first, "f", "Frequency: 14074000\n").find("Frequency: 14074000\n"), std::string::npos);
    const auto transmitShown = [&] {
        return window->ui.lblBusyIndicator->palette().color(QPalette::Window) == Qt::red;
    };
    tell(*first, "T 1", "Rig command:");
    ASSERT_TRUE(simulatorReceives("TX1;"));
    EXPECT_TRUE(panelShows(transmitShown));
    simulator.clearReceived();
    tell(*first, "T 0", "Rig command:");
    ASSERT_TRUE(simulatorReceives("TX0;"));
    EXPECT_TRUE(panelShows([&] { return !transmitShown(); }));
    simulator.clearReceived();
    tell(*first, "T 1", "Rig command:");
    ASSERT_TRUE(simulatorReceives("TX1;"));
    simulator.clearReceived();
    first->kill();
    EXPECT_TRUE(simulatorReceives("TX0;"));
    EXPECT_TRUE(panelShows([&] { return !window->networkServer()->clientCount(); }));
}

// fldigi keys with T 3 and says nothing until its transmission ends: it stays keyed until the
// transmit time limit (shortened here) unkeys it, the status bar tells why, and its next PTT read
// answers receive.
TEST_F(RigctlTest, QuietKeyedClientIsUnkeyedOnlyByTheTimeLimit) {
    window->networkServer()->setTransmitLimitMs(1500);
    auto fldigi = interactiveRigctl();
    tell(*fldigi, "T 3", "Rig command:");
    ASSERT_TRUE(simulatorReceives("TX1;"));
    simulator.clearReceived();
    ASSERT_TRUE(simulatorReceives("TX0;", 5000));
    EXPECT_EQ(simulatorCommands(), std::vector<std::string>{"TX0;"});
    EXPECT_TRUE(panelShows([&] {
        return window->statusBar()->currentMessage() ==
               "A program kept the transmitter keyed for 1.5 s, the transmit time limit: Corvane unkeyed it";
    })) << window->statusBar()->currentMessage().toStdString();
    EXPECT_NE(tell(*fldigi, "t", "PTT: 0\n").find("PTT: 0\n"), std::string::npos);
}

// The port taken by another server (a rigctld): the status bar says so and the window works on.
// The operator then picks another port and opens the server to the network; state.db keeps it.
class NetworkGroupTest : public FrontPanelTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
        networkSettings = Storage::NetworkSettings{};
        networkSettings->port = taken.serverPort();
        FrontPanelTest::SetUp();
    }
    QTcpServer taken;
};

TEST_F(NetworkGroupTest, TakenPortThenAnotherPortThenAllInterfaces) {
    EXPECT_FALSE(window->networkServer()->isListening());
    EXPECT_EQ(statusText(*window).toStdString(), "Network CAT off: port " +
                                                     std::to_string(taken.serverPort()) +
                                                     " is in use (is rigctld running?)");

    auto* open = window->findChild<QPushButton*>("pbNetwork");
    ASSERT_TRUE(open);
    open->click();
    auto* dialog = window->findChild<QDialog*>("NetworkSettings");
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto* server = window->findChild<QCheckBox*>("ckNetworkServer");
    auto* portBox = window->findChild<QSpinBox*>("sbNetworkPort");
    auto* allInterfaces = window->findChild<QCheckBox*>("ckNetworkAllInterfaces");
    ASSERT_TRUE(server && portBox && allInterfaces);
    EXPECT_TRUE(server->isChecked());
    EXPECT_FALSE(allInterfaces->isChecked());
    EXPECT_EQ(portBox->value(), taken.serverPort());

    const int port = freeNetworkPort();
    portBox->setValue(port);
    emit portBox->editingFinished();
    EXPECT_TRUE(window->networkServer()->isListening());
    EXPECT_EQ(statusText(*window).toStdString(), "Network CAT: 127.0.0.1:" + std::to_string(port));

    allInterfaces->click();
    EXPECT_TRUE(window->networkServer()->listensOnAllInterfaces());
    EXPECT_EQ(statusText(*window).toStdString(),
              "Network CAT open to the network: port " + std::to_string(port));
    EXPECT_EQ(query("select enabled, port, all_interfaces from network_settings"),
              (std::vector<std::vector<std::string>>{{"1", std::to_string(port), "1"}}));

    server->click();
    EXPECT_FALSE(window->networkServer()->isListening());
    EXPECT_EQ(statusText(*window), "");
    EXPECT_EQ(query("select enabled from network_settings"), (std::vector<std::vector<std::string>>{{"0"}}));
    // Nothing of this reached the radio.
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
}

// "Programs may key the transmitter" off: Debian's rigctl is refused its key-up and the radio
// hears nothing. Both PTT settings apply at once, without a new listen, are kept in state.db, and
// the next start shows and applies them.
TEST_F(NetworkGroupTest, KeyingOffAndTheTimeLimitAreAppliedAndKept) {
    auto* portBox = window->findChild<QSpinBox*>("sbNetworkPort");
    auto* keying = window->findChild<QCheckBox*>("ckNetworkKeying");
    auto* limit = window->findChild<QSpinBox*>("sbNetworkTransmitLimit");
    ASSERT_TRUE(portBox && keying && limit);
    EXPECT_TRUE(keying->isChecked());
    EXPECT_EQ(limit->text(), "10 min");
    EXPECT_TRUE(window->networkServer()->keyingAllowed());
    EXPECT_EQ(window->networkServer()->transmitLimitMs(), 10 * 60 * 1000);
    const int port = freeNetworkPort();
    portBox->setValue(port);
    emit portBox->editingFinished();
    ASSERT_TRUE(window->networkServer()->isListening());

    keying->click();
    EXPECT_FALSE(window->networkServer()->keyingAllowed());
    QProcess rigctl;
    rigctl.setWorkingDirectory(configHome.path());
    rigctl.start("rigctl", {"-m", "2", "-r", QString("127.0.0.1:%1").arg(port), "T", "1"});
    ASSERT_TRUE(runEventsUntil([&] { return rigctl.state() == QProcess::NotRunning; }, 10000));
    // Hamlib's rigctl reports the refusal on its standard output.
    const QByteArray said = rigctl.readAllStandardOutput();
    EXPECT_TRUE(said.startsWith("set_ptt: error =") && said.contains("Invalid parameter"))
        << said.toStdString();
    EXPECT_EQ(radioReceivesUntilQuiet(), "");

    limit->setValue(0);
    EXPECT_EQ(limit->text(), "Off");
    EXPECT_EQ(window->networkServer()->transmitLimitMs(), 0);
    EXPECT_EQ(query("select port, transmit_limit_minutes, programs_may_key from network_settings"),
              (std::vector<std::vector<std::string>>{{std::to_string(port), "0", "0"}}));

    networkSettings.reset();
    window.reset();
    start();
    keying = window->findChild<QCheckBox*>("ckNetworkKeying");
    limit = window->findChild<QSpinBox*>("sbNetworkTransmitLimit");
    ASSERT_TRUE(keying && limit);
    EXPECT_FALSE(keying->isChecked());
    EXPECT_EQ(limit->text(), "Off");
    EXPECT_FALSE(window->networkServer()->keyingAllowed());
    EXPECT_EQ(window->networkServer()->transmitLimitMs(), 0);
}

} // namespace
