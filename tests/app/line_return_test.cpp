// A line that comes back may not lead to the radio: a pseudo-terminal number taken by another
// program, another USB adapter on the radio's old device name. Until the device on the path
// has answered the power query and ID; as an FT-891, nothing but the power sequence (and a
// release the transmitter is owed) goes to it; a device that is not the radio is closed again
// and waited past, and the status bar says so.

#include "tests/app/line_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSerialPort>

namespace {

struct StrangeDevice {
    const char* name;
    // What the device answers to the power query and then to ID; (empty: nothing).
    const char* powerAnswer;
    const char* identityAnswer;
    const char* status;
};

void PrintTo(const StrangeDevice& c, std::ostream* out) {
    *out << c.name;
}

class StrangeDeviceTest : public ReturningLineTest, public ::testing::WithParamInterface<StrangeDevice> {};

} // namespace

TEST_P(StrangeDeviceTest, GetsNothingButThePowerQueryAndTheOwedReleaseAndIsClosedAgain) {
    const StrangeDevice& device = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithRadioOff(38400));
    // The operator keys with MOX, and the line goes.
    window->ui.ckMox->setChecked(true);
    ASSERT_EQ(lineReceives("MX1;"), "MX1;");
    line.reset();
    waitForClosedPort();
    // The operator's clicks meanwhile go nowhere.
    window->ui.btnATT->click();

    // Another program's terminal now has the path.
    plugIn();
    EXPECT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
    if (*device.powerAnswer) {
        line->write(device.powerAnswer);
        EXPECT_EQ(lineReceives("ID;"), "TX0;MX0;ID;") << "the owed release first, then who it is";
        if (*device.identityAnswer)
            line->write(device.identityAnswer);
    }
    ASSERT_TRUE(runEventsUntil([&] { return status().contains(device.status); }, 8000))
        << status().toStdString();
    waitForClosedPort();
    EXPECT_EQ(line->readAvailable(), "") << "nothing else went to it";
    EXPECT_TRUE(status().startsWith("Waiting for the radio: the device on " + link()))
        << status().toStdString();
    EXPECT_TRUE(window->isEnabled());

    // The radio's own device takes the path: it is opened, and it is still owed the release.
    if (*device.identityAnswer) {
        // A device that answered as another radio is not opened again while it holds the path.
        EXPECT_EQ(lineReceives(";", 1500), "");
        EXPECT_FALSE(CorvaneTestAccess::port(*window)->isOpen());
    }
    plugIn();
    EXPECT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
    lineSends("PS1;");
    EXPECT_EQ(lineReceives("ID;"), "TX0;MX0;ID;");
    lineSends("ID0650;");
    EXPECT_EQ(lineReceives("IF;"), "IF;") << "the radio is read back";
}

INSTANTIATE_TEST_SUITE_P(
    OnTheRadiosPath, StrangeDeviceTest,
    ::testing::Values(StrangeDevice{"SaysNothing", "", "", "does not answer the power query"},
                      StrangeDevice{"AnswersAsAnotherRadio", "PS1;", "ID0670;",
                                    "answers ID; with 0670, not 0650 as an FT-891"},
                      StrangeDevice{"AnswersOnlyThePowerQuery", "PS1;", "", "does not answer ID;"}),
    [](const ::testing::TestParamInfo<StrangeDevice>& info) { return info.param.name; });

// The radio's USB adapter has a name in /dev/serial/by-id: a device on the old path without
// that name is another adapter, and is not even opened.
TEST_F(ReturningLineTest, AnotherUsbAdapterOnTheRadiosPathIsNotOpened) {
    const QString byId = configHome.path() + "/by-id";
    ASSERT_TRUE(QDir().mkpath(byId));
    const QString radiosName =
        byId + "/usb-Silicon_Labs_CP2105_Dual_USB_to_UART_Bridge_Controller_00A1B2C3-if00-port0";
    const auto nameTheLine = [&] {
        QFile::remove(radiosName);
        ASSERT_TRUE(QFile::link(QString::fromStdString(line->slavePath()), radiosName));
    };
    plugIn();
    nameTheLine();
    storePort(link().toStdString(), 38400);
    start();
    CorvaneTestAccess::serialByIdFolder(*window) = byId;
    ASSERT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
    lineSends("PS0;");
    // Pulled out: udev takes its name away.
    line.reset();
    QFile::remove(radiosName);
    waitForClosedPort();

    plugIn();
    ASSERT_TRUE(runEventsUntil([&] { return status().contains("is not usb-Silicon_Labs_CP2105"); }, 3000))
        << status().toStdString();
    EXPECT_EQ(lineReceives(";", 1500), "") << "not opened: nothing sent";
    EXPECT_FALSE(CorvaneTestAccess::port(*window)->isOpen());

    // Plugged in again, the radio's adapter has its name.
    nameTheLine();
    EXPECT_EQ(lineReceives("PS;"), "aslkdfk;PS;");
}
