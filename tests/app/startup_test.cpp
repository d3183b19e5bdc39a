// First and later starts: the port dialog, the state database and the port it opens.

#include "tests/app/fixture.h"

#include "dialogs/PortSettings.h"
#include "storage/schema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <sqlite3.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t slaveSpeed(const Sim::PtyPair& pty) {
    termios settings{};
    tcgetattr(pty.slaveFd(), &settings);
    return cfgetospeed(&settings);
}

} // namespace

TEST_F(WindowTest, FirstStartAsksForThePortAndRemembersIt) {
    answerPortDialog(QString::fromStdString(radio.slavePath()), "19200");
    start();

    EXPECT_TRUE(dialogShown);
    // The network server's table is the fixture's: it switches the server off.
    const auto tables = query("select name, sql from sqlite_master where type = 'table' and name not in "
                              "('sqlite_sequence', 'network_settings') order by rowid");
    ASSERT_EQ(tables.size(), 3u);
    const std::pair<const char*, const char*> expected[] = {
        {"port_settings", Schema::createPortSettings},
        {"band_mode_settings", Schema::createBandModeSettings},
        {"contour_settings", Schema::createContourSettings}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(tables[i][0], expected[i].first);
        // SQLite keeps the statement from CREATE on, without IF NOT EXISTS and the final ";".
        std::string created = expected[i].second;
        created = created.substr(created.find("CREATE"));
        created.erase(created.find("IF NOT EXISTS "), 14);
        created = created.substr(0, created.find_last_of(')') + 1);
        EXPECT_EQ(tables[i][1], created) << tables[i][0];
    }
    EXPECT_EQ(query("select id, port_name, baud_rate from port_settings"),
              (std::vector<std::vector<std::string>>{{"1", radio.slavePath(), "19200"}}));
    EXPECT_EQ(slaveSpeed(radio), B19200);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Reading Radio Power Status..");
}

TEST_F(WindowTest, SecondStartOpensTheStoredPortWithoutAsking) {
    storePort(radio.slavePath(), 38400);
    start();

    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(slaveSpeed(radio), B38400);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Reading Radio Power Status..");
    EXPECT_EQ(query("select count(*) from port_settings"), (std::vector<std::vector<std::string>>{{"1"}}));
}

TEST_F(WindowTest, CancelledFirstStartLeavesNothingAndExitsWithOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            answerPortDialog(QString::fromStdString(radio.slavePath()), "4800", false);
            start();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_FALSE(QFile::exists(databasePath()));
}

// Port names reach SQLite as bound values, so quotes and non-ASCII names survive.
TEST_F(WindowTest, PortNamesWithQuotesAndNonAsciiRoundTrip) {
    const std::string names[] = {"radio'one", "rádio ÿ", "a\"b';--"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string link = configHome.path().toStdString() + "/" + name;
        ASSERT_EQ(symlink(radio.slavePath().c_str(), link.c_str()), 0);
        QFile::remove(databasePath());
        answerPortDialog(QString::fromStdString(link), "9600");
        start();
        EXPECT_EQ(query("select port_name from port_settings where id = 1"),
                  (std::vector<std::vector<std::string>>{{link}}));
        window.reset();

        onDialog = nullptr;
        dialogShown = false;
        start();
        EXPECT_FALSE(dialogShown);
        EXPECT_EQ(window->statusBar()->currentMessage(), "Reading Radio Power Status..");
        window.reset();
    }
}

TEST_F(WindowTest, UnopenablePortIsReportedAndNotStored) {
    // Chosen at the first start, and again in the dialog the failure brings.
    answerPortDialog("/nonexistent/ttyCAT", "4800");
    start();
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "Failed to initialize the com port! /nonexistent/ttyCAT does not exist: the radio's USB "
              "cable is unplugged or its adapter has another name now. Plug it in, or choose its "
              "stable name under /dev/serial/by-id.");
    EXPECT_TRUE(query("select * from port_settings").empty());
    EXPECT_EQ(radio.readAvailable(), "");
}

TEST_F(WindowTest, StoredPortThatIsGoneIsReported) {
    storePort("/nonexistent/ttyCAT", 4800);
    answerPortDialog("", "", false);
    start();
    EXPECT_TRUE(dialogShown) << "the port dialog offers another port";
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "Failed to initialize the com port! /nonexistent/ttyCAT does not exist: the radio's USB "
              "cable is unplugged or its adapter has another name now. Plug it in, or choose its "
              "stable name under /dev/serial/by-id.");
}

// A state.db that is not a database: the window still comes up, says so, and asks for the port.
TEST_F(WindowTest, UnusableDatabaseIsReportedAndTheWindowRunsWithoutIt) {
    QDir().mkpath(configHome.path() + "/Corvane");
    QFile junk(databasePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();

    answerPortDialog(QString::fromStdString(radio.slavePath()), "4800");
    start();
    EXPECT_TRUE(dialogShown);
    auto* warning = window->findChild<QLabel*>("databaseWarning");
    ASSERT_NE(warning, nullptr);
    EXPECT_FALSE(warning->text().isEmpty());
    EXPECT_EQ(window->statusBar()->currentMessage(), "Reading Radio Power Status..");
    EXPECT_NE(std::find(traceLines.begin(), traceLines.end(), "failed to open database"), traceLines.end());
}

// A state.db written by another version, or damaged, whose tables lack a column: the column is
// added, and the rows that lacked it read as "not stored", never as zeros.
TEST_F(WindowTest, TablesMissingAColumnAreMended) {
    QDir().mkpath(configHome.path() + "/Corvane");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath().toUtf8().constData(), &db), SQLITE_OK);
    const std::string setup =
        "create table port_settings(id INTEGER PRIMARY KEY AUTOINCREMENT, port_name varchar(20));"
        "insert into port_settings(port_name) values('" +
        radio.slavePath() +
        "');"
        "create table band_mode_settings(id INTEGER PRIMARY KEY AUTOINCREMENT, band int default 0, mode int "
        "default 0, dnr_enabled int default 0, dnr_value int default 0);"
        "insert into band_mode_settings(band, mode, dnr_enabled, dnr_value) values(5, 1, 1, 9);";
    ASSERT_EQ(sqlite3_exec(db, setup.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    // A port without its speed is no choice: the dialog asks, and row 1 keeps the answer.
    answerPortDialog(QString::fromStdString(radio.slavePath()), "38400");
    start();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(query("select id, port_name, baud_rate from port_settings"),
              (std::vector<std::vector<std::string>>{{"1", radio.slavePath(), "38400"}}));
    EXPECT_EQ(window->findChild<QLabel*>("databaseWarning"), nullptr);

    // The stored pair without a width sends its level and switch, and no width.
    radioReceives("PS;");
    playReadBackEnd("IF001014074000+000000200000;");
    EXPECT_EQ(radioReceives("AC;", 1000), "RL009;NR01;AC;");
}

// A radio that does not answer the power query: a word on what to check, and a usable window.
TEST_F(WindowTest, SilentPortIsReported) {
    storePort(radio.slavePath(), 38400);
    start();
    EXPECT_EQ(radioReceives("PS;"), "aslkdfk;PS;");
    EXPECT_TRUE(runEventsUntil(
        [this] { return window->statusBar()->currentMessage().startsWith("The radio does not answer on"); },
        5000));
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("try the other one"));
    EXPECT_TRUE(window->isEnabled());
}

TEST(PortSettingsDialog, OffersTheRadioSpeedsOnly) {
    EXPECT_EQ(PortSettings::radioSpeeds({1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200}),
              (QList<qint32>{4800, 9600, 19200, 38400}));
    PortSettings dialog;
    QStringList speeds;
    for (int i = 0; i < dialog.ui.comboBox_2->count(); ++i)
        speeds << dialog.ui.comboBox_2->itemText(i);
    EXPECT_EQ(speeds, (QStringList{"4800", "9600", "19200", "38400"}));
    EXPECT_EQ(dialog.selectedBaudRate(), 4800);
}

TEST(PortSettingsDialog, ListsStableByIdNamesAfterThePlatformPorts) {
    QTemporaryDir byId;
    for (const char* name : {"usb-FTDI_FT231X-if00-port0", "usb-Silicon_Labs_CP2105-if00-port0"}) {
        QFile f(byId.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QStringList names = PortSettings::portNames({}, byId.path());
    EXPECT_EQ(names, (QStringList{byId.path() + "/usb-FTDI_FT231X-if00-port0",
                                  byId.path() + "/usb-Silicon_Labs_CP2105-if00-port0"}));
}

TEST(PortSettingsDialog, CancelAndCloseBothReject) {
    for (bool viaClose : {false, true}) {
        PortSettings dialog;
        QTimer::singleShot(0, &dialog, [&] {
            if (viaClose)
                dialog.close();
            else
                dialog.ui.cancelButton->click();
        });
        EXPECT_EQ(dialog.exec(), 0) << (viaClose ? "close" : "cancel");
    }
}

// The port settings button: Cancel changes nothing; a port that does not open is stored for the
// next start while the open one stays; a port that opens replaces the open one and the start
// begins again on it (the FT-891 shows two serial ports, and only one of them carries CAT).
TEST_F(WindowTest, PortSettingsButtonSwitchesToTheChosenPort) {
    storePort(radio.slavePath(), 38400);
    start();
    window->show();
    radioReceives("PS;");
    radioSends("PS0;");
    const auto choose = [this](const QString& port, const QString& baud, bool accept = true) {
        dialogShown = false;
        answerPortDialog(port, baud, accept);
        withPortDialog([this] { window->ui.pbPortSettings->click(); });
        EXPECT_TRUE(dialogShown);
    };

    choose("/dev/ttyUSB7", "9600", false);
    EXPECT_EQ(radioReceivesFor(200), "");
    EXPECT_EQ(query("select port_name, baud_rate from port_settings where id = 1"),
              (std::vector<std::vector<std::string>>{{radio.slavePath(), "38400"}}));

    // Blanks around a typed path are no part of it.
    choose("  /nonexistent/ttyUSB7 ", "9600");
    EXPECT_EQ(query("select id, port_name, baud_rate from port_settings"),
              (std::vector<std::vector<std::string>>{{"1", "/nonexistent/ttyUSB7", "9600"}}));
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "Failed to initialize the com port! /nonexistent/ttyUSB7 does not exist: the radio's USB "
              "cable is unplugged or its adapter has another name now. Plug it in, or choose its "
              "stable name under /dev/serial/by-id.");
    EXPECT_EQ(slaveSpeed(radio), B38400);
    EXPECT_TRUE(window->isEnabled());

    Sim::PtyRadio other;
    // A radio answering at 19200 baud has its CAT rate menu item at 19200.
    other.setMenuValue(506, 2);
    choose(QString::fromStdString(other.slavePath()), "19200");
    ASSERT_TRUE(readBackEndsOn(other));
    EXPECT_TRUE(other.hasReceived("PS;"));
    EXPECT_EQ(window->ui.VFO->text(), "14.074.000");
    EXPECT_EQ(query("select port_name, baud_rate from port_settings where id = 1"),
              (std::vector<std::vector<std::string>>{{other.slavePath(), "19200"}}));
    // The first port is let go: nothing more goes out on it, and the window stays open.
    EXPECT_EQ(radioReceivesFor(200), "");
    EXPECT_TRUE(window->isVisible());

    // The same port at another speed is the open port, set to that speed: no second open.
    other.clearReceived();
    choose(QString::fromStdString(other.slavePath()), "38400");
    EXPECT_EQ(CorvaneTestAccess::port(*window)->baudRate(), 38400);
    EXPECT_EQ(query("select port_name, baud_rate from port_settings where id = 1"),
              (std::vector<std::vector<std::string>>{{other.slavePath(), "38400"}}));
    EXPECT_FALSE(window->statusBar()->currentMessage().startsWith("Failed"));
    EXPECT_TRUE(other.waitForCommand("PS;", std::chrono::seconds(3),
                                     [] { QApplication::processEvents(QEventLoop::AllEvents, 5); }));
}
