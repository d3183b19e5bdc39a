// A line that goes away: a USB adapter pulled out, the radio's own USB port gone when it is
// switched off, a descriptor that fails. The port is closed at once (a port left open on a
// hung-up line wakes the event loop without end) and reopened on the same path, at the same
// speed, as soon as the device is back; the start then begins again as at start-up.
#include "app/Corvane.h"
#include "app/timeouts.h"
#include "app/trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QTimer>

#include <optional>

#include <fmt/format.h>
#include <sys/stat.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {
// A device that returns is found within this time.
constexpr int reopenIntervalMs = 500;
// What an FT-891 answers to ID;.
constexpr int ft891Identity = 650;
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
    // written goes with the port; nothing of it is sent to the radio when it returns, but a
    // release not yet written is owed (the keying says so until one is written).
    disconnect(serialPort, &QSerialPort::aboutToClose, this, &Corvane::OnPortClosing);
    serialPort->close();
    connect(serialPort, &QSerialPort::aboutToClose, this, &Corvane::OnPortClosing);
    ++lineLosses;
    outbox.clear();
    handedBytes = writtenBytes = 0;
    lineBusyUntilUs = 0;
    for (Keying* keying : {&catKeying, &moxKeying})
        keying->releaseEndsAt = -1;
    if (identityTimer)
        identityTimer->stop();
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

// A failed attempt says nothing: the status bar keeps the reason the line was lost. A device
// that is not the radio's is said once, and looked at again at every attempt.
void Corvane::tryReopen() {
    if (!serialPort || serialPort->isOpen()) {
        reopenTimer->stop();
        return;
    }
    if (const QString refusal = deviceRefusal(); !refusal.isEmpty()) {
        if (refusal != refusalSaid) {
            refusalSaid = refusal;
            Trace(fmt::format("not reopening {:s}: {:s}\r\n", portPath.toStdString(), refusal.toStdString()));
            statusBar()->showMessage(
                QString("Waiting for the radio: the device on %1 %2").arg(portPath, refusal));
        }
        return;
    }
    serialPort->setBaudRate(portBaudRate, QSerialPort::AllDirections);
    if (!serialPort->open(QIODevice::ReadWrite))
        return;
    reopenTimer->stop();
    lineLost = false;
    notSentSaid = false;
    lineCheck = LineCheck::Power;
    Trace(fmt::format("reopened {:s}\r\n", portPath.toStdString()));
    // After a device that was not the radio the status bar keeps saying so until the radio
    // answers.
    if (refusalSaid.isEmpty()) {
        showStartStatus();
    } else {
        refusalSaid.clear();
        queryPowerStatus();
    }
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

bool Corvane::checkAllows(const std::string& command) {
    const bool powerSequence = command == "aslkdfk;" || command.compare(0, 2, "PS") == 0;
    const bool allowed =
        lineCheck == LineCheck::None || powerSequence ||
        (lineCheck == LineCheck::Identity && (Outbox::isRelease(command) || command == CAT::ReadID()));
    if (!allowed) {
        Trace(fmt::format("held back {:s}: the device is not known as the radio yet\r\n", command));
        if (!notSentSaid) {
            notSentSaid = true;
            statusBar()->showMessage(
                QString("Waiting for the device on %1 to answer as the radio: nothing is "
                        "sent until it does")
                    .arg(portPath));
        }
    }
    return allowed;
}

// ---- Is it the radio? ---------------------------------------------------------------------

namespace {
// The node at `path` now (a link followed): its number, and its creation, which a pseudo-
// terminal number taken again by another program does not share.
std::optional<Corvane::DeviceInstance> instanceAt(const QString& path) {
    struct stat node {};
    if (::stat(QFile::encodeName(path).constData(), &node) != 0)
        return std::nullopt;
    return Corvane::DeviceInstance{static_cast<quint64>(node.st_rdev), static_cast<quint64>(node.st_ino),
                                   static_cast<qint64>(node.st_ctim.tv_sec) * 1000000000 +
                                       node.st_ctim.tv_nsec};
}

Corvane::DeviceIdentity identityAt(const QString& path, const QString& byIdFolder) {
    Corvane::DeviceIdentity identity;
    const QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        return identity;
    for (const QFileInfo& link :
         QDir(byIdFolder).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (link.isSymLink() && link.canonicalFilePath() == device)
            identity.byId = link.fileName();
    identity.serialNumber = QSerialPortInfo(device).serialNumber();
    return identity;
}
} // namespace

void Corvane::rememberRadioDevice() {
    radioDevice = identityAt(portPath, serialByIdFolder);
    refusedDevice.reset();
}

QString Corvane::deviceRefusal() const {
    if (refusedDevice && instanceAt(portPath) == refusedDevice)
        return refusedBecause;
    if (radioDevice.byId.isEmpty() && radioDevice.serialNumber.isEmpty())
        return {};
    const DeviceIdentity now = identityAt(portPath, serialByIdFolder);
    if (!radioDevice.byId.isEmpty() && now.byId != radioDevice.byId)
        return now.byId.isEmpty() ? QString("is not %1 (yet)").arg(radioDevice.byId)
                                  : QString("is %1, not %2").arg(now.byId, radioDevice.byId);
    if (!radioDevice.serialNumber.isEmpty() && now.serialNumber != radioDevice.serialNumber)
        return QString("has serial number \"%1\", the radio's is \"%2\"")
            .arg(now.serialNumber, radioDevice.serialNumber);
    return {};
}

void Corvane::refuseDevice(const QString& reason, bool remember) {
    if (lineLost || !serialPort || !serialPort->isOpen())
        return;
    if (remember) {
        refusedDevice = instanceAt(portPath);
        refusedBecause = reason;
    }
    // A release that went to this device did not reach the radio.
    for (Keying* keying : {&catKeying, &moxKeying})
        if (keying->releaseToConfirm) {
            keying->mayBeKeyed = true;
            keying->releaseToConfirm = false;
        }
    lineLost = true;
    notSentSaid = false;
    refusalSaid = reason;
    Trace(
        fmt::format("closed {:s} again: the device {:s}\r\n", portPath.toStdString(), reason.toStdString()));
    statusBar()->showMessage(QString("Waiting for the radio: the device on %1 %2").arg(portPath, reason));
    // Called from the handling of an answer, in the port's own reading: closed after it.
    QTimer::singleShot(0, this, &Corvane::closeLostPort);
}

void Corvane::askIdentity() {
    if (!identityTimer) {
        identityTimer = new QTimer(this);
        identityTimer->setSingleShot(true);
        identityTimer->setInterval(2 * readTimeoutMs);
        connect(identityTimer, &QTimer::timeout, this,
                [this] { refuseDevice("does not answer ID; (an FT-891 answers 0650)", false); });
    }
    if (queueCommand(CAT::ReadID()))
        identityTimer->start();
}

// The answer to the check's ID read: the radio, or another device on its path.
bool Corvane::identityChecked(int id) {
    if (lineCheck != LineCheck::Identity)
        return false;
    identityTimer->stop();
    if (id != ft891Identity) {
        refuseDevice(QString("answers ID; with %1, not %2 as an FT-891")
                         .arg(id, 4, 10, QChar('0'))
                         .arg(ft891Identity, 4, 10, QChar('0')),
                     true);
        return true;
    }
    lineCheck = LineCheck::None;
    for (Keying* keying : {&catKeying, &moxKeying})
        keying->releaseToConfirm = false;
    rememberRadioDevice();
    Trace(fmt::format("{:s} is the radio again\r\n", portPath.toStdString()));
    startReadBack();
    return true;
}

void Corvane::sendOwedRelease() {
    const bool mox = moxKeying.mayBeKeyed;
    if (!catKeying.mayBeKeyed && !mox)
        return;
    Trace("the transmitter may be keyed: releasing it\r\n");
    // TX0; unkeys whatever keyed it by CAT; MOX has its own switch.
    for (Keying* keying : {&catKeying, &moxKeying})
        keying->releaseToConfirm = keying->mayBeKeyed;
    queueCommand("TX0;");
    if (mox)
        queueCommand(CAT::SetMX(0));
}
