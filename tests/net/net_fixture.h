#pragma once

// Network clients of the window: the server on a port of the test's own, and a client that
// speaks the rigctld protocol over a real socket.

#include "storage/network_settings.h"
#include "tests/app/fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>

#include <sqlite3.h>

#include <memory>
#include <string>

// A port no one listens on right now.
inline int freeNetworkPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// state.db with the server on `port`, as an earlier run of the window would leave it.
inline void storeNetworkPort(const QString& databasePath, int port) {
    QDir().mkpath(QFileInfo(databasePath).path());
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath.toUtf8().constData(), &database), SQLITE_OK);
    Storage::NetworkSettings settings;
    settings.port = port;
    EXPECT_TRUE(Storage::StoreNetworkSettings(database, settings));
    sqlite3_close(database);
}

// A program connected to the window's server, sending whole lines.
inline std::unique_ptr<QTcpSocket> connectClient(int port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost("127.0.0.1", static_cast<quint16>(port));
    EXPECT_TRUE(
        WindowTest::runEventsUntil([&] { return socket->state() == QAbstractSocket::ConnectedState; }, 3000));
    return socket;
}

// What the client reads until `until` has come (or the time is up).
inline std::string clientReads(QTcpSocket& socket, const std::string& until, int timeoutMs = 3000) {
    std::string read;
    WindowTest::runEventsUntil(
        [&] {
            read += socket.readAll().toStdString();
            return read.find(until) != std::string::npos;
        },
        timeoutMs);
    return read;
}
