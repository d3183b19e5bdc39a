#include "app/Corvane.h"
#include "app/timeouts.h"

#include <QBrush>
#include <QPen>
#include <QPixmapCache>
#include <QSerialPort>
#include <QTimer>

#include <sqlite3.h>

Corvane::Corvane(QWidget* parent)
    : QMainWindow(parent), voiceMemoryTimer(new QTimer(this)), chainTimer(new QTimer(this)),
      modeChangeTimer(new QTimer(this)), restoreTimer(new QTimer(this)), meterPollTimer(new QTimer(this)) {
    chainClock.start();
    limitPaintCache();
    ui.setupUi(this);
    placeMeterScales();
    disableOffControls();
    InitDatabase();
    meterBarPen = new QPen(Qt::black);
    meterBarBrush = new QBrush(Qt::black, Qt::SolidPattern);
    meterBackgroundBrush = new QBrush(Qt::white, Qt::SolidPattern);
    createMeterScene();
    connectSignals();
    fillLists();
    startNetworkServer();
    defaultButtonColour = palette().color(QPalette::Button);
    statusBar()->clearMessage();
    showStartStatus();
}

// The window lives until the process ends; releasing the port and the database here keeps
// them free for whoever opens them next (a test, say, that builds another window).
Corvane::~Corvane() {
    stopNetworkServer();
    closeDialogs();
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
    connect(serialPort, &QSerialPort::bytesWritten, this, &Corvane::onBytesWritten);
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
    connect(&radio, &Radio::RadioState::changed, this, &Corvane::showRadio);
    // The front panel's combo-box slots do not follow the on_<object>_<signal> names.
    connect(ui.cbMode, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbModeActivated);
    connect(ui.cbBand, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbBandActivated);
    connect(ui.cbWidth, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbWidthActivated);
    connect(ui.cbClarSelect, QOverload<int>::of(&QComboBox::activated), this,
            &Corvane::on_cbClarSelectActivated);
    connect(ui.cbTunerSelect, QOverload<int>::of(&QComboBox::activated), this,
            &Corvane::on_cbTunerSelectActivated);
    connect(ui.cbNBWidth, QOverload<int>::of(&QComboBox::activated), this, &Corvane::on_cbNBWidthActivated);
    connect(ui.cbNBRejection, QOverload<int>::of(&QComboBox::activated), this,
            &Corvane::on_cbNBRejectionActivated);
    connectPageRows();
    connectContestingPage();
    addBackupButtons();
}

void Corvane::fillLists() {
    // Polish the main combo boxes before the first answer can set them.
    for (QWidget* w : std::initializer_list<QWidget*>{ui.cbBand, ui.cbMode, ui.cbWidth, ui.cbTunerSelect})
        w->ensurePolished();
    // cbBand's index is the band code: the amateur bands in order, then general coverage.
    namespace CAT = Yaesu::Commands::FT891;
    for (const CAT::BandRange& band : CAT::bandRanges)
        ui.cbBand->addItem(band.name);
    ui.cbBand->addItem(CAT::generalCoverageName);
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
        offerAnotherPort();
}

// Every change of a button's colour gives it a new palette, and the style caches the button's
// look under each palette it has seen: a panel toggled for hours fills Qt's 10 MiB pixmap cache
// with looks that are never drawn again. A smaller cache holds all the looks on show.
void Corvane::limitPaintCache() {
    QPixmapCache::setCacheLimit(paintCacheKiB);
}
