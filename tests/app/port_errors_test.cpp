#include "tests/app/fixture.h"

#include "dialogs/PortSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStatusBar>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

// A port that does not open says why, in the status bar and above the port dialog that offers
// another one, and nothing is opened or sent.
class PortFailureTest : public WindowTest {
protected:
    // Starts on a stored `path`, cancels the port dialog the failure brings and keeps what it showed.
    void startAndCancel(const QString& path) {
        storePort(path.toStdString(), 4800);
        onDialog = [this](PortSettings& dialog) {
            auto* reason = dialog.findChild<QLabel*>("portFailure");
            offeredReason = reason ? reason->text() : QString();
            offeredPort = dialog.selectedPortName();
            dialog.ui.cancelButton->click();
        };
        start();
    }

    QString offeredReason;
    QString offeredPort;
};

namespace {

// A device a row makes, and the descriptor that holds it open, if any.
struct Device {
    QString path;
    int heldFd = -1;
    ~Device() {
        if (heldFd >= 0)
            ::close(heldFd);
    }
};

// The device of the dialout group, which only root can make, for the run as nobody.
const char* const dialoutDeviceVariable = "CORVANE_TEST_DIALOUT_DEVICE";

} // namespace

// Root opens every file and ignores a terminal held for one opener alone, so the reasons are
// shown to an ordinary user: as root, the test runs itself again as nobody.
TEST_F(PortFailureTest, EachReasonIsShownAndNothingOpens) {
    if (geteuid() == 0) {
        // A device of the dialout group that nobody is not in, as a USB adapter's port is.
        QTemporaryDir folder;
        ASSERT_EQ(::chmod(folder.path().toLocal8Bit().constData(), 0755), 0);
        const QString device = folder.path() + "/ttyUSB0";
        QFile file(device);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        const group* dialout = getgrnam("dialout");
        ASSERT_NE(dialout, nullptr);
        ASSERT_EQ(::chown(device.toLocal8Bit().constData(), 0, dialout->gr_gid), 0);
        ASSERT_EQ(::chmod(device.toLocal8Bit().constData(), 0660), 0);

        const QStringList asNobody = {"--reuid=nobody", "--regid=nogroup", "--clear-groups"};
        // A checkout under /root is closed to other users: nobody then runs a copy of this
        // program from the open folder.
        QString program = QCoreApplication::applicationFilePath();
        if (QProcess::execute("setpriv", asNobody + QStringList{"test", "-x", program}) != 0) {
            const QString copy = folder.path() + "/" + QFileInfo(program).fileName();
            ASSERT_TRUE(QFile::copy(program, copy)) << "cannot copy " << program.toStdString();
            ASSERT_EQ(::chmod(copy.toLocal8Bit().constData(), 0755), 0);
            program = copy;
        }
        if (QProcess::execute("setpriv", asNobody + QStringList{"test", "-x", program}) != 0)
            GTEST_SKIP() << "nobody cannot run this test program, nor a copy of it in "
                         << folder.path().toStdString();
        QProcess child;
        child.setWorkingDirectory(folder.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(dialoutDeviceVariable, device);
        environment.remove("XDG_RUNTIME_DIR");
        // The sanitizers' suppressions may lie in the closed checkout too.
        QString sanitizerOptions = environment.value("LSAN_OPTIONS");
        static const QRegularExpression suppressions("suppressions=([^:]+)");
        if (const QRegularExpressionMatch found = suppressions.match(sanitizerOptions); found.hasMatch()) {
            const QString copy = folder.path() + "/lsan.supp";
            QFile::copy(found.captured(1), copy);
            ::chmod(copy.toLocal8Bit().constData(), 0644);
            environment.insert("LSAN_OPTIONS", sanitizerOptions.replace(found.captured(1), copy));
        }
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(
            "setpriv",
            asNobody +
                QStringList{program, "--gtest_filter=PortFailureTest.EachReasonIsShownAndNothingOpens"});
        ASSERT_TRUE(child.waitForFinished(90000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
        return;
    }

    const QString failed = "Failed to initialize the com port! ";
    const QString folder = configHome.path();
    QFile comm("/proc/self/comm");
    ASSERT_TRUE(comm.open(QIODevice::ReadOnly));
    const QString thisProgram = QString("%1 (pid %2)").arg(QString(comm.readAll()).trimmed()).arg(getpid());
    struct Case {
        const char* name;
        std::function<void(Device&)> make;
        QString message; // %1: the device's path
    };
    const std::vector<Case> cases = {
        {"a device that does not exist", [&](Device& d) { d.path = folder + "/ttyUSB9"; },
         failed + "%1 does not exist: the radio's USB cable is unplugged or its adapter has another name "
                  "now. Plug it in, or choose its stable name under /dev/serial/by-id."},
        {"a stable name whose adapter is gone",
         [&](Device& d) {
             d.path = folder + "/usb-FTDI_FT232R-if00-port0";
             ASSERT_EQ(::symlink("/nonexistent/ttyUSB0", d.path.toLocal8Bit().constData()), 0);
         },
         failed + "%1 does not exist: the radio's USB cable is unplugged or its adapter has another name "
                  "now. Plug it in, or choose its stable name under /dev/serial/by-id."},
        {"a device without read and write permission",
         [&](Device& d) {
             d.path = QString::fromStdString(radio.slavePath());
             ASSERT_EQ(::chmod(radio.slavePath().c_str(), 0400), 0);
         },
         failed + "No permission to use %1: its permissions (0400) do not let you read and write it."},
        {"a device of the dialout group, which the user is not in",
         [&](Device& d) { d.path = qEnvironmentVariable(dialoutDeviceVariable); },
         failed +
             "No permission to use %1: your user is not in the dialout group. Add it with \"sudo usermod "
             "-aG dialout $USER\", then log out and back in."},
        {"a device another program holds",
         [&](Device& d) {
             d.path = QString::fromStdString(radio.slavePath());
             d.heldFd = ::open(radio.slavePath().c_str(), O_RDWR | O_NOCTTY);
             ASSERT_GE(d.heldFd, 0);
             ASSERT_EQ(::ioctl(d.heldFd, TIOCEXCL), 0);
         },
         failed + "%1 is busy: " + thisProgram + " holds it. Close that program, or choose another port."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device device;
        c.make(device);
        if (device.path.isEmpty()) {
            std::cout << "skipped (only a run as root can make the device): " << c.name << "\n";
            continue;
        }
        dialogShown = false;
        startAndCancel(device.path);
        const QString message = c.message.arg(device.path);
        EXPECT_TRUE(dialogShown);
        EXPECT_EQ(offeredReason, message);
        EXPECT_EQ(offeredPort, device.path);
        EXPECT_EQ(window->statusBar()->currentMessage(), message);
        ASSERT_NE(CorvaneTestAccess::port(*window), nullptr);
        EXPECT_FALSE(CorvaneTestAccess::port(*window)->isOpen());
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
        window.reset();
        ::chmod(radio.slavePath().c_str(), 0620);
    }
}

// The port dialog the failure brings opens the port chosen there, keeps it and starts on it.
TEST_F(PortFailureTest, AnotherPortChosenAfterTheFailureIsOpenedAndKept) {
    storePort("/nonexistent/ttyUSB0", 4800);
    answerPortDialog(QString::fromStdString(radio.slavePath()), "9600");
    start();
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(CorvaneTestAccess::port(*window)->isOpen());
    EXPECT_EQ(query("select port_name, baud_rate from port_settings where id = 1"),
              (std::vector<std::vector<std::string>>{{radio.slavePath(), "9600"}}));
    EXPECT_EQ(window->statusBar()->currentMessage(), "Reading Radio Power Status..");
    EXPECT_EQ(radioReceives("aslkdfk;"), "aslkdfk;");
}
