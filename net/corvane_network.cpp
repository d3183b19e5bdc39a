// The network CAT server's side of the window: the radio's state for the clients' reads,
// their sets as the front panel's own commands, and the server's start and stop.
#include "app/Corvane.h"
#include "app/panel/look.h"
#include "app/panel/width_lists.h"
#include "net/net_server.h"
#include "storage/network_settings.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QSerialPort>
#include <QStatusBar>

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace CAT = Yaesu::Commands::FT891;
using Rigctl::Action;

namespace {

// How the panel's modes show to the clients, and which panel mode a client's mode name picks.
struct NetworkMode {
    int modeIndex;    // cbMode index; -1: a mode the panel does not offer
    const char* name; // Hamlib's name
    bool chosen;      // the row a set of this name picks
    int passband;     // Hz, for the modes without a width list; 0: cbWidth's
};
// clang-format off
constexpr NetworkMode networkModes[] = {
    // cbMode  name       chosen  passband
    {0,        "LSB",     true,   0},
    {1,        "USB",     true,   0},
    {2,        "USB",     false,  0},      // SSB
    {3,        "CWR",     true,   0},      // CW on the lower sideband
    {4,        "CW",      true,   0},
    {5,        "CW",      false,  0},
    {6,        "RTTY",    true,   0},      // R-L: mark above space, as Hamlib's RTTY
    {7,        "RTTYR",   true,   0},
    {8,        "PKTUSB",  true,   0},      // D-U
    {9,        "PKTLSB",  true,   0},      // D-L
    {10,       "AM",      true,   6000},
    {11,       "AM",      false,  3000},   // AM-N
    {12,       "FM",      true,   16000},
    {13,       "FM",      false,  9000},   // FM-N
    {-1,       "PKTFM",   true,   16000},  // DATA-FM: the radio's mode code A
};
// clang-format on
constexpr int dataFmCode = 0xA;

const NetworkMode* modeShown(int modeIndex, int radioModeCode) {
    if (radioModeCode == dataFmCode)
        return &networkModes[std::size(networkModes) - 1];
    for (const NetworkMode& mode : networkModes)
        if (mode.modeIndex == modeIndex)
            return &mode;
    return nullptr;
}

const NetworkMode* modeNamed(const std::string& name) {
    for (const NetworkMode& mode : networkModes)
        if (mode.chosen && name == mode.name)
            return &mode;
    return nullptr;
}

// "2400 Hz" → 2400; 0 for anything else.
int widthHertz(const QString& text) {
    bool ok = false;
    const int hertz = text.section(' ', 0, 0).toInt(&ok);
    return ok ? hertz : 0;
}

// The S-meter's 0-255 as dB over S9: S0 to S9 over the lower half, then 60 dB over the rest.
int strengthDb(int level) {
    if (level < 0)
        return -54;
    return level <= 128 ? (level * 54) / 128 - 54 : ((level - 128) * 60) / 127;
}

int scaled(double value, int full) {
    return static_cast<int>(std::lround(value * full));
}

} // namespace

Rigctl::RadioState Corvane::networkState() const {
    Rigctl::RadioState state;
    state.frequencyA = vfoAFrequency;
    state.frequencyB = vfoBFrequency;
    if (const NetworkMode* mode = modeShown(ui.cbMode->currentIndex(), radioModeCode)) {
        state.mode = mode->name;
        state.passband = mode->passband ? mode->passband : widthHertz(ui.cbWidth->currentText());
    }
    state.split = networkNotes.split;
    state.transmitting = transmitting;
    state.powerOn = ShowsColour(ui.btnPWR, PowerOnColour());
    state.portOpen = serialPort && serialPort->isOpen();
    state.af = static_cast<double>(ui.Volume->value()) / 255.0;
    state.rf = static_cast<double>(ui.RFGain->value()) / ui.RFGain->maximum();
    state.squelch = static_cast<double>(ui.Squelch->value()) / ui.Squelch->maximum();
    state.rfPower = networkNotes.powerWatts < 0 ? 0.0 : networkNotes.powerWatts / 100.0;
    state.strength = strengthDb(networkNotes.sMeter);
    return state;
}

// A client's set goes out as the front panel sends it; the panel shows it once the radio answers.
void Corvane::applyNetworkAction(const Action& action) {
    const QScopedValueRollback<bool> fromNetwork(sendingForNetwork, true);
    switch (action.kind) {
    case Action::Kind::Frequency:
        sendIfOpen(action.vfoB ? CAT::SetFB(static_cast<int>(action.hertz))
                               : CAT::SetFA(static_cast<int>(action.hertz)));
        break;
    case Action::Kind::Mode:
        chooseNetworkMode(action.mode, action.passband);
        break;
    case Action::Kind::Ptt:
        sendIfOpen(fmt::format("TX{:d};", action.on ? 1 : 0));
        break;
    case Action::Kind::Split:
        sendIfOpen(CAT::SetST(action.on ? 1 : 0));
        break;
    case Action::Kind::Level:
        if (action.level == "AF")
            sendIfOpen(CAT::SetAG(std::max(scaled(action.value, 255), ui.Volume->minimum())), false);
        else if (action.level == "RF")
            sendIfOpen(CAT::SetRG(std::max(scaled(action.value, ui.RFGain->maximum()), ui.RFGain->minimum())),
                       false);
        else if (action.level == "SQL")
            sendIfOpen(CAT::SetSQ(scaled(action.value, ui.Squelch->maximum())), false);
        else if (action.level == "RFPOWER")
            // The radio's power runs from 5 to 100 W.
            sendIfOpen(fmt::format("PC{:03d};", std::clamp(scaled(action.value, 100), 5, 100)));
        break;
    }
}

// A mode the panel offers goes out as its choice in cbMode; a passband as the nearest width of
// cbWidth, once the new mode's widths show.
void Corvane::chooseNetworkMode(const std::string& name, int passband) {
    const NetworkMode* mode = modeNamed(name);
    if (!mode)
        return;
    networkNotes.passbandMode = -1;
    if (mode->modeIndex < 0) {
        sendIfOpen(CAT::SetMD(dataFmCode));
        return;
    }
    if (mode->modeIndex == ui.cbMode->currentIndex() && radioModeCode != dataFmCode) {
        chooseNetworkWidth(passband);
        return;
    }
    chooseMode(mode->modeIndex);
    if (passband > 0) {
        networkNotes.passbandMode = mode->modeIndex;
        networkNotes.passband = passband;
    }
}

void Corvane::chooseNetworkWidth(int passband) {
    if (passband <= 0 || !ui.cbWidth->isEnabled() || ui.cbWidth->count() == 0)
        return;
    int nearest = 0;
    for (int i = 1; i < ui.cbWidth->count(); ++i)
        if (std::abs(widthHertz(ui.cbWidth->itemText(i)) - passband) <
            std::abs(widthHertz(ui.cbWidth->itemText(nearest)) - passband))
            nearest = i;
    if (nearest != ui.cbWidth->currentIndex())
        chooseWidth(nearest);
}

// What the window keeps of the answers it does not show in a member of its own.
void Corvane::noteNetworkAnswer(CAT::CommandType kind, const std::string& answer) {
    if (kind == CAT::CommandType::ST) {
        const int split = CAT::ParseST(answer);
        networkNotes.split = split == 1 || split == 2;
    } else if (kind == CAT::CommandType::SM) {
        networkNotes.sMeter = CAT::ParseSM(answer);
    } else if (kind == CAT::CommandType::PC) {
        networkNotes.powerWatts = CAT::ParsePC(answer);
    }
    // The new mode's width answer, or the end of the restore of its stored settings.
    const bool widthSettles = kind == CAT::CommandType::SH || kind == CAT::CommandType::AC;
    if (widthSettles && networkNotes.passbandMode >= 0 &&
        networkNotes.passbandMode == ui.cbMode->currentIndex() && bandModeSettled()) {
        networkNotes.passbandMode = -1;
        const QScopedValueRollback<bool> fromNetwork(sendingForNetwork, true);
        chooseNetworkWidth(networkNotes.passband);
    }
}

// ---- The server ---------------------------------------------------------------------------

void Corvane::startNetworkServer() {
    netServer = new NetServer([this] { return networkState(); },
                              [this](const Action& action) { applyNetworkAction(action); }, this);
    connect(netServer, &NetServer::transmitLimitReached, this, &Corvane::showTransmitLimitReached);
    networkStatus = new QLabel(this);
    networkStatus->setObjectName("lblNetworkStatus");
    statusBar()->addPermanentWidget(networkStatus);
    buildNetworkGroup();
    listenOnNetwork();
}

void Corvane::showTransmitLimitReached() {
    const int ms = netServer->transmitLimitMs();
    const std::string limit =
        ms % 60000 == 0 ? fmt::format("{:d} min", ms / 60000) : fmt::format("{:g} s", ms / 1000.0);
    statusBar()->showMessage(QString::fromStdString(fmt::format(
        "A program kept the transmitter keyed for {}, the transmit time limit: Corvane unkeyed it", limit)));
}

// Before the port closes: a client still holding PTT does not leave the radio transmitting.
void Corvane::stopNetworkServer() {
    delete netServer;
    netServer = nullptr;
}

void Corvane::listenOnNetwork() {
    if (!netServer)
        return;
    const Storage::NetworkSettings settings = shownNetworkSettings();
    netServer->close();
    QString status;
    if (!settings.enabled) {
        status.clear();
    } else if (!netServer->listen(static_cast<quint16>(settings.port), settings.allInterfaces)) {
        status = netServer->portInUse()
                     ? QString::fromStdString(fmt::format(
                           "Network CAT off: port {:d} is in use (is rigctld running?)", settings.port))
                     : "Network CAT off: " + netServer->errorString();
        qCInfo(corvaneNet) << "cannot listen on port" << settings.port << ":" << netServer->errorString();
    } else if (settings.allInterfaces) {
        status =
            QString::fromStdString(fmt::format("Network CAT open to the network: port {:d}", settings.port));
    } else {
        status = QString::fromStdString(fmt::format("Network CAT: 127.0.0.1:{:d}", settings.port));
    }
    networkStatus->setText(status);
    networkStatus->setVisible(!status.isEmpty());
}
