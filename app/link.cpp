// A line that goes away: a USB adapter pulled out, the radio's own USB port gone when it is
// switched off, a descriptor that fails. The port is closed at once (a port left open on a
// hung-up line wakes the event loop without end) and reopened on the same path, at the same
// speed, as soon as the device is back; the start then begins again as at start-up.
#include "app/Corvane.h"
#include "app/trace.h"

#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>

#include <fmt/format.h>

namespace {
// A device that returns is found within this time.
constexpr int reopenIntervalMs = 500;
} // namespace

void Corvane::loseLine(const QString& reason) {
    if (lineLost || !serialPort)
        return;
    lineLost = true;
    forgetRadio();
    notSentSaid = false;
    Trace(fmt::format("lost the port: {:s}\r\n", reason.toStdString()));
    statusBar()->showMessage("Lost the connection to the radio: " + reason);
    // The error comes from inside the port's own handling of its descriptor: it is closed once
    // that handling is over.
    QTimer::singleShot(0, this, &Corvane::closeLostPort);
}

void Corvane::closeLostPort() {
    if (!lineLost || !serialPort)
        return;
    // This closing is the line's, not the operator's: the window stays. What waits to be
    // written goes with the port; nothing of it is sent to the radio when it returns.
    disconnect(serialPort, &QSerialPort::aboutToClose, this, &Corvane::OnPortClosing);
    serialPort->close();
    connect(serialPort, &QSerialPort::aboutToClose, this, &Corvane::OnPortClosing);
    receiveBuffer.clear();
    stopReadBack();
    stopMemoryScan();
    // No word about a silent radio for a query that went out on the lost line.
    powerQueryPending = false;
    ++powerQueries;
    meterReadSentAt = -1;
    unansweredSince = -1;
    radioSilent = false;
    setEnabled(true);
    if (!reopenTimer) {
        reopenTimer = new QTimer(this);
        reopenTimer->setInterval(reopenIntervalMs);
        connect(reopenTimer, &QTimer::timeout, this, &Corvane::tryReopen);
    }
    reopenTimer->start();
}

// A failed attempt says nothing: the status bar keeps the reason the line was lost.
void Corvane::tryReopen() {
    if (!serialPort || serialPort->isOpen()) {
        reopenTimer->stop();
        return;
    }
    serialPort->setBaudRate(portBaudRate, QSerialPort::AllDirections);
    if (!serialPort->open(QIODevice::ReadWrite))
        return;
    reopenTimer->stop();
    lineLost = false;
    Trace(fmt::format("reopened {:s}\r\n", portPath.toStdString()));
    showStartStatus();
}

bool Corvane::lineOpen() {
    if (serialPort && serialPort->isOpen())
        return true;
    if (lineLost && !notSentSaid) {
        notSentSaid = true;
        statusBar()->showMessage("Not connected to the radio: nothing is sent until it is back");
    }
    return false;
}
