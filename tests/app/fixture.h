#pragma once

#include "app/Corvane.h"

#include "sim/pty.h"
#include "sim/pty_radio.h"
#include "storage/network_settings.h"
#include <QTimer>

#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// A window under test: its own configuration folder (so its own state.db), a pseudo-terminal
// whose slave is the port the window opens and whose master the test plays as the radio,
// and the trace lines the window wrote.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    QString databasePath() const;
    // Leaves a state.db that names this port, as an earlier run would have.
    void storePort(const std::string& name, int baudRate);
    std::vector<std::vector<std::string>> query(const std::string& sql) const;

    // Builds the window. Any port dialog it shows is answered by `onDialog` (or fails the test).
    Corvane& start();
    // Runs `action`; a port dialog it shows is answered by `onDialog` (or fails the test).
    void withPortDialog(const std::function<void()>& action);
    // Builds the window on a stored port and shows it as the active window, as an operator sees it.
    bool startShown(const std::string& port);
    // Answers the port dialog with these texts and OK (or Cancel).
    void answerPortDialog(const QString& portName, const QString& baud, bool accept = true);

    // Runs the event loop until the radio end has received `until` (or the time is up) and
    // returns everything received meanwhile.
    std::string radioReceives(const std::string& until, int timeoutMs = 3000);
    // Runs the event loop for a while and returns what the radio end received.
    std::string radioReceivesFor(int ms);
    // The radio sends bytes, and the window gets the time to handle them.
    void radioSends(const std::string& bytes, int settleMs = 50);

    // Waiting for events instead of for a time. The window has handled everything the radio
    // sent once its port has nothing left to read and nothing left to write.
    bool windowIdle() const;
    // Runs until the window is idle and then until no byte has reached the radio end for
    // `quietMs`; returns everything received meanwhile. For checks that the window sends
    // exactly these bytes, or nothing.
    std::string radioReceivesUntilQuiet(int quietMs = 30, int timeoutMs = 3000);
    // The radio sends `answer`; returns what the window wrote in reply, once the line is quiet.
    std::string replyTo(const std::string& answer);
    // Runs until the read-back from the simulated radio has ended: its VX read sent, the window
    // enabled again and the line quiet for a moment.
    bool readBackEndsOn(Sim::PtyRadio& simulator, int timeoutMs = 20000);

    // Plays a radio that says it is on, answers the chain's IF read with `information`, and then
    // the chain's last answer: the read-back ends here and the restore at its end goes out.
    void playReadBackEnd(const std::string& information);

    // Bytes the radio end sent that the window has not read yet.
    int bytesWaitingAtWindow() const;
    static void runEventsFor(int ms);

private:
    static Storage::NetworkSettings serverOff() {
        Storage::NetworkSettings settings;
        settings.enabled = false;
        return settings;
    }
    void storeNetworkSettings();

public:
    // Runs the event loop until `done` holds (true) or the time is up (false).
    static bool runEventsUntil(const std::function<bool()>& done, int timeoutMs);

protected:
    std::vector<std::string> traceLines;

    QTemporaryDir configHome;
    Sim::PtyPair radio;
    std::unique_ptr<Corvane> window;
    // The window asks for meter readings while the radio is on; tests that check every
    // byte on the line switch that on themselves.
    bool meterPolling = false;
    // The network settings start() leaves in state.db (none: it leaves the stored ones). The CAT
    // server is off unless a test of it turns it on, so that no window under test listens on a
    // port another program may hold (a Corvane or rigctld running on this machine, or a client
    // of theirs, changes nothing).
    std::optional<Storage::NetworkSettings> networkSettings = serverOff();
    bool dialogShown = false;
    std::function<void(class PortSettings&)> onDialog;
};

// The colour a button is painted in (its Button role).
inline QColor colourOf(const QWidget* button) {
    return button->palette().color(QPalette::Button);
}

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The window's private state, for the cases that need a state no answer handler sets yet
// (NAR, the BFO values) or that check a flag the window does not show.
struct CorvaneTestAccess {
    static int& narrowOn(Corvane& w) { return w.narrowOn; }
    static int& ssbBfo(Corvane& w) { return w.ssbBfo; }
    static int& cwBfo(Corvane& w) { return w.cwBfo; }
    static int& rttyBfo(Corvane& w) { return w.rttyBfo; }
    static int& dataBfo(Corvane& w) { return w.dataBfo; }
    static int& dnrEnabled(Corvane& w) { return w.dnrEnabled; }
    static int& widthOffset(Corvane& w) { return w.widthOffset; }
    static unsigned int& vfoAFrequency(Corvane& w) { return w.vfoAFrequency; }
    static unsigned int& vfoBFrequency(Corvane& w) { return w.vfoBFrequency; }
    static int& dialAPrevious(Corvane& w) { return w.dialAPrevious; }
    static int& dialBPrevious(Corvane& w) { return w.dialBPrevious; }
    static int& contourEnabled(Corvane& w) { return w.contourEnabled; }
    static int& contourFrequency(Corvane& w) { return w.contourFrequency; }
    static int& contourLevel(Corvane& w) { return w.contourLevel; }
    static int& contourWidth(Corvane& w) { return w.contourWidth; }
    static bool& readBackInProgress(Corvane& w) { return w.readBackInProgress; }
    static BandModeRestore& restore(Corvane& w) { return w.restore; }
    static const Radio::RadioState& radio(Corvane& w) { return w.radio; }
    // Puts the restore where stored settings for a band the radio moved to are on their way.
    static void restoreMovedBand(Corvane& w) {
        w.restore.bandLookedUp(true);
        w.restore.restoreDone(true);
    }
    static bool& meterPolling(Corvane& w) { return w.meterPolling; }
    static bool& transmitting(Corvane& w) { return w.transmitting; }
    static bool& memoryScanActive(Corvane& w) { return w.memoryScanActive; }
    static bool& monitorOn(Corvane& w) { return w.monitorOn; }
    static int& meterType(Corvane& w) { return w.meterType; }
    static float& lastBusyLevel(Corvane& w) { return w.lastBusyLevel; }
    static QRectF meterBarRect(Corvane& w) { return w.meterBarRect; }
    static QSerialPort* port(Corvane& w) { return w.serialPort; }
    // No command waits in the window for the line.
    static bool outboxEmpty(const Corvane& w) { return w.outbox.empty(); }
    static QString& serialByIdFolder(Corvane& w) { return w.serialByIdFolder; }
    static bool dnrSavePending(Corvane& w) { return w.dnrSaveTimer && w.dnrSaveTimer->isActive(); }
    // Puts the read-back where it waits for `read` alone, as if the chain had just sent it,
    // for a test that plays the radio by hand from the middle of the chain. Nothing is sent
    // again on a time-out meanwhile.
    static void awaitRead(Corvane& w, const std::string& read) {
        w.pendingChainReads.clear();
        w.pendingChainReads.push_back({read, w.chainClock.elapsed(), false, true});
        w.chainTimer->stop();
    }
    // Ends the tuning bursts, as if the dials had rested for a while.
    static void restDials(Corvane& w) { w.tuningA = w.tuningB = {}; }
    static Corvane::VoiceState voiceState(Corvane& w, int channel) { return w.voiceStates.at(channel - 1); }
    static QTimer* voiceMemoryTimer(Corvane& w) { return w.voiceMemoryTimer; }
    // The heartbeat's times, shortened so that a silent radio is seen without long waits.
    static int& radioSilentAfterMs(Corvane& w) { return w.radioSilentAfterMs; }
    static int& readBackAfterSilenceMs(Corvane& w) { return w.readBackAfterSilenceMs; }
};

// A shown and active window on the pseudo-terminal radio end, past its power query (answered
// "off", so no read-back runs): the front panel as the operator finds it.
class FrontPanelTest : public WindowTest {
protected:
    void SetUp() override;
    // Gives `widget` the keyboard focus, as the operator's click would.
    static void focus(QWidget* widget);
    // Holds the left mouse button down over the window until release() (what a drag does).
    void pressMouse();
    void releaseMouse();
    // Writes to state.db as another program would.
    void execute(const std::string& sql);
};

// A window against the simulated FT-891, past the whole start-up read-back.
class SimulatorPanelTest : public FrontPanelTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs until the simulator has received `command` (after the last clearReceived).
    bool simulatorReceives(const std::string& command, int timeoutMs = 3000);
    std::vector<std::string> simulatorCommands() const;
    // Lets the answers to everything sent so far arrive.
    void settle() { runEventsFor(150); }

    Sim::PtyRadio simulator;
};
