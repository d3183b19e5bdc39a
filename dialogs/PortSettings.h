#pragma once

#include "ui_PortSettings.h"

#include <QDialog>
#include <QList>
#include <QSerialPortInfo>

// The modal choice of the serial port and its speed. It only offers the choice; opening the
// port and storing it are the caller's business.
class PortSettings : public QDialog {
    Q_OBJECT

public:
    explicit PortSettings(QWidget* parent = nullptr);

    // The port as shown or typed: a listed name or any device path (a pseudo-terminal, say).
    QString selectedPortName() const;
    int selectedBaudRate() const;

    // The names the port list offers: the platform's ports, then on Linux the stable names
    // under /dev/serial/by-id, which survive a USB adapter changing its name between boots.
    static QStringList portNames(const QList<QSerialPortInfo>& ports, const QString& byIdFolder);
    // The standard speeds the radio can use: 4800 to 38400 without 14400.
    static QList<qint32> radioSpeeds(const QList<qint32>& standard);

    Ui::PortSettingsClass ui;

private:
    QList<QSerialPortInfo> ports;
};
