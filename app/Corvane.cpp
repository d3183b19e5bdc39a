#include "app/Corvane.h"
#include "app/timeouts.h"

#include <QBrush>
#include <QPen>
#include <QSerialPort>
#include <QTimer>

#include <sqlite3.h>

namespace {
// The transmit meters' scales share the S-meter's row; they show only while transmitting.
void hideTransmitScales(Ui::CorvaneClass& ui) {
    for (QWidget* label : std::initializer_list<QWidget*>{
             ui.lblComp_0,  ui.lblComp_5,  ui.lblComp_10, ui.lblComp_15, ui.lblComp_20, ui.lblComp_25,
             ui.lblComp_30, ui.lblalc,     ui.lbl0watt,   ui.lbl10watt,  ui.lbl20watt,  ui.lbl50watt,
             ui.lbl100watt, ui.lbl150watt, ui.lbl1swr,    ui.lbl1_5swr,  ui.lbl2swr,    ui.lbl3swr,
             ui.lblinfswr,  ui.lbl0A,      ui.lbl5A,      ui.lbl10A,     ui.lbl15A,     ui.lbl20A,
             ui.lbl25A,     ui.lbl30A})
        label->hide();
}
} // namespace

Corvane::Corvane(QWidget* parent)
    : QMainWindow(parent), voiceMemoryTimer(new QTimer(this)), chainTimer(new QTimer(this)),
      modeChangeTimer(new QTimer(this)), restoreTimer(new QTimer(this)) {
    chainClock.start();
    ui.setupUi(this);
    hideTransmitScales(ui);
    disableOffControls();
    InitDatabase();
    meterBarPen = new QPen(Qt::black);
    meterBarBrush = new QBrush(Qt::black, Qt::SolidPattern);
    meterBackgroundBrush = new QBrush(Qt::white, Qt::SolidPattern);
    connectSignals();
    fillLists();
    defaultButtonColour = palette().color(QPalette::Button);
    statusBar()->clearMessage();
    showStartStatus();
}

// The window lives until the process ends; releasing the port and the database here keeps
// them free for whoever opens them next (a test, say, that builds another window).
Corvane::~Corvane() {
    if (serialPort) {
        serialPort->disconnect(this);
        delete serialPort;
    }
    sqlite3_close(database);
    delete meterBarPen;
    delete meterBarBrush;
    delete meterBackgroundBrush;
}

// The IF shift and clarifier controls wait until their check boxes are ticked.
void Corvane::disableOffControls() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.hsIFShift, ui.label_15, ui.cbClarSelect, ui.dial_Clarifier,
                                         ui.lblClarifierValue, ui.btnClearClarifier})
        w->setEnabled(false);
}

void Corvane::connectPort() {
    if (!serialPort)
        return;
    connect(serialPort, &QSerialPort::readyRead, this, &Corvane::OnRadioRead);
    connect(serialPort, &QSerialPort::aboutToClose, this, &Corvane::OnPortClosing);
    connect(serialPort, &QSerialPort::errorOccurred, this, &Corvane::onPortError);
}

void Corvane::connectSignals() {
    connectPort();
    chainTimer->setInterval(100);
    connect(chainTimer, &QTimer::timeout, this, &Corvane::checkChainTimeouts);
    for (QTimer* timer : {modeChangeTimer, restoreTimer}) {
        timer->setSingleShot(true);
        timer->setInterval(readTimeoutMs);
    }
    connect(modeChangeTimer, &QTimer::timeout, this, &Corvane::onModeChangeUnanswered);
    connect(restoreTimer, &QTimer::timeout, this, &Corvane::finishRestore);
    // The front panel's combo-box slots do not follow the on_<object>_<signal> names.
    connect(ui.cbMode, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbModeActivated);
    connect(ui.cbBand, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbBandActivated);
    connect(ui.cbWidth, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbWidthActivated);
    connect(ui.cbClarSelect, QOverload<int>::of(&QComboBox::activated), this,
            &Corvane::on_cbClarSelectActivated);
    connectPageRows();
}

void Corvane::fillLists() {
    // Polish the main combo boxes before the first answer can set them.
    for (QWidget* w : std::initializer_list<QWidget*>{ui.cbBand, ui.cbMode, ui.cbWidth, ui.cbTunerSelect})
        w->ensurePolished();
    const char* tuners[] = {"OFF", "EXTERNAL", "ATAS", "LAMP"};
    for (int i = 0; i < 4; ++i)
        ui.cbTunerSelect->addItem(tuners[i], i);
}

void Corvane::showStartStatus() {
    if (!serialPort)
        return;
    if (serialPort->isOpen()) {
        statusBar()->showMessage("Reading Radio Power Status..", 1000);
        queryPowerStatus();
    } else
        statusBar()->showMessage("Failed to initialize the com port!");
}
