// A line that goes away: the radio's USB port vanishes, or its descriptor fails to read or
// write. The window says so, closes the port, sends nothing meanwhile, and starts over on the
// same path as soon as the device is back.

#include "tests/app/line_fixture.h"

#include <QFile>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>

#include <algorithm>
#include <cerrno>

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

class LineLossTest : public ReturningLineTest, public ::testing::WithParamInterface<LineLoss> {
protected:
    // Puts `fd` where the port's descriptor was; the port goes on using it.
    void replacePortDescriptor(int fd) {
        ASSERT_GE(fd, 0);
        ASSERT_GE(::dup2(fd, CorvaneTestAccess::port(*window)->handle()), 0);
        ::close(fd);
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
};

} // namespace

TEST_P(LineLossTest, PortClosesAndTheStartBeginsAgainWhenItIsBack) {
    ASSERT_NO_FATAL_FAILURE(startWithRadioOff(4800));

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
    // The device on the path is asked who it is before anything is set on it.
    EXPECT_EQ(lineReceives("ID;"), "ID;");
    lineSends("ID0650;");
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
    ASSERT_NO_FATAL_FAILURE(startWithRadioOff(38400));
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

// A radio that takes bytes more slowly than they come fills the device's buffer: the commands
// wait for room, whole and in order, and the line is not taken for lost.
TEST_F(ReturningLineTest, FullDeviceBufferHoldsTheCommandsBack) {
    ASSERT_NO_FATAL_FAILURE(startWithRadioOff(38400));

    // Filled up to the last byte, as by a radio that has stopped reading for a moment.
    const int filler = ::open(line->slavePath().c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(filler, 0);
    // The terminal refuses a write larger than its room: smaller ones fill the rest.
    const std::string junk(4096, 'x');
    std::size_t filled = 0;
    for (std::size_t chunk = junk.size(); chunk > 0; chunk /= 4)
        for (ssize_t n; (n = ::write(filler, junk.data(), chunk)) > 0;)
            filled += static_cast<std::size_t>(n);
    EXPECT_EQ(errno, EAGAIN);
    ::close(filler);

    std::string expected;
    for (int click = 0; click < 8; ++click) {
        (click % 2 == 0 ? window->ui.btnUp : window->ui.btnDn)->click();
        expected += click % 2 == 0 ? "CH0;" : "CH1;";
    }
    const std::string received = lineReceives(expected);
    ASSERT_EQ(received.size(), filled + expected.size());
    EXPECT_EQ(received.substr(0, filled), std::string(filled, 'x'));
    EXPECT_EQ(received.substr(filled), expected);
    EXPECT_TRUE(CorvaneTestAccess::port(*window)->isOpen());
    EXPECT_FALSE(status().startsWith("Lost the connection")) << status().toStdString();
    EXPECT_EQ(lineReceives(";", 500), "") << "no new start: the line was never lost";
}
