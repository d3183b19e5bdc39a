#include "app/Corvane.h"
#include "app/panel/look.h"
#include "app/timeouts.h"
#include "app/trace.h"
#include "dialogs/PortSettings.h"

#include <QSerialPort>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <cerrno>

#include <fmt/format.h>
#include <poll.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {
// Sent ahead of the power commands: a sleeping radio needs a few bytes to wake its CAT port.
constexpr char wakeUp[] = "aslkdfk;";
constexpr int wakeUpLength = 8;
// A command is handed to the port while the bytes before it need less than this to cross the
// line, and while the port itself holds fewer than this many bytes. At 4800 baud that keeps a
// few commands on their way; a release never waits longer than these and its own bytes.
constexpr qint64 lineAheadUs = 50000;
constexpr qint64 portAheadBytes = 64;

// A start bit, eight data bits and a stop bit per byte.
qint64 lineTimeUs(qint64 bytes, int baudRate) {
    return bytes * 10 * 1000000 / (baudRate > 0 ? baudRate : 4800);
}
} // namespace

void Corvane::write(const std::string& command, bool) {
    queueCommand(command);
}

bool Corvane::sendIfOpen(const std::string& command, bool) {
    if (!lineOpen()) {
        oweIfRelease(command);
        return false;
    }
    return queueCommand(command);
}

bool Corvane::queueCommand(const std::string& command, std::function<void()> handed) {
    if (!serialPort || !serialPort->isOpen() || !checkAllows(command)) {
        oweIfRelease(command);
        return false;
    }
    using Lane = Outbox::Lane;
    const Lane lane = Outbox::isRelease(command) ? Lane::Release
                      : sendingForNetwork        ? Lane::Network
                                                 : Lane::Own;
    if (!outbox.push(command, lane, std::move(handed))) {
        Trace(fmt::format("dropped {:s}: {:d} commands wait for the radio\r\n", command, outbox.size()));
        return false;
    }
    feedPort();
    return true;
}

void Corvane::feedPort() {
    // A command's `handed` may queue another; the loop below takes it.
    if (feeding)
        return;
    feeding = true;
    if (!lineClock.isValid())
        lineClock.start();
    if (!feedTimer) {
        feedTimer = new QTimer(this);
        feedTimer->setSingleShot(true);
        feedTimer->setTimerType(Qt::PreciseTimer);
        connect(feedTimer, &QTimer::timeout, this, &Corvane::feedPort);
    }
    while (!outbox.empty() && serialPort && serialPort->isOpen()) {
        // Fed again on bytesWritten.
        if (serialPort->bytesToWrite() >= portAheadBytes)
            break;
        const qint64 now = lineClock.nsecsElapsed() / 1000;
        if (const qint64 ahead = lineBusyUntilUs - now; ahead > lineAheadUs) {
            feedTimer->start(static_cast<int>((ahead - lineAheadUs + 999) / 1000));
            break;
        }
        const Outbox::Command next = outbox.take();
        const auto size = static_cast<qint64>(next.text.size());
        serialPort->write(next.text.data(), size);
        handedBytes += size;
        lineBusyUntilUs = std::max(lineBusyUntilUs, now) + lineTimeUs(size, serialPort->baudRate());
        noteTransmitCommand(next.text);
        // The power sequences time their pauses from here: their bytes leave at once.
        if (next.handed) {
            serialPort->flush();
            next.handed();
        }
    }
    feeding = false;
}

void Corvane::onBytesWritten(qint64 bytes) {
    writtenBytes += bytes;
    for (Keying* keying : {&catKeying, &moxKeying})
        if (keying->releaseEndsAt >= 0 && writtenBytes >= keying->releaseEndsAt) {
            keying->mayBeKeyed = false;
            keying->releaseEndsAt = -1;
        }
    feedPort();
}

// TX keys the transmitter for a client, MX (MOX) for the panel.
Corvane::Keying* Corvane::keyingFor(const std::string& command) {
    if (command.compare(0, 2, "TX") == 0)
        return &catKeying;
    if (command.compare(0, 2, "MX") == 0)
        return &moxKeying;
    return nullptr;
}

void Corvane::noteTransmitCommand(const std::string& command) {
    Keying* keying = keyingFor(command);
    if (!keying)
        return;
    if (Outbox::isKeying(command)) {
        keying->mayBeKeyed = true;
        keying->releaseEndsAt = -1;
    } else if (Outbox::isRelease(command)) {
        keying->releaseEndsAt = handedBytes;
    }
}

void Corvane::oweIfRelease(const std::string& command) {
    if (!Outbox::isRelease(command))
        return;
    if (Keying* keying = keyingFor(command)) {
        keying->mayBeKeyed = true;
        keying->releaseEndsAt = -1;
        Trace(fmt::format("{:s} is owed: it goes first when the radio answers again\r\n", command));
    }
}

// The pauses of the power sequences run on timers, so the window keeps repainting and
// answers keep arriving in order; the bytes and their gaps are those of the blocking form,
// each pause timed from the moment its command leaves for the port.
void Corvane::queryPowerStatus() {
    powerQueryPending = true;
    const int query = ++powerQueries;
    const int line = lineLosses;
    queueCommand(std::string(wakeUp, wakeUpLength), [this, query, line] {
        QTimer::singleShot(1400, this, [this, query, line] {
            if (line != lineLosses)
                return;
            write(CAT::ReadPS());
            // A radio on this line answers at once; silence is worth telling the operator,
            // unless a later query (on another port, say) has taken over. A reopened device
            // that says nothing is not taken for the radio.
            QTimer::singleShot(powerQueryTimeoutMs, this, [this, query] {
                if (!powerQueryPending || query != powerQueries || !serialPort || !serialPort->isOpen())
                    return;
                if (lineCheck == LineCheck::Power)
                    refuseDevice("does not answer the power query", false);
                else
                    showRadioSilent();
            });
        });
    });
}

void Corvane::powerOn() {
    if (!serialPort || !serialPort->isOpen()) {
        Trace("Failed to open port!");
        return;
    }
    const int line = lineLosses;
    queueCommand(std::string(wakeUp, wakeUpLength), [this, line] {
        QTimer::singleShot(1100, this, [this, line] {
            if (line != lineLosses)
                return;
            write(CAT::SetPS(1));
            // Give the radio up to 1.4 s to start talking before asking for its state.
            auto* wait = new QTimer(this);
            wait->setSingleShot(true);
            auto proceed = [this, wait, line] {
                if (wait->property("done").toBool())
                    return;
                wait->setProperty("done", true);
                wait->deleteLater();
                if (line == lineLosses)
                    queryPowerStatus();
            };
            connect(wait, &QTimer::timeout, this, proceed);
            connect(serialPort, &QSerialPort::readyRead, wait, proceed);
            wait->start(1400);
        });
    });
}

void Corvane::powerOff() {
    // The panel is cleared all the same when the command cannot go out.
    const auto pause = [this] {
        QTimer::singleShot(1400, this, [this] {
            write(std::string(wakeUp, wakeUpLength), false);
            ui.VFO->clear();
            ui.VFOB->clear();
            // The radio's frequencies are unknown until it is read back again.
            vfoAFrequency = vfoBFrequency = 0;
            tuningA = tuningB = {};
            ui.cbWidth->clear();
            for (QSlider* slider :
                 {ui.Volume, ui.Squelch, ui.RFGain, ui.NBLvl, ui.MON, ui.DNR, ui.Comp, ui.MicGain})
                ShowValue(slider, slider->minimum());
            if (serialPort)
                serialPort->clear(QSerialPort::Input);
            // An empty meter bar, drawn exactly as a received meter answer would draw it.
            ProcessCommmand("RM0000");
        });
    };
    if (!queueCommand(CAT::SetPS(0), pause))
        pause();
}

// New settings are stored for the next start. A new port or speed is opened at once and the
// start begins again on it: a first start on the wrong port of the radio's pair is mended
// without starting the program again.
void Corvane::on_pbPortSettings_clicked() {
    PortSettings dialog;
    dialog.setModal(true);
    if (serialPort) {
        dialog.ui.comboBox->setCurrentText(portPath);
        dialog.ui.comboBox_2->setCurrentText(QString::number(serialPort->baudRate()));
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.selectedPortName();
    const int baudRate = dialog.selectedBaudRate();
    SavePortSettings(name.toStdString(), baudRate);
    if (serialPort && serialPort->isOpen() && name == portPath && baudRate == portBaudRate) {
        startReadBack();
        return;
    }
    if (switchSerialPort(name, baudRate))
        showStartStatus();
}

bool Corvane::switchSerialPort(const QString& name, int baudRate) {
    if (serialPort && serialPort->isOpen() && name == portPath) {
        // The open port at another speed: a second open of the same device would find it locked.
        serialPort->setBaudRate(baudRate, QSerialPort::AllDirections);
    } else {
        auto* port = new QSerialPort(name);
        port->setBaudRate(baudRate, QSerialPort::AllDirections);
        if (!port->open(QIODevice::ReadWrite)) {
            showPortFailure(name, *port);
            delete port;
            return false;
        }
        // The old port goes quietly: its closing must not close the window.
        if (serialPort) {
            serialPort->disconnect(this);
            delete serialPort;
        }
        serialPort = port;
        portPath = name;
        connectPort();
        // Nothing waiting for the old port goes to the new one.
        outbox.clear();
        handedBytes = writtenBytes = 0;
        lineBusyUntilUs = 0;
        radioDevice = {};
    }
    portBaudRate = baudRate;
    // A lost line waiting to come back is given up for the new one, chosen by the operator.
    lineLost = false;
    lineCheck = LineCheck::None;
    refusedDevice.reset();
    if (reopenTimer)
        reopenTimer->stop();
    if (identityTimer)
        identityTimer->stop();
    // Nothing of the old line carries over: no half answer, no read it was waiting for.
    receiveBuffer.clear();
    stopReadBack();
    setEnabled(true);
    return true;
}

// A USB adapter pulled out of its socket, or a descriptor that fails to read or write, is the
// line's end. Other errors are not; a pseudo-terminal, for one, refuses DTR and RTS changes,
// and a failed attempt to reopen the port reports itself on a port that is not open. Nor is a
// full buffer: the port reports the device's "try again" as a resource error, and the bytes
// wait in the port until the device takes them.
namespace {
// The system's word for the fault, or ours where it has none (a read that finds the end of the
// file, as on a hung-up terminal, leaves no error number).
QString lineFault(QSerialPort::SerialPortError error, const QString& systemText) {
    if (!systemText.isEmpty() && systemText != "Unknown error")
        return systemText;
    switch (error) {
    case QSerialPort::ReadError:
        return "the port reads nothing more (the device hung up)";
    case QSerialPort::WriteError:
        return "writing to the port failed";
    default:
        return "the device is gone";
    }
}

bool hungUp(int descriptor) {
    pollfd state{descriptor, POLLOUT, 0};
    return ::poll(&state, 1, 0) < 0 || (state.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
} // namespace

void Corvane::onPortError(QSerialPort::SerialPortError error) {
    if (!serialPort || !serialPort->isOpen())
        return;
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::WriteError:
        if (serialPort->errorString() == qt_error_string(EAGAIN) && !hungUp(serialPort->handle())) {
            Trace("the device's buffer is full: the commands wait\r\n");
            serialPort->clearError();
            // The same "try again" from a read stops the port's reading; setting the buffer
            // size starts it again.
            serialPort->setReadBufferSize(serialPort->readBufferSize());
            break;
        }
        loseLine(lineFault(error, serialPort->errorString()));
        break;
    case QSerialPort::ReadError:
        loseLine(lineFault(error, serialPort->errorString()));
        break;
    default:
        break;
    }
}

// Closing the port ends the program: the window is its only top-level window.
void Corvane::OnPortClosing() {
    stopMemoryScan();
    close();
}
