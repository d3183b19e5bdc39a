// The "Network" group of the Misc page: the CAT server on or off, its port, and whether
// programs on other computers may reach it. Each change is kept in state.db and applied at once.
#include "app/Corvane.h"
#include "app/panel/look.h"
#include "net/net_server.h"
#include "storage/network_settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>

void Corvane::buildNetworkGroup() {
    auto* group = new QGroupBox("Network", ui.misc);
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
    // Below the CAT group, whatever else the column holds.
    const int catGroup = ui.miscColumn3->indexOf(ui.gpCAT);
    ui.miscColumn3->insertWidget(catGroup < 0 ? -1 : catGroup + 1, group);

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
