#pragma once

// The network CAT server: Hamlib's rigctld protocol over TCP, on the GUI thread's event
// loop. Reads are answered from the window's state; sets go to the window as actions.

#include "net/rigctl.h"

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
    // A client holding PTT that says nothing for this long unkeys the transmitter.
    static constexpr int pttSilenceMs = 10000;
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
    // Tests shorten the PTT silence.
    void setPttSilenceMs(int ms) { silenceMs = ms; }

signals:
    // A client's PTT was released for it: it went away or fell silent.
    void pttReleased();

private:
    struct Client {
        QTcpSocket* socket = nullptr;
        QTimer* silence = nullptr;
        Rigctl::Session session;
        QByteArray buffer;
        bool holdsPtt = false;
    };

    void acceptConnections();
    void readLines(Client* client);
    void handleLine(Client* client, const QByteArray& line);
    void drop(Client* client, const char* reason, bool graceful = false);
    void releasePtt(Client* client, const char* reason);
    Client* find(const QTcpSocket* socket);

    StateSource state;
    ActionSink act;
    QTcpServer* server = nullptr;
    std::vector<std::unique_ptr<Client>> clients;
    int silenceMs = pttSilenceMs;
};
