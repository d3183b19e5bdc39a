#include "app/Corvane.h"
#include "app/panel/look.h"
#include "app/timeouts.h"
#include "app/trace.h"
#include "dialogs/PortSettings.h"

#include <QSerialPort>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

namespace CAT = Yaesu::Commands::FT891;

namespace {
// Sent ahead of the power commands: a sleeping radio needs a few bytes to wake its CAT port.
constexpr char wakeUp[] = "aslkdfk;";
constexpr int wakeUpLength = 8;
} // namespace

void Corvane::write(const std::string& command, bool flush) {
    if (!serialPort)
        return;
    serialPort->write(command.data(), static_cast<qint64>(command.size()));
    if (flush)
        serialPort->flush();
}

bool Corvane::sendIfOpen(const std::string& command, bool flush) {
    if (!lineOpen())
        return false;
    write(command, flush);
    return true;
}

// The pauses of the power sequences run on timers, so the window keeps repainting and
// answers keep arriving in order; the bytes and their gaps are those of the blocking form.
void Corvane::queryPowerStatus() {
    powerQueryPending = true;
    const int query = ++powerQueries;
    write(std::string(wakeUp, wakeUpLength));
    QTimer::singleShot(1400, this, [this, query] {
        write(CAT::ReadPS());
        // A radio on this line answers at once; silence is worth telling the operator, unless a
        // later query (on another port, say) has taken over.
        QTimer::singleShot(powerQueryTimeoutMs, this, [this, query] {
            if (powerQueryPending && query == powerQueries && serialPort && serialPort->isOpen())
                showRadioSilent();
        });
    });
}

void Corvane::powerOn() {
    if (!serialPort || !serialPort->isOpen()) {
        Trace("Failed to open port!");
        return;
    }
    write(std::string(wakeUp, wakeUpLength));
    QTimer::singleShot(1100, this, [this] {
        write(CAT::SetPS(1));
        // Give the radio up to 1.4 s to start talking before asking for its state.
        auto* wait = new QTimer(this);
        wait->setSingleShot(true);
        auto proceed = [this, wait] {
            if (wait->property("done").toBool())
                return;
            wait->setProperty("done", true);
            wait->deleteLater();
            queryPowerStatus();
        };
        connect(wait, &QTimer::timeout, this, proceed);
        connect(serialPort, &QSerialPort::readyRead, wait, proceed);
        wait->start(1400);
    });
}

void Corvane::powerOff() {
    write(CAT::SetPS(0), false);
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
    }
    portBaudRate = baudRate;
    // A lost line waiting to come back is given up for the new one.
    lineLost = false;
    if (reopenTimer)
        reopenTimer->stop();
    // Nothing of the old line carries over: no half answer, no read it was waiting for.
    receiveBuffer.clear();
    stopReadBack();
    setEnabled(true);
    return true;
}

// A USB adapter pulled out of its socket, or a descriptor that fails to read or write, is the
// line's end. Other errors are not; a pseudo-terminal, for one, refuses DTR and RTS changes,
// and a failed attempt to reopen the port reports itself on a port that is not open.
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
} // namespace

void Corvane::onPortError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        if (serialPort && serialPort->isOpen())
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
