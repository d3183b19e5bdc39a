#include "tests/app/fixture.h"

#include "dialogs/PortSettings.h"
#include "storage/tables.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>
#include <QtTest/QTest>

#include <sqlite3.h>
#include <sys/ioctl.h>

namespace {
std::vector<std::string>* capturedTrace = nullptr;
QtMessageHandler previousHandler = nullptr;

void captureTrace(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (capturedTrace && context.category && QByteArray(context.category) == "corvane.trace")
        capturedTrace->push_back(message.toStdString());
    else if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

WindowTest::WindowTest() {
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    capturedTrace = &traceLines;
    previousHandler = qInstallMessageHandler(captureTrace);
    QLoggingCategory::setFilterRules("corvane.trace.debug=true");
}

WindowTest::~WindowTest() {
    window.reset();
    qInstallMessageHandler(previousHandler);
    capturedTrace = nullptr;
}

QString WindowTest::databasePath() const {
    return configHome.path() + "/Corvane/state.db";
}

void WindowTest::storePort(const std::string& name, int baudRate) {
    EXPECT_TRUE(Storage::StorePortIn(configHome.path() + "/Corvane", name, baudRate));
}

std::vector<std::vector<std::string>> WindowTest::query(const std::string& sql) const {
    std::vector<std::vector<std::string>> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                std::vector<std::string> row;
                for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
                    row.emplace_back(text ? text : "");
                }
                rows.push_back(row);
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

// Into whatever state.db the test prepared; one that is not a database stays as it is.
void WindowTest::storeNetworkSettings() {
    if (!networkSettings)
        return;
    QDir().mkpath(QFileInfo(databasePath()).path());
    sqlite3* db = nullptr;
    if (sqlite3_open(databasePath().toUtf8().constData(), &db) == SQLITE_OK)
        Storage::StoreNetworkSettings(db, *networkSettings);
    sqlite3_close(db);
}

Corvane& WindowTest::start() {
    storeNetworkSettings();
    withPortDialog([this] {
        window = std::make_unique<Corvane>();
        CorvaneTestAccess::meterPolling(*window) = meterPolling;
    });
    return *window;
}

void WindowTest::withPortDialog(const std::function<void()>& action) {
    // The dialog runs its own event loop inside the action; look for it from a timer. A port that
    // does not open brings the dialog again, which gets the same answer.
    auto* watcher = new QTimer;
    QObject::connect(watcher, &QTimer::timeout, [this] {
        auto* dialog = qobject_cast<PortSettings*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialogShown = true;
        if (onDialog)
            onDialog(*dialog);
        else {
            ADD_FAILURE() << "the port dialog was shown";
            dialog->reject();
        }
    });
    watcher->start(10);
    action();
    delete watcher;
}

void WindowTest::answerPortDialog(const QString& portName, const QString& baud, bool accept) {
    onDialog = [=](PortSettings& dialog) {
        dialog.ui.comboBox->setEditText(portName);
        dialog.ui.comboBox_2->setCurrentText(baud);
        if (accept)
            dialog.ui.okButton->click();
        else
            dialog.ui.cancelButton->click();
    };
}

void WindowTest::runEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool WindowTest::runEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

std::string WindowTest::radioReceives(const std::string& until, int timeoutMs) {
    std::string received;
    runEventsUntil(
        [&] {
            received += radio.readAvailable();
            return !until.empty() && received.find(until) != std::string::npos;
        },
        timeoutMs);
    return received;
}

std::string WindowTest::radioReceivesFor(int ms) {
    return radioReceives({}, ms);
}

int WindowTest::bytesWaitingAtWindow() const {
    int waiting = 0;
    ioctl(radio.slaveFd(), FIONREAD, &waiting);
    return waiting;
}

void WindowTest::radioSends(const std::string& bytes, int settleMs) {
    // In slices, with the window reading in between: the terminal's buffer is small.
    constexpr size_t slice = 512;
    for (size_t at = 0; at < bytes.size(); at += slice) {
        radio.write(std::string_view(bytes).substr(at, slice));
        if (at + slice < bytes.size())
            runEventsFor(5);
    }
    // However busy the machine, the window has read everything before the settle time starts.
    runEventsUntil([this] { return bytesWaitingAtWindow() == 0; }, 3000);
    runEventsFor(settleMs);
}

bool WindowTest::windowIdle() const {
    const QSerialPort* port = window ? CorvaneTestAccess::port(*window) : nullptr;
    return bytesWaitingAtWindow() == 0 && (!port || port->bytesToWrite() == 0) &&
           (!window || CorvaneTestAccess::outboxEmpty(*window));
}

std::string WindowTest::radioReceivesUntilQuiet(int quietMs, int timeoutMs) {
    std::string received;
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer quiet;
    quiet.start();
    while (clock.elapsed() < timeoutMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        const std::string bytes = radio.readAvailable();
        if (!bytes.empty() || !windowIdle()) {
            received += bytes;
            quiet.restart();
        } else if (quiet.elapsed() >= quietMs) {
            break;
        }
    }
    return received;
}

std::string WindowTest::replyTo(const std::string& answer) {
    radio.readAvailable();
    radioSends(answer, 0);
    return radioReceivesUntilQuiet();
}

bool WindowTest::readBackEndsOn(Sim::PtyRadio& simulator, int timeoutMs) {
    const auto pump = [] { QApplication::processEvents(QEventLoop::AllEvents, 5); };
    if (!simulator.waitForCommand("VX;", std::chrono::milliseconds(timeoutMs), pump) ||
        !runEventsUntil([this] { return window->isEnabled(); }, 3000))
        return false;
    simulator.waitForQuiet(std::chrono::milliseconds(200), std::chrono::seconds(3), pump);
    return true;
}

void WindowTest::playReadBackEnd(const std::string& information) {
    radioSends("PS1;");
    ASSERT_EQ(radioReceives("IF;"), "IF;");
    radioSends(information);
    ASSERT_EQ(radioReceives("OI;"), "OI;");
    CorvaneTestAccess::awaitRead(*window, "VX;");
    radioSends("VX0;");
}

bool WindowTest::startShown(const std::string& port) {
    storePort(port, 38400);
    start();
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}

void FrontPanelTest::SetUp() {
    ASSERT_TRUE(startShown(radio.slavePath()));
    ASSERT_EQ(radioReceives("PS;", 3000), "aslkdfk;PS;");
    // A radio that is switched off: it answers, so no read-back starts and no word about a
    // silent port comes up in the middle of a test.
    radioSends("PS0;", 0);
}

void FrontPanelTest::focus(QWidget* widget) {
    widget->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(widget->hasFocus()) << widget->objectName().toStdString();
}

// Over the status bar, where a press moves no control.
void FrontPanelTest::pressMouse() {
    const QPoint at = window->statusBar()->geometry().center();
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_NE(QApplication::mouseButtons(), Qt::NoButton);
}

void FrontPanelTest::releaseMouse() {
    const QPoint at = window->statusBar()->geometry().center();
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

void FrontPanelTest::execute(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath().toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

void SimulatorPanelTest::SetUp() {
    ASSERT_TRUE(startShown(simulator.slavePath()));
    ASSERT_TRUE(readBackEndsOn(simulator));
    simulator.clearReceived();
}

// The window lets go of its port before the simulated radio stops.
void SimulatorPanelTest::TearDown() {
    window.reset();
}

bool SimulatorPanelTest::simulatorReceives(const std::string& command, int timeoutMs) {
    const auto pump = [] { QApplication::processEvents(QEventLoop::AllEvents, 5); };
    return simulator.waitForCommand(command, std::chrono::milliseconds(timeoutMs), pump);
}

std::vector<std::string> SimulatorPanelTest::simulatorCommands() const {
    std::vector<std::string> texts;
    for (const Sim::ReceivedCommand& received : simulator.received())
        texts.push_back(received.text);
    return texts;
}
