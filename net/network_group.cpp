// The "Network" settings: the CAT server on or off, its port, whether programs on other
// computers may reach it, whether programs may key the transmitter and for how long, in a small
// window opened from the status bar, where the server's state shows. Each change is kept in
// state.db and applied at once.
#include "app/Corvane.h"
#include "app/panel/look.h"
#include "net/net_server.h"
#include "storage/network_settings.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

// The PTT settings take effect without a new listen: the connected programs stay.
void applyPttSettings(NetServer& server, const Storage::NetworkSettings& settings) {
    server.setTransmitLimitMs(settings.transmitLimitMinutes * 60 * 1000);
    server.setKeyingAllowed(settings.programsMayKey);
}

} // namespace

void Corvane::buildNetworkGroup() {
    // The settings pages fill the window: the group has a window of its own.
    auto* dialog = new QDialog(this);
    dialog->setObjectName("NetworkSettings");
    dialog->setWindowTitle("Network");
    auto* column = new QVBoxLayout(dialog);
    auto* group = new QGroupBox("Network", dialog);
    group->setObjectName("gpNetwork");
    auto* form = new QFormLayout(group);
    ckNetworkServer = new QCheckBox("CAT server for WSJT-X, fldigi and loggers", group);
    ckNetworkServer->setObjectName("ckNetworkServer");
    sbNetworkPort = new QSpinBox(group);
    sbNetworkPort->setObjectName("sbNetworkPort");
    sbNetworkPort->setRange(1, 65535);
    ckNetworkAllInterfaces = new QCheckBox("Listen on all interfaces", group);
    ckNetworkAllInterfaces->setObjectName("ckNetworkAllInterfaces");
    ckNetworkAllInterfaces->setToolTip("Lets programs on other computers key your transmitter");
    ckNetworkKeying = new QCheckBox("Programs may key the transmitter", group);
    ckNetworkKeying->setObjectName("ckNetworkKeying");
    ckNetworkKeying->setToolTip("Off: a program's PTT command is refused; the panel still keys");
    sbNetworkTransmitLimit = new QSpinBox(group);
    sbNetworkTransmitLimit->setObjectName("sbNetworkTransmitLimit");
    sbNetworkTransmitLimit->setRange(0, Storage::NetworkSettings::maxTransmitLimitMinutes);
    sbNetworkTransmitLimit->setSuffix(" min");
    sbNetworkTransmitLimit->setSpecialValueText("Off");
    sbNetworkTransmitLimit->setKeyboardTracking(false);
    sbNetworkTransmitLimit->setToolTip("A program's PTT is released after this long");
    form->addRow(ckNetworkServer);
    form->addRow("TCP port", sbNetworkPort);
    form->addRow(ckNetworkAllInterfaces);
    form->addRow(ckNetworkKeying);
    form->addRow("Transmit time limit", sbNetworkTransmitLimit);
    column->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
    column->addWidget(buttons);

    auto* open = new QPushButton("Network", this);
    open->setObjectName("pbNetwork");
    open->setFlat(true);
    open->setToolTip("The CAT server for WSJT-X, fldigi and loggers");
    statusBar()->addPermanentWidget(open);
    connect(open, &QPushButton::clicked, dialog, [dialog] {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });

    const Storage::NetworkSettings settings = Storage::LoadNetworkSettings(database);
    ShowChecked(ckNetworkServer, settings.enabled);
    {
        const QSignalBlocker quiet(sbNetworkPort);
        sbNetworkPort->setValue(settings.port);
    }
    ShowChecked(ckNetworkAllInterfaces, settings.allInterfaces);
    ShowChecked(ckNetworkKeying, settings.programsMayKey);
    {
        const QSignalBlocker quiet(sbNetworkTransmitLimit);
        sbNetworkTransmitLimit->setValue(settings.transmitLimitMinutes);
    }
    applyPttSettings(*netServer, settings);
    connect(ckNetworkServer, &QCheckBox::toggled, this, &Corvane::onNetworkSettingsChanged);
    connect(ckNetworkAllInterfaces, &QCheckBox::toggled, this, &Corvane::onNetworkSettingsChanged);
    connect(sbNetworkPort, &QSpinBox::editingFinished, this, &Corvane::onNetworkSettingsChanged);
    connect(ckNetworkKeying, &QCheckBox::toggled, this, &Corvane::onNetworkSettingsChanged);
    // Without keyboard tracking: once per value the operator settles on.
    connect(sbNetworkTransmitLimit, qOverload<int>(&QSpinBox::valueChanged), this,
            &Corvane::onNetworkSettingsChanged);
}

Storage::NetworkSettings Corvane::shownNetworkSettings() const {
    Storage::NetworkSettings settings;
    settings.enabled = ckNetworkServer->isChecked();
    settings.port = sbNetworkPort->value();
    settings.allInterfaces = ckNetworkAllInterfaces->isChecked();
    settings.transmitLimitMinutes = sbNetworkTransmitLimit->value();
    settings.programsMayKey = ckNetworkKeying->isChecked();
    return settings;
}

void Corvane::onNetworkSettingsChanged() {
    const Storage::NetworkSettings settings = shownNetworkSettings();
    // Leaving the port's field without a change keeps the server and its clients as they are.
    const bool unchanged = settings.enabled
                               ? netServer->isListening() && netServer->port() == settings.port &&
                                     netServer->listensOnAllInterfaces() == settings.allInterfaces
                               : !netServer->isListening();
    Storage::StoreNetworkSettings(database, settings);
    applyPttSettings(*netServer, settings);
    if (!unchanged)
        listenOnNetwork();
}
