#pragma once

#include "ui_Corvane.h"

#include <QMainWindow>
#include <QPointer>
#include <QRectF>
#include <QStringList>

#include <mutex>
#include <string>
#include <vector>

class QBrush;
class QLabel;
class QPen;
class QSerialPort;
class QTimer;
struct sqlite3;

// The main window: owns the form, the one CAT port, the state database and every piece of
// state that outlives one call. Its member functions live in the file of the subsystem that
// owns them (app/, app/answers/, app/panel/, app/pages/, storage/).
class Corvane : public QMainWindow {
    Q_OBJECT

public:
    explicit Corvane(QWidget* parent = nullptr);
    ~Corvane() override;

public slots:
    // --- port (app/port.cpp) ---
    void OnPortClosing();

private:
    // --- construction (app/Corvane.cpp) ---
    void disableOffControls();
    void connectSignals();
    void fillLists();
    void showStartStatus();

    // --- state database (storage/database.cpp) ---
    void InitDatabase();
    void SavePortSettings(const std::string& portName, int baudRate);
    bool openDatabase(const std::string& path);
    void openSerialPort(const QString& name, int baudRate);
    void showDatabaseUnavailable();

public:
    Ui::CorvaneClass ui;

private:
    QSerialPort* serialPort = nullptr;
    sqlite3* database = nullptr;
    std::string receiveBuffer;
    QColor defaultButtonColour;
    QPen* meterBarPen = nullptr;
    QBrush* meterBarBrush = nullptr;
    QBrush* meterBackgroundBrush = nullptr;
    QTimer* voiceMemoryTimer = nullptr;
    QRectF meterBarRect;
    QWidget* memoryEditor = nullptr;
    int ssbBfo = 0, cwBfo = 0, dataBfo = 0, rttyBfo = 0;
    int narrowOn = 0;
    int meterType = 0;
    unsigned int vfoAFrequency = 0;
    unsigned int vfoBFrequency = 0;
    int quickSplitFrequency = 0;
    int widthOffset = 0;
    QStringList widthList;
    int dnrEnabled = 0;
    int currentModeIndex = 0, currentBandIndex = 0;
    int contourEnabled = 0, contourFrequency = 0, contourLevel = 0, contourWidth = 0;
    int dialAPrevious = 0, dialBPrevious = 0;
    float lastBusyLevel = 0.0f;
    bool memoryScanActive = false;
    int memoryScanChannel = 1;
    int modeDisplayState = 1;
    std::mutex databaseMutex;
    bool bandChangeReapply = false, bandChanged = false, bandSettingsApplied = false, modeChanged = false;
    bool outputPowerLoaded = false, miscLoaded = false, txEqLoaded = false, amLoaded = false,
         contestingLoaded = false, cwLoaded = false, dataLoaded = false, fmLoaded = false, rttyLoaded = false,
         ssbLoaded = false, voxLoaded = false;
    bool transmitting = false;
    bool monitorOn = false;
    bool readBackInProgress = false;
    bool restoringFromDatabase = false;
    bool powerQueryPending = false;
    std::string lastAnswer;
    QWidget* manualNotchDialog = nullptr;
    QWidget* contourDialog = nullptr;
    int clarifierOffset = 0;
    int notchMenuValue = 0;

    // Shown for the whole run when state.db could not be opened or is not a database.
    QLabel* databaseWarning = nullptr;
};
