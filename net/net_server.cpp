#include "net/net_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(corvaneNet, "corvane.net", QtInfoMsg)

NetServer::NetServer(StateSource state, ActionSink act, QObject* parent)
    : QObject(parent), state(std::move(state)), act(std::move(act)), server(new QTcpServer(this)) {
    connect(server, &QTcpServer::newConnection, this, &NetServer::acceptConnections);
}

// The window closes: a client still holding PTT does not leave the radio transmitting.
NetServer::~NetServer() {
    for (auto& client : clients)
        if (client->holdsPtt)
            releasePtt(client.get(), "the program closes");
    for (auto& client : clients)
        client->socket->disconnect(this);
}

bool NetServer::listen(quint16 port, bool allInterfaces) {
    close();
    return server->listen(allInterfaces ? QHostAddress::Any : QHostAddress::LocalHost, port);
}

void NetServer::close() {
    server->close();
    while (!clients.empty())
        drop(clients.front().get(), "the server stops");
}

bool NetServer::isListening() const {
    return server->isListening();
}

quint16 NetServer::port() const {
    return server->serverPort();
}

bool NetServer::listensOnAllInterfaces() const {
    return server->isListening() && server->serverAddress() != QHostAddress::LocalHost;
}

bool NetServer::portInUse() const {
    return server->serverError() == QAbstractSocket::AddressInUseError;
}

QString NetServer::errorString() const {
    return server->errorString();
}

NetServer::Client* NetServer::find(const QTcpSocket* socket) {
    const auto it = std::find_if(clients.begin(), clients.end(),
                                 [socket](const std::unique_ptr<Client>& c) { return c->socket == socket; });
    return it == clients.end() ? nullptr : it->get();
}

void NetServer::acceptConnections() {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        if (static_cast<int>(clients.size()) >= maxClients) {
            qCInfo(corvaneNet) << "refused a client from" << socket->peerAddress().toString() << ": already"
                               << maxClients << "clients";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // A client that floods requests is served a bounded batch per turn of the event loop,
        // so the panel and the other clients get their turn in between.
        socket->setReadBufferSize(readBatchBytes);
        auto client = std::make_unique<Client>();
        client->socket = socket;
        client->silence = new QTimer(socket);
        client->silence->setSingleShot(true);
        Client* raw = client.get();
        clients.push_back(std::move(client));
        connect(raw->silence, &QTimer::timeout, this, [this, socket] {
            if (Client* c = find(socket))
                releasePtt(c, "silent while holding PTT");
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            if (Client* c = find(socket))
                readLines(c);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            if (Client* c = find(socket))
                drop(c, "disconnected");
        });
        qCDebug(corvaneNet) << "client from" << socket->peerAddress().toString();
    }
}

void NetServer::readLines(Client* client) {
    QTcpSocket* socket = client->socket;
    client->buffer += socket->readAll();
    int start = 0;
    for (int end; (end = client->buffer.indexOf('\n', start)) >= 0; start = end + 1) {
        if (end - start > maxLineLength)
            return drop(client, "line over 1 KiB");
        handleLine(client, client->buffer.mid(start, end - start));
        // "q" or an answer the client does not read closed the connection.
        if (!find(socket))
            return;
    }
    client->buffer.remove(0, start);
    if (client->buffer.size() > maxLineLength)
        drop(client, "line over 1 KiB");
}

void NetServer::handleLine(Client* client, const QByteArray& line) {
    if (client->holdsPtt)
        client->silence->start(silenceMs);
    const Rigctl::Reply reply = Rigctl::respond(line.toStdString(), state(), client->session);
    if (reply.text.rfind("RPRT -", 0) != std::string::npos ||
        reply.text.find("\nRPRT -") != std::string::npos)
        qCDebug(corvaneNet) << "refused" << line.left(80) << ":"
                            << QByteArray::fromStdString(reply.text).trimmed();
    for (const Rigctl::Action& action : reply.actions) {
        if (action.kind == Rigctl::Action::Kind::Ptt) {
            // The last client to key the transmitter holds PTT; an unkey from anyone releases it.
            for (auto& c : clients) {
                c->holdsPtt = false;
                c->silence->stop();
            }
            client->holdsPtt = action.on;
            if (action.on)
                client->silence->start(silenceMs);
        }
        act(action);
    }
    client->socket->write(reply.text.data(), static_cast<qint64>(reply.text.size()));
    if (reply.close)
        return drop(client, "quit", true);
    if (client->socket->bytesToWrite() > maxUnreadBytes)
        drop(client, "does not read its answers");
}

void NetServer::releasePtt(Client* client, const char* reason) {
    client->holdsPtt = false;
    client->silence->stop();
    qCInfo(corvaneNet) << "PTT released:" << reason;
    Rigctl::Action release;
    release.kind = Rigctl::Action::Kind::Ptt;
    release.on = false;
    act(release);
    emit pttReleased();
}

void NetServer::drop(Client* client, const char* reason, bool graceful) {
    const auto it = std::find_if(clients.begin(), clients.end(),
                                 [client](const std::unique_ptr<Client>& c) { return c.get() == client; });
    if (it == clients.end())
        return;
    std::unique_ptr<Client> gone = std::move(*it);
    clients.erase(it);
    qCDebug(corvaneNet) << "client closed:" << reason;
    if (gone->holdsPtt)
        releasePtt(gone.get(), reason);
    QTcpSocket* socket = gone->socket;
    socket->disconnect(this);
    gone->silence->stop();
    if (graceful && socket->state() == QAbstractSocket::ConnectedState) {
        // The answers already written still reach the client before the line closes.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->disconnectFromHost();
        return;
    }
    socket->abort();
    socket->deleteLater();
}
