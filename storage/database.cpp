#include "app/Corvane.h"
#include "app/trace.h"
#include "dialogs/PortSettings.h"
#include "storage/schema.h"
#include "storage/statement.h"
#include "storage/tables.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSerialPort>
#include <QStatusBar>

#include <cstdlib>

using Storage::Statement;

void Corvane::InitDatabase() {
    const QString folder = Storage::DatabaseFolder();
    QDir().mkpath(folder);
    const std::string path = (folder + "state.db").toStdString();
    if (!openDatabase(path))
        showDatabaseUnavailable();

    QString portName;
    int baudRate = 0;
    for (Statement row(database, Schema::selectPort); row.next();) {
        portName = QString::fromStdString(row.text("port_name")).trimmed();
        baudRate = row.integer("baud_rate");
    }
    // A row without a speed (a damaged file, or one of another version) is no choice: ask again.
    if (!portName.isEmpty() && baudRate > 0) {
        openSerialPort(portName, baudRate);
        return;
    }

    PortSettings dialog;
    if (dialog.exec() != QDialog::Accepted) {
        // A cancelled first start leaves nothing behind.
        sqlite3_close(database);
        database = nullptr;
        QFile::remove(QString::fromStdString(path));
        std::exit(1);
    }
    const QString chosenName = dialog.selectedPortName();
    const int chosenRate = dialog.selectedBaudRate();
    openSerialPort(chosenName, chosenRate);
    // Only a port that opened is remembered; otherwise the dialog comes again next time.
    if (serialPort->isOpen())
        Storage::StorePort(database, chosenName.toStdString(), chosenRate);
}

// Opens state.db and creates its tables. A file that cannot be opened, or is not a
// database, leaves the window without persistence rather than failing later.
bool Corvane::openDatabase(const std::string& path) {
    if (sqlite3_open(path.c_str(), &database) != SQLITE_OK) {
        Trace("failed to open database");
        sqlite3_close(database);
        database = nullptr;
        return false;
    }
    if (!Storage::CreateTables(database)) {
        Trace("failed to open database");
        sqlite3_close(database);
        database = nullptr;
        return false;
    }
    // Width and DNR reports store their pair as they arrive; with a write-ahead log a commit
    // does not wait for the disk, so the window never stalls on one (a crash of the program
    // loses nothing; a power cut at worst the last few changes).
    sqlite3_exec(database, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
    return true;
}

void Corvane::showDatabaseUnavailable() {
    databaseWarning = new QLabel("State database unavailable: settings are not kept", this);
    databaseWarning->setObjectName("databaseWarning");
    statusBar()->addPermanentWidget(databaseWarning);
}

void Corvane::openSerialPort(const QString& name, int baudRate) {
    portPath = name;
    portBaudRate = baudRate;
    serialPort = new QSerialPort(name);
    serialPort->setBaudRate(baudRate, QSerialPort::AllDirections);
    serialPort->open(QIODevice::ReadWrite);
}

void Corvane::SavePortSettings(const std::string& portName, int baudRate) {
    Statement(database, Schema::updatePort, {portName, baudRate}).run();
}
