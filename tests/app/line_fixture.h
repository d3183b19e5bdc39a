#pragma once

// The window's port is a link to a pseudo-terminal, as /dev/serial/by-id names an adapter;
// the test plays the radio on its master end and can pull the pair out and plug a new one in.

#include "tests/app/fixture.h"

#include <QFile>
#include <QStatusBar>

#include <algorithm>
#include <memory>
#include <string>

class ReturningLineTest : public WindowTest {
protected:
    QString link() const { return configHome.path() + "/radio"; }

    void plugIn() {
        line = std::make_unique<Sim::PtyPair>();
        QFile::remove(link());
        ASSERT_TRUE(QFile::link(QString::fromStdString(line->slavePath()), link()));
    }

    // Everything the line's radio end receives until `until` has come (or the time is up).
    std::string lineReceives(const std::string& until, int timeoutMs = 5000) {
        std::string received;
        runEventsUntil(
            [&] {
                if (line)
                    received += line->readAvailable();
                return received.find(until) != std::string::npos;
            },
            timeoutMs);
        return received;
    }

    // The radio sends one answer, and the window has handled it (its trace line is written).
    void lineSends(const std::string& answer) {
        line->write(answer);
        ASSERT_TRUE(runEventsUntil(
            [&] {
                return std::any_of(traceLines.begin(), traceLines.end(),
                                   [&](const std::string& l) { return l.rfind(answer, 0) == 0; });
            },
            3000));
    }

    // The window starts on a newly plugged line at `baud`, wakes the radio and hears it is off.
    void startWithRadioOff(int baud) {
        plugIn();
        storePort(link().toStdString(), baud);
        start();
        ASSERT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
        lineSends("PS0;");
    }

    void waitForClosedPort() {
        ASSERT_TRUE(runEventsUntil([this] { return !CorvaneTestAccess::port(*window)->isOpen(); }, 3000))
            << status().toStdString();
    }

    QString status() const { return window->statusBar()->currentMessage(); }

    std::unique_ptr<Sim::PtyPair> line;
};
