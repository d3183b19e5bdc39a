// The "Network" settings: the CAT server on or off, its port, and whether programs on other
// computers may reach it, in a small window opened from the status bar, where the server's state
// shows. Each change is kept in state.db and applied at once.
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
    form->addRow(ckNetworkServer);
    form->addRow("TCP port", sbNetworkPort);
    form->addRow(ckNetworkAllInterfaces);
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
    connect(ckNetworkServer, &QCheckBox::toggled, this, &Corvane::onNetworkSettingsChanged);
    connect(ckNetworkAllInterfaces, &QCheckBox::toggled, this, &Corvane::onNetworkSettingsChanged);
    connect(sbNetworkPort, &QSpinBox::editingFinished, this, &Corvane::onNetworkSettingsChanged);
}

Storage::NetworkSettings Corvane::shownNetworkSettings() const {
    Storage::NetworkSettings settings;
    settings.enabled = ckNetworkServer->isChecked();
    settings.port = sbNetworkPort->value();
    settings.allInterfaces = ckNetworkAllInterfaces->isChecked();
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
    if (!unchanged)
        listenOnNetwork();
}
