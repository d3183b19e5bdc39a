#pragma once

#include <QSerialPort>
#include <QString>

// Why a serial port did not open, and what the operator can do about it, in plain words after
// "Failed to initialize the com port!". The port's own error says little (a device in use and
// one this user may not touch are both a permission error), so the device file is asked too:
// whether it exists, and whether this user may read and write it.
QString PortOpenFailure(const QString& path, QSerialPort::SerialPortError error, const QString& errorText);
