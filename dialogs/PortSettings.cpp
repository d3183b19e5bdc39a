#include "dialogs/PortSettings.h"

#include <QDir>

PortSettings::PortSettings(QWidget* parent) : QDialog(parent), ports(QSerialPortInfo::availablePorts()) {
    ui.setupUi(this);
    ui.comboBox->addItems(portNames(ports, "/dev/serial/by-id"));
    for (qint32 rate : radioSpeeds(QSerialPortInfo::standardBaudRates()))
        ui.comboBox_2->addItem(QString::number(rate));
}

QStringList PortSettings::portNames(const QList<QSerialPortInfo>& ports, const QString& byIdFolder) {
    QStringList names;
    for (const QSerialPortInfo& port : ports)
        names << port.portName();
    const QDir byId(byIdFolder);
    for (const QString& entry : byId.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        names << byId.filePath(entry);
    return names;
}

QList<qint32> PortSettings::radioSpeeds(const QList<qint32>& standard) {
    QList<qint32> speeds;
    for (qint32 rate : standard)
        if (rate >= 4800 && rate <= 38400 && rate != 14400)
            speeds << rate;
    return speeds;
}

// Blanks around a typed path are never part of a device's name.
QString PortSettings::selectedPortName() const {
    return ui.comboBox->currentText().trimmed();
}

int PortSettings::selectedBaudRate() const {
    return ui.comboBox_2->currentText().toInt();
}
