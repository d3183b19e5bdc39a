#include "net/net_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(corvaneNet, "corvane.net", QtInfoMsg)

NetServer::NetServer(StateSource state, ActionSink act, QObject* parent)
    : QObject(parent), state(std::move(state)), act(std::move(act)), server(new QTcpServer(this)),
      transmitLimit(new QTimer(this)) {
    connect(server, &QTcpServer::newConnection, this, &NetServer::acceptConnections);
    transmitLimit->setSingleShot(true);
    transmitLimit->setTimerType(Qt::PreciseTimer);
    connect(transmitLimit, &QTimer::timeout, this, &NetServer::onTransmitLimit);
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

NetServer::Client* NetServer::holder() {
    const auto it = std::find_if(clients.begin(), clients.end(),
                                 [](const std::unique_ptr<Client>& c) { return c->holdsPtt; });
    return it == clients.end() ? nullptr : it->get();
}

void NetServer::setTransmitLimitMs(int ms) {
    limitMs = std::max(ms, 0);
    if (!holder())
        return;
    if (limitMs == 0)
        transmitLimit->stop();
    else
        transmitLimit->start(static_cast<int>(std::max<qint64>(limitMs - keyedFor.elapsed(), 0)));
}

void NetServer::setKeyingAllowed(bool allowed) {
    keyingOn = allowed;
    if (Client* keyed = holder(); keyed && !allowed)
        releasePtt(keyed, "programs may no longer key the transmitter");
}

void NetServer::onTransmitLimit() {
    Client* keyed = holder();
    if (!keyed)
        return;
    keyed->unkeyedByLimit = true;
    releasePtt(keyed, "the transmit time limit ran out");
    emit transmitLimitReached();
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
        clients.push_back(std::move(client));
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
        // Each request of the line on its own: a refused key-up refuses only itself.
        for (const std::string& request :
             Rigctl::requests(client->buffer.mid(start, end - start).toStdString())) {
            handleLine(client, QByteArray::fromStdString(request));
            // "q" or an answer the client does not read closed the connection.
            if (!find(socket))
                return;
        }
    }
    client->buffer.remove(0, start);
    if (client->buffer.size() > maxLineLength)
        drop(client, "line over 1 KiB");
}

void NetServer::handleLine(Client* client, const QByteArray& line) {
    Rigctl::Reply reply = answer(client, line);
    const bool keys = std::any_of(reply.actions.begin(), reply.actions.end(), [](const Rigctl::Action& a) {
        return a.kind == Rigctl::Action::Kind::Ptt && a.on;
    });
    // Programs may not key the transmitter: the key-up is refused, an unkey still goes out.
    if (keys && !keyingOn)
        refuseKeying(reply);
    if (reply.text.rfind("RPRT -", 0) != std::string::npos ||
        reply.text.find("\nRPRT -") != std::string::npos)
        qCDebug(corvaneNet) << "refused" << line.left(80) << ":"
                            << QByteArray::fromStdString(reply.text).trimmed();
    for (const Rigctl::Action& action : reply.actions) {
        if (action.kind == Rigctl::Action::Kind::Ptt)
            takePtt(client, action.on);
        act(action);
    }
    client->socket->write(reply.text.data(), static_cast<qint64>(reply.text.size()));
    if (reply.close)
        return drop(client, "quit", true);
    if (client->socket->bytesToWrite() > maxUnreadBytes)
        drop(client, "does not read its answers");
}

// The reads answer from the window's state. A client the time limit unkeyed reads receive
// until one of its reads has shown it so (its next `t`), or the radio itself reports receive.
Rigctl::Reply NetServer::answer(Client* client, const QByteArray& line) {
    const std::string request = line.toStdString();
    Rigctl::RadioState now = state();
    if (!client->unkeyedByLimit || !now.transmitting) {
        client->unkeyedByLimit = false;
        return Rigctl::respond(request, now, client->session);
    }
    // A request whose answer the released state changes is a PTT read.
    Rigctl::Session untouched = client->session;
    const std::string asRadio = Rigctl::respond(request, now, untouched).text;
    now.transmitting = false;
    Rigctl::Reply reply = Rigctl::respond(request, now, client->session);
    if (reply.text != asRadio)
        client->unkeyedByLimit = false;
    return reply;
}

// The last client to key the transmitter holds PTT; an unkey from anyone releases it. The time
// limit runs from the key-up: a client keying again while keyed, or another client taking over,
// is the same transmission.
void NetServer::takePtt(Client* client, bool on) {
    const bool keyed = holder() != nullptr;
    for (auto& c : clients)
        c->holdsPtt = false;
    client->holdsPtt = on;
    client->unkeyedByLimit = false;
    if (!on) {
        transmitLimit->stop();
    } else if (!keyed) {
        keyedFor.start();
        if (limitMs > 0)
            transmitLimit->start(limitMs);
    }
}

// The set's own answer, in the client's form, with the refusal in place of its success: every
// form ends with the "RPRT" record.
void NetServer::refuseKeying(Rigctl::Reply& reply) {
    static const std::string done = "RPRT 0\n";
    reply.actions.clear();
    if (reply.text.size() >= done.size() &&
        reply.text.compare(reply.text.size() - done.size(), done.size(), done) == 0)
        reply.text.replace(reply.text.size() - done.size(), done.size(), "RPRT -1\n");
}

void NetServer::releasePtt(Client* client, const char* reason) {
    client->holdsPtt = false;
    transmitLimit->stop();
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
    if (graceful && socket->state() == QAbstractSocket::ConnectedState) {
        // The answers already written still reach the client before the line closes.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->disconnectFromHost();
        return;
    }
    socket->abort();
    socket->deleteLater();
}
