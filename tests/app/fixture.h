#pragma once

#include "app/Corvane.h"
#include "sim/pty.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
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
    // Answers the port dialog with these texts and OK (or Cancel).
    void answerPortDialog(const QString& portName, const QString& baud, bool accept = true);

    // Runs the event loop until the radio end has received `until` (or the time is up) and
    // returns everything received meanwhile.
    std::string radioReceives(const std::string& until, int timeoutMs = 3000);
    // Runs the event loop for a while and returns what the radio end received.
    std::string radioReceivesFor(int ms);
    // The radio sends bytes, and the window gets the time to handle them.
    void radioSends(const std::string& bytes, int settleMs = 50);

    static void runEventsFor(int ms);
    static bool runEventsUntil(const std::function<bool()>& done, int timeoutMs);

    std::vector<std::string> traceLines;

    QTemporaryDir configHome;
    Sim::PtyPair radio;
    std::unique_ptr<Corvane> window;
    bool dialogShown = false;
    std::function<void(class PortSettings&)> onDialog;
};
