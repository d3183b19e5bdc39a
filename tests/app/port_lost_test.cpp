// A line that goes away: the radio's USB port vanishes, or its descriptor fails to read or
// write. The window says so, closes the port, sends nothing meanwhile, and starts over on the
// same path as soon as the device is back.

#include "tests/app/fixture.h"

#include <QFile>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

TEST_F(WindowTest, LostPortIsReported) {
    auto adapter = std::make_unique<Sim::PtyPair>();
    storePort(adapter->slavePath(), 38400);
    start();
    adapter.reset();
    ASSERT_TRUE(runEventsUntil(
        [this] {
            return window->statusBar()->currentMessage().startsWith("Lost the connection to the radio");
        },
        3000));
    EXPECT_TRUE(window->isEnabled());
}

namespace {

enum class Fault {
    HangUp,       // the other end closes: a USB adapter pulled out, a radio switched off
    EndOfFile,    // the descriptor reads nothing more, for ever
    WriteRefused, // the descriptor refuses the window's writes
};

struct LineLoss {
    const char* name;
    Fault fault;
};

void PrintTo(const LineLoss& c, std::ostream* out) {
    *out << c.name;
}

// The window's port is a link to a pseudo-terminal, as /dev/serial/by-id names an adapter;
// the test plays the radio on its master end and can pull the pair out and plug a new one in.
class LineLossTest : public WindowTest, public ::testing::WithParamInterface<LineLoss> {
protected:
    QString link() const { return configHome.path() + "/radio"; }

    void plugIn() {
        line = std::make_unique<Sim::PtyPair>();
        QFile::remove(link());
        ASSERT_TRUE(QFile::link(QString::fromStdString(line->slavePath()), link()));
    }

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

    // Puts `fd` where the port's descriptor was; the port goes on using it.
    void replacePortDescriptor(int fd) {
        ASSERT_GE(fd, 0);
        ASSERT_GE(::dup2(fd, CorvaneTestAccess::port(*window)->handle()), 0);
        ::close(fd);
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

    void inflict(Fault fault) {
        switch (fault) {
        case Fault::HangUp:
            line.reset();
            break;
        case Fault::EndOfFile: {
            // A pipe whose writer is gone: every read finds the end of the file.
            int ends[2];
            ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
            ::close(ends[1]);
            replacePortDescriptor(ends[0]);
            break;
        }
        case Fault::WriteRefused:
            // The same terminal, opened for reading only: it reads as before and refuses writes,
            // which shows when the operator switches the attenuator.
            replacePortDescriptor(
                ::open(line->slavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
            window->ui.btnATT->click();
            break;
        }
    }

    QString status() const { return window->statusBar()->currentMessage(); }

    std::unique_ptr<Sim::PtyPair> line;
};

} // namespace

TEST_P(LineLossTest, PortClosesAndTheStartBeginsAgainWhenItIsBack) {
    plugIn();
    storePort(link().toStdString(), 4800);
    start();
    ASSERT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
    lineSends("PS0;");

    inflict(GetParam().fault);
    ASSERT_TRUE(runEventsUntil(
        [this] {
            return status().startsWith("Lost the connection to the radio: ") &&
                   !CorvaneTestAccess::port(*window)->isOpen();
        },
        3000))
        << status().toStdString();
    EXPECT_GT(status().size(), QString("Lost the connection to the radio: ").size()) << "the reason is given";
    EXPECT_TRUE(window->isEnabled());

    if (GetParam().fault == Fault::HangUp)
        plugIn();
    // Power query first, as at start-up, at the stored speed; the window's own attenuator
    // command went with the lost line.
    EXPECT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
    EXPECT_EQ(CorvaneTestAccess::port(*window)->baudRate(), 4800);
    lineSends("PS1;");
    EXPECT_EQ(lineReceives("IF;"), "IF;") << "the radio is read back";
    EXPECT_TRUE(CorvaneTestAccess::readBackInProgress(*window));
}

INSTANTIATE_TEST_SUITE_P(Faults, LineLossTest,
                         ::testing::Values(LineLoss{"OtherEndHangsUp", Fault::HangUp},
                                           LineLoss{"DescriptorReadsEndOfFile", Fault::EndOfFile},
                                           LineLoss{"DescriptorRefusesWrites", Fault::WriteRefused}),
                         [](const ::testing::TestParamInfo<LineLoss>& info) { return info.param.name; });

// While the line is down the operator's actions send nothing, and the status bar says so
// once, not at every click.
TEST_F(LineLossTest, ActionsWhileTheLineIsDownSendNothingAndSaySoOnce) {
    plugIn();
    storePort(link().toStdString(), 38400);
    start();
    ASSERT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
    lineSends("PS0;");
    inflict(Fault::HangUp);
    ASSERT_TRUE(runEventsUntil([this] { return !CorvaneTestAccess::port(*window)->isOpen(); }, 3000));

    window->ui.btnATT->click();
    EXPECT_EQ(status(), "Not connected to the radio: nothing is sent until it is back");
    window->statusBar()->clearMessage();
    window->ui.btnIPO->click();
    EXPECT_EQ(status(), "");

    plugIn();
    EXPECT_EQ(lineReceives("PS;"), "aslkdfk;PS;") << "nothing of the clicks reaches the radio";
}
