#pragma once

// The network CAT server: Hamlib's rigctld protocol over TCP, on the GUI thread's event
// loop. Reads are answered from the window's state; sets go to the window as actions.

#include "net/rigctl.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;
class QTimer;

Q_DECLARE_LOGGING_CATEGORY(corvaneNet)

class NetServer : public QObject {
    Q_OBJECT
public:
    using StateSource = std::function<Rigctl::RadioState()>;
    using ActionSink = std::function<void(const Rigctl::Action&)>;

    static constexpr int maxClients = 8;
    // A line longer than this closes its connection.
    static constexpr int maxLineLength = 1024;
    // A program that keys the transmitter and then fails to unkey it (a hung program, a
    // forgotten tune) is unkeyed after this long. A quiet client is no sign of one: fldigi keys
    // and says nothing until its transmission ends.
    static constexpr int defaultTransmitLimitMs = 10 * 60 * 1000;
    // Answers a client leaves unread beyond this close its connection.
    static constexpr qint64 maxUnreadBytes = 256 * 1024;
    static constexpr qint64 readBatchBytes = 16 * 1024;

    NetServer(StateSource state, ActionSink act, QObject* parent = nullptr);
    ~NetServer() override;

    // Listens on the loopback interface, or on all of them; false (see errorString) when the
    // port cannot be had.
    bool listen(quint16 port, bool allInterfaces);
    void close();
    bool isListening() const;
    quint16 port() const;
    bool listensOnAllInterfaces() const;
    QString errorString() const;
    // The last listen failed because another program listens on the port.
    bool portInUse() const;
    int clientCount() const { return static_cast<int>(clients.size()); }
    // How long the clients may keep the transmitter keyed without a break; 0: no limit. A new
    // limit counts from the key-up that is on the air.
    void setTransmitLimitMs(int ms);
    int transmitLimitMs() const { return limitMs; }
    // Off: a request to key the transmitter is refused (RPRT -1) and a client holding PTT is
    // released; unkeying is always allowed.
    void setKeyingAllowed(bool allowed);
    bool keyingAllowed() const { return keyingOn; }

signals:
    // A client's PTT was released for it: it went away, the window closes, keying was
    // switched off, or the transmit time limit ran out.
    void pttReleased();
    // The transmit time limit ran out and the transmitter was unkeyed.
    void transmitLimitReached();

private:
    struct Client {
        QTcpSocket* socket = nullptr;
        Rigctl::Session session;
        QByteArray buffer;
        bool holdsPtt = false;
        // Unkeyed by the time limit: its next PTT read answers receive, even before the radio
        // has reported the release.
        bool unkeyedByLimit = false;
    };

    void acceptConnections();
    void readLines(Client* client);
    void handleLine(Client* client, const QByteArray& line);
    Rigctl::Reply answer(Client* client, const QByteArray& line);
    void takePtt(Client* client, bool on);
    void refuseKeying(Rigctl::Reply& reply);
    void onTransmitLimit();
    void drop(Client* client, const char* reason, bool graceful = false);
    void releasePtt(Client* client, const char* reason);
    Client* find(const QTcpSocket* socket);
    // The client holding PTT, if any.
    Client* holder();

    StateSource state;
    ActionSink act;
    QTcpServer* server = nullptr;
    std::vector<std::unique_ptr<Client>> clients;
    QTimer* transmitLimit = nullptr;
    QElapsedTimer keyedFor;
    int limitMs = defaultTransmitLimitMs;
    bool keyingOn = true;
};
