#pragma once

// Network clients of the window: the server on a port of the test's own, and a client that
// speaks the rigctld protocol over a real socket.

#include "storage/network_settings.h"
#include "tests/app/fixture.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <string>

// A port no one listens on right now.
inline int freeNetworkPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The server on `port`, as the window's fixture leaves it in state.db before the window starts.
inline Storage::NetworkSettings serverOn(int port) {
    Storage::NetworkSettings settings;
    settings.port = port;
    return settings;
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
