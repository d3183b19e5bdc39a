#pragma once

#include "ui_Corvane.h"

#include "app/band_mode_restore.h"
#include "app/outbox.h"
#include "cat/ft891.h"
#include "radio/radio_state.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QRectF>
#include <QSerialPort>
#include <QStringList>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class ContourUI;
class ManualNotchUI;
class MemoryChannelEditorUI;
class RestoreSettingsDialog;
class QBrush;
class QGraphicsRectItem;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QLineEdit;
class QPen;
class QTimer;
class QCheckBox;
class QSpinBox;
class NetServer;
struct sqlite3;
namespace Rigctl {
struct RadioState;
struct Action;
} // namespace Rigctl
namespace Storage {
struct BandModeSettings;
struct NetworkSettings;
} // namespace Storage
// The settings pages' rows (app/pages/menu_rows.h).
struct MenuRow;
struct ReadList;
enum class SettingsPage : std::uint8_t;
enum class LoadedWhen : std::uint8_t;

// The main window: owns the form, the one CAT port, the state database and every piece of
// state that outlives one call. Its member functions live in the file of the subsystem that
// owns them (app/, app/answers/, app/panel/, app/pages/, storage/).
class Corvane : public QMainWindow {
    Q_OBJECT
    friend struct AnswerTable;
    friend struct ChainTable;
    friend struct FunctionTable;
    friend struct ToggleTable;
    // Tests set and read the panel's state (NAR, BFO values, flags) through it.
    friend struct CorvaneTestAccess;
    // The settings pages' rows name the page flags and the rows with their own function.
    friend struct PageTables;

public:
    explicit Corvane(QWidget* parent = nullptr);
    ~Corvane() override;

public slots:
    // --- port (app/port.cpp) ---
    void OnPortClosing();
    void onPortError(QSerialPort::SerialPortError error);
    void on_pbPortSettings_clicked();

    // --- framing (app/framing.cpp) ---
    void OnRadioRead();
    Yaesu::Commands::FT891::CommandType CommandType(std::string answer) const;

    // --- answers (app/answers/dispatch.cpp) ---
    void ProcessCommmand(std::string answer);

    // --- front panel: typed frequencies, dials, clarifier (app/panel/tuning.cpp) ---
    void on_VFO_returnPressed();
    void on_VFOB_returnPressed();
    void on_dial_VFOA_valueChanged(int position);
    void on_dial_VFOB_valueChanged(int position);
    void on_ckClarEnabled_stateChanged(int state);
    void on_cbClarSelectActivated(int index);
    void on_dial_Clarifier_valueChanged(int position);
    void on_btnClearClarifier_clicked();
    void on_bnZeroIn_clicked();

    // --- front panel: VFO and memory buttons, split (app/panel/vfo.cpp) ---
    void on_btnUp_clicked();
    void on_btnDn_clicked();
    void on_btnAtoB_clicked();
    void on_btnBtoA_clicked();
    void on_btnAB_clicked();
    void on_btnAtoM_clicked();
    void on_btnSwapVandM_clicked();
    void on_btnSPL_clicked();
    void on_btnQSPL_clicked();

    // --- front panel: mode, band and width (app/panel/mode_band_width.cpp) ---
    void on_cbModeActivated(int index);
    void on_cbBandActivated(int index);
    void on_cbWidthActivated(int index);

    // --- front panel: function toggles and power (app/panel/toggles.cpp) ---
    void on_btnATT_clicked();
    void on_btnIPO_clicked();
    void on_btnNAR_clicked();
    void on_btnNB_clicked();
    void on_btnFST_clicked();
    void on_btnLOCK_clicked();
    void on_btnMON_clicked();
    void on_btnPRC_clicked();
    void on_btnEQ_clicked();
    void on_btnVox_clicked();
    void on_btnTNR_clicked();
    void on_btnDNR_clicked();
    void on_btnDNF_clicked();
    void on_btnScan_clicked();
    void on_btnTune_clicked();
    void on_btnPWR_clicked();
    void on_ckMox_stateChanged(int state);
    void on_ckTXWatch_stateChanged(int state);
    void on_cbTunerSelectActivated(int index);
    void on_cbNBWidthActivated(int index);
    void on_cbNBRejectionActivated(int index);

    // --- front panel: level sliders and IF shift (app/panel/levels.cpp) ---
    void on_Volume_valueChanged(int value);
    void on_RFGain_valueChanged(int value);
    void on_Squelch_valueChanged(int value);
    void on_MON_valueChanged(int value);
    void on_DNR_valueChanged(int value);
    void on_NBLvl_valueChanged(int value);
    void on_ckIFShift_stateChanged(int state);
    void on_hsIFShift_valueChanged(int value);
    void OnMicGainChanged(int value);

    // --- meter (app/answers/meters.cpp) ---
    void on_cbMeterTypeActivated(int index);

    // --- contour, manual notch and memory editor buttons (app/panel/dialogs.cpp) ---
    void on_btnContour_clicked();
    void on_btnNotch_clicked();
    void on_btnMemEdit_clicked();

public:
    // --- the dialogs' changes to the radio (app/panel/dialogs.cpp) ---
    // Connected to the dialogs' signals when they open.
    void on_ContourFrequency_valueChanged(int hz);
    void on_ContourLevel_valueChanged(int level);
    void on_ContourWidth_valueChanged(int width);
    void on_hsNotchLevelValueChanged(int value);
    void on_cbIFNotchActivated(int index);

    // --- power (app/port.cpp) ---
    void queryPowerStatus();
    void powerOn();
    void powerOff();

    // --- read-back (app/readback.cpp) ---
    void startReadBack();

    // --- settings pages (app/pages/menu_engine.cpp) ---
    // A click on a tab, also on the current one (keyboard page changes do not count).
    void on_uitabClicked(int index);

    // --- backing up and restoring the radio's menu (app/pages/backup.cpp) ---
    // The buttons ask for a file and call these with its path.
    bool saveSettingsTo(const QString& path);
    // The table of the file's settings that differ from the radio's, or nullptr (with a
    // status bar message) when the file is refused or nothing differs. Nothing is sent yet.
    RestoreSettingsDialog* restoreSettingsFrom(const QString& path);

    // --- Contesting page (app/pages/contesting_page.cpp) ---
    static constexpr int voiceChannelCount = 5;
    // What a voice channel of the radio's voice memory is doing; its buttons' icons show it.
    enum class VoiceState : std::uint8_t { Idle, Recording, Playing };
    void onContestingTabClicked();

    // --- band and mode memory (app/panel/band_mode_memory.cpp, app/band_mode_restore.cpp) ---
    // A band or mode of -1 stands for the current index of cbBand or cbMode.
    bool HasBandModeSettings(int band, int mode);
    void InsertBandModeSettings(int band, int mode);
    void RestoreBandModeSettings(int band, int mode);
    void SaveBandModeSettings(int band, int mode);
    void takeRestoreStep(BandModeRestore::Step step);
    // The line went away or the radio was switched off: nothing of it is known, nothing waits.
    void forgetRadio(bool poweredOff = false);

    // --- contour memory (app/panel/contour_memory.cpp) ---
    void SaveContourSettings();
    bool LoadContourSettings();

    // --- mode, band and width display (app/panel/mode_band_width.cpp) ---
    void UpdateModeDisplay(int modeCode);
    void onModeChangeUnanswered();
    void LookUpBand();
    // `store` keeps the shown width as the current band and mode's choice.
    void UpdateWidthDisplay(int widthCode, bool store = true);
    int& bfoValue(std::size_t family); // the last BFO value of a mode family
    // A BFO menu item's value (11-07, 07-07, 10-11, 08-12) picks the sideband the mode shows;
    // false for any other item.
    bool showBfoValue(int menuNumber, int value);

private:
    // --- sending (app/port.cpp) ---
    // Queues one command for the radio. No open check: answer handling only runs when bytes
    // have arrived, and a command for a closed port is dropped. The port drains by its own
    // notifier; `flush` is no longer needed and kept for the callers.
    void write(const std::string& command, bool flush = true);
    // The same for the operator's actions: nothing at all is sent while the port is closed.
    bool sendIfOpen(const std::string& command, bool flush = true);
    // Both come here: false when the command cannot go out (the port closed, a reopened device
    // not yet known as the radio, its lane of the outbox full). `handed` runs when it leaves
    // for the port.
    bool queueCommand(const std::string& command, std::function<void()> handed = {});
    // Hands the outbox's commands to the port, whole, while the line has room for them.
    void feedPort();
    void onBytesWritten(qint64 bytes);
    // What a command handed to the port does to the transmitter.
    void noteTransmitCommand(const std::string& command);
    // A release that cannot go out now is owed: it goes first when the radio is back.
    void oweIfRelease(const std::string& command);

    // --- read-back chain (app/readback.cpp) ---
    // An answer (skipping: a read the radio refused or never answered) moves the chain on,
    // when it is the answer to a read the chain is waiting for.
    void takeChainStep(Yaesu::Commands::FT891::CommandType kind, const std::string& message, bool skipping);
    void writeChainRead(const std::string& read, bool stepsChain = true);
    void skipOldestChainRead(bool timedOut);
    void checkChainTimeouts();
    void endReadBack();
    // The radio stopped answering: the read-back ends unfinished and the window is usable.
    void abandonReadBack();
    // Leaves the read-back: no read waited for, no progress shown.
    void stopReadBack();
    void showReadBackProgress();
    void removeReadBackProgress();
    // What to check when the radio does not answer on this port at this speed.
    void showRadioSilent();

    // --- answer handlers (app/answers/) ---
    // Each takes its answer parsed (see the answer table in app/answers/dispatch.cpp).
    void onUnknownAnswer(const std::string& answer);
    void onPowerAnswer(int state);
    void onIdentityAnswer(int id);
    void paintButton(QWidget* button, const QColor& colour);
    // Green for 1, the default colour for 0; other states leave the button as it is.
    void showOnOff(QWidget* button, int state);

    // --- function and level answers (app/answers/functions.cpp) ---
    // The table engine: applies a reported function state or level to its widget.
    void applyFunctionAnswer(Yaesu::Commands::FT891::CommandType kind, Yaesu::Commands::FT891::IntPair value);
    void onTunerAnswer(int state);
    void onNoiseReductionAnswer(int state);
    // Effects of the rows that do more than light a button or move a slider.
    void showAutoInformation(Yaesu::Commands::FT891::IntPair value);
    void showClarifier(Yaesu::Commands::FT891::IntPair value);
    void showIFShift(Yaesu::Commands::FT891::IntPair value);
    void showMonitor(Yaesu::Commands::FT891::IntPair value);
    void showNarrow(Yaesu::Commands::FT891::IntPair value);
    void showNoiseReduction(Yaesu::Commands::FT891::IntPair value);
    void showNoiseReductionLevel(Yaesu::Commands::FT891::IntPair value);
    void showNoiseBlankerLevel(Yaesu::Commands::FT891::IntPair value);
    void showRadioStatus(Yaesu::Commands::FT891::IntPair value);
    void showScan(Yaesu::Commands::FT891::IntPair value);
    void showSplitWatch(Yaesu::Commands::FT891::IntPair value);
    void showUnlock(Yaesu::Commands::FT891::IntPair value);

    // --- contour, notch and memory channel answers (app/answers/dialog_answers.cpp) ---
    void showContourSwitch(Yaesu::Commands::FT891::IntPair value);
    void showContourFrequency(Yaesu::Commands::FT891::IntPair value);
    void onNotchAnswer(Yaesu::Commands::FT891::IntPair value);
    void onMemoryChannelAnswer(Yaesu::Commands::FT891::ChannelRecord channel);
    // The scan of channels 1-99 asks for the next channel, or ends after 99.
    void advanceMemoryScan();
    // The answer to the ID; read behind a channel's read: every answer to that read has come.
    void onMemoryScanFence();
    bool readMemoryChannel(int channel);
    void stopMemoryScan();
    void onMemoryChannelUnanswered();

    // --- the dialogs (app/panel/dialogs.cpp) ---
    void openContourDialog();
    void openNotchDialog();
    void writeMemoryChannels();
    // Closes the open dialogs while the window is still whole (the contour dialog stores its
    // settings as it closes).
    void closeDialogs();

    // --- meter answers and the meter poll (app/answers/meters.cpp) ---
    void onMeterAnswer(Yaesu::Commands::FT891::IntPair reading);
    void onSMeterAnswer(int level);
    void onMeterSelectAnswer(int meter);
    void onTransmitAnswer(int state);
    void onBusyAnswer(int state);
    void placeMeterScales();
    void createMeterScene();
    // The bar of gv_meter's scene; nullptr when gv_meter has no scene.
    QGraphicsRectItem* meterBar();
    // Puts the bar at meterBarRect in a scene of `sceneRect`.
    void drawMeterBar(QGraphicsRectItem* bar, const QRectF& sceneRect);
    void busyCheck(float level, float threshold);
    void paintBusyLabel(const QColor& colour);
    // The scale labels for receiving, or for transmitting with the meter `meterType`.
    void showMeterScale(bool transmit);
    void pollMeter();

    // --- menu answers and the settings pages (app/pages/menu_engine.cpp) ---
    // An EX answer, whole: lands on its item's row. A malformed one throws and changes nothing.
    void applyMenuAnswer(const std::string& answer);
    // Shows a value on the row's widget and label without sending anything back.
    void showRowValue(const MenuRow& row, int value);
    // The operator changed the row's widget: one command to the radio when the row's guard allows.
    void sendRowChange(const MenuRow& row, int widgetValue);
    bool answerDropped(const MenuRow& row) const;
    void setPageLoaded(const MenuRow& row, LoadedWhen when);
    void showRowLabel(const MenuRow& row, int value);
    void connectPageRows();
    void readPage(const ReadList& reads);
    // Rows with an effect of their own.
    void setCatRate(int code);
    void keepContourLevel(int value);
    void keepContourWidth(int value);
    void keepNotchValue(int value);

    // --- backing up and restoring the radio's menu (app/pages/backup.cpp) ---
    void addBackupButtons();
    void onSaveSettingsClicked();
    void onRestoreSettingsClicked();
    void startSettingsRestore();
    // One setting at a time: the next goes out once the radio has reported the one before.
    void sendNextSetting();
    void onSettingReported(int item, int value);
    // A menu item's value as another command reports it (NL, SD, VG, VD): kept for the
    // settings file, and the confirmation a restore of that item waits for.
    void onItemReported(int item, int value);
    void onSettingUnanswered();
    void endSettingsRestore(const QString& why = {});

    // --- Contesting page (app/pages/contesting_page.cpp) ---
    void connectContestingPage();
    void voiceButtonClicked(int channel, VoiceState activity);
    void startVoiceChannel(int channel, VoiceState activity);
    void stopVoiceChannel(int channel, VoiceState activity);
    // The voice memory timer: a recording has reached the radio's limit.
    void on_timerTimeout();
    void onRadioInformationAnswer(Yaesu::Commands::FT891::IntPair information);
    void enableVoiceButtons(QPushButton* active);
    void showVoiceStates();
    void playKeyerMemory(int memory);
    void storeKeyerMemory(int memory);
    void onKeyerMemoryAnswer(const Yaesu::Commands::FT891::KeyerMemoryRecord& memory);

    // --- page answers other than EX (app/answers/page_answers.cpp) ---
    void onDimmerAnswer(const Yaesu::Commands::FT891::DimmerRecord& levels);
    void onAgcAnswer(int value);
    void onPowerLevelAnswer(int watts);
    void onVoxDelayAnswer(int ms);
    void onVoxGainAnswer(int level);
    // Rows of the function table that land on the CW and FM pages.
    void showKeySpeed(Yaesu::Commands::FT891::IntPair value);
    void showKeyPitch(Yaesu::Commands::FT891::IntPair value);
    void showBreakInDelay(Yaesu::Commands::FT891::IntPair value);
    void showRepeaterOffset(Yaesu::Commands::FT891::IntPair value);
    void showTone(Yaesu::Commands::FT891::IntPair value);
    void showDcsCode(Yaesu::Commands::FT891::IntPair value);
    void showToneMode(Yaesu::Commands::FT891::IntPair value);
    void showApfSwitch(Yaesu::Commands::FT891::IntPair value);
    void showApfLevel(Yaesu::Commands::FT891::IntPair value);

    // --- CW and FM page controls that are not rows (app/pages/mode_pages.cpp) ---
    void connectModePages();
    // The APF level and width act only while the APF is on.
    void enableApfControls(bool on);
    void enableKeyerByMode();
    // The tone squelch mode's buttons, in the order of the radio's CT values 0 to 3.
    std::array<QRadioButton*, 4> toneModeButtons() const;
    void sendToneMode(int mode);

    // --- frequency, VFO, mode and width answers (app/answers/frequency.cpp) ---
    void onFrequencyAAnswer(int hertz);
    void onFrequencyBAnswer(int hertz);
    void onInformationAnswer(const Yaesu::Commands::FT891::InformationRecord& info);
    void onOppositeInformationAnswer(const Yaesu::Commands::FT891::InformationRecord& info);
    void onModeAnswer(int modeCode);
    void onWidthAnswer(Yaesu::Commands::FT891::IntPair width);
    void onBandChangeStep();
    void finishRestore();

    // --- function toggles (app/panel/toggles.cpp) ---
    // Switches the function of a toggle button of the General page (its colour is its state).
    void toggle(QWidget* button);
    void noiseReductionSwitched(bool on);
    void notchFilterSwitched(bool on);

    // --- levels (app/panel/levels.cpp) ---
    // A new DNR level is kept for the current band and mode, unless stored settings are on their way.
    void keepNoiseReductionLevel();
    // The IF shift check box's text and the scroll bar's enabled state, from the two widgets.
    void showIFShiftState();
    void enableClarifierControls(bool on);

    // --- front panel helpers (app/panel/) ---
    // The dial step of the current mode, from the dial-step settings of the Misc page.
    int dialStep() const;
    // A frequency typed into `edit`, or nothing (with a status bar message) when it is none.
    std::optional<int> typedFrequency(const QLineEdit* edit);
    // Whether the panel's width and DNR are the current pair's: no restore waits or is on its
    // way, and the radio's frequency lies in the band cbBand shows.
    bool bandModeSettled() const;
    // Whether the radio's last reported frequency lies in the band cbBand shows (or is not
    // known yet): only then do the panel's width and DNR belong to cbBand's band.
    bool radioOnShownBand() const;
    // A tuning dial's click: one step from where the burst of clicks so far has left the
    // frequency, or from the radio's last report when no burst is in flight.
    struct TuningBurst {
        unsigned int target = 0; // where the clicks have taken the VFO; 0: no burst
        qint64 lastClickAt = 0;
    };
    bool burstInFlight(TuningBurst& burst);
    unsigned int tuningBase(TuningBurst& burst, unsigned int reported);
    void tuneTo(TuningBurst& burst, unsigned int frequency);
    // A report of the radio's frequency ends a burst it has caught up with.
    void reportFrequency(TuningBurst& burst, unsigned int& known, unsigned int hertz);
    // False, with a status bar message, while the radio has not reported the frequency.
    bool frequencyKnown(unsigned int hertz, const char* vfo);

    // --- construction (app/Corvane.cpp) ---
    static constexpr int paintCacheKiB = 2048;
    static void limitPaintCache();
    void disableOffControls();
    void connectSignals();
    void fillLists();
    void showStartStatus();

    // --- state database (storage/database.cpp) ---
    void InitDatabase();
    void SavePortSettings(const std::string& portName, int baudRate);
    bool openDatabase(const std::string& path);
    void openSerialPort(const QString& name, int baudRate);
    void connectPort();
    // A new port or speed from Port Settings: the new port replaces the open one and the
    // start begins again on it. False when it does not open (the old port stays).
    bool switchSerialPort(const QString& name, int baudRate);
    void showDatabaseUnavailable();

    // --- why a port does not open (app/port_errors.cpp) ---
    void showPortFailure(const QString& path, const QSerialPort& port);
    void offerAnotherPort();

    // --- network CAT server (net/corvane_network.cpp, net/network_group.cpp) ---
public:
    NetServer* networkServer() const { return netServer; }

private:
    void startNetworkServer();
    void showTransmitLimitReached();
    // Unkeys a client's PTT while the port is still there.
    void stopNetworkServer();
    void listenOnNetwork();
    void buildNetworkGroup();
    Storage::NetworkSettings shownNetworkSettings() const;
    void onNetworkSettingsChanged();
    Rigctl::RadioState networkState() const;
    void applyNetworkAction(const Rigctl::Action& action);
    void chooseNetworkMode(const std::string& name, int passband);
    void chooseNetworkWidth(int passband);
    // Keeps what the clients read and no other member holds: split, S-meter, power.
    void noteNetworkAnswer(Yaesu::Commands::FT891::CommandType kind, const std::string& answer);
    // The operator's choices in cbMode and cbWidth (app/panel/mode_band_width.cpp).
    void chooseMode(int index);
    void chooseWidth(int index);
    NetServer* netServer = nullptr;
    QLabel* networkStatus = nullptr;
    QCheckBox* ckNetworkServer = nullptr;
    QSpinBox* sbNetworkPort = nullptr;
    QCheckBox* ckNetworkAllInterfaces = nullptr;
    QSpinBox* sbNetworkTransmitLimit = nullptr;
    QCheckBox* ckNetworkKeying = nullptr;
    struct NetworkNotes {
        bool split = false;
        int sMeter = -1;     // 0-255; -1 before the first reading
        int powerWatts = -1; // -1 before the first PC answer
        // A client's passband for a mode change on its way: set once the new mode's width
        // list shows and its stored settings are in.
        int passbandMode = -1; // cbMode index; -1: none waiting
        int passband = 0;
    } networkNotes;

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
    // Voice channels 1 to 5; at most one is not idle.
    std::array<VoiceState, voiceChannelCount> voiceStates{};
    QRectF meterBarRect;
    QPointer<MemoryChannelEditorUI> memoryEditor;
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
    // Channels the scan has read whose ID; answer is still to come, oldest first.
    std::deque<int> memoryScanFences;
    // The memory channel the radio is on, by its last IF answer; 0 outside memory mode.
    int memoryChannelOn = 0;
    std::mutex databaseMutex;
    bool outputPowerLoaded = false, miscLoaded = false, txEqLoaded = false, amLoaded = false,
         contestingLoaded = false, cwLoaded = false, dataLoaded = false, fmLoaded = false, rttyLoaded = false,
         ssbLoaded = false, voxLoaded = false;
    bool transmitting = false;
    bool monitorOn = false;
    bool readBackInProgress = false;
    bool powerQueryPending = false;
    std::string lastAnswer;
    // The dialogs delete themselves when closed; the pointers follow.
    QPointer<ManualNotchUI> manualNotchDialog;
    QPointer<ContourUI> contourDialog;
    int notchMenuValue = 0;
    int notchPosition = 0; // tens of Hz, as last reported or set; 0 while unknown
    // A channel the radio does not answer is skipped after a while.
    QTimer* memoryScanTimer = nullptr;
    std::vector<Yaesu::Commands::FT891::ChannelRecord> memoryChannels;

    // Reads of the start-up chain still waiting for their answer, oldest first. The radio
    // answers in the order it was asked, so a "?;" belongs to the oldest one.
    struct PendingRead {
        std::string read;
        qint64 sentAt = 0;
        bool resent = false;
        bool stepsChain = true; // false for a read that only refreshes a control
    };
    std::deque<PendingRead> pendingChainReads;
    QTimer* chainTimer = nullptr;
    // The window's monotonic clock, started at construction.
    QElapsedTimer chainClock;
    int skippedChainReads = 0;
    // Reads in a row the radio never answered; three of them end the read-back.
    int unansweredInARow = 0;
    int powerQueries = 0; // power queries sent so far; the newest one's silence is reported
    int answeredChainReads = 0;
    QProgressBar* readBackProgress = nullptr;
    // The port as it was chosen (QSerialPort::portName() drops "/dev/").
    QString portPath;
    int portBaudRate = 0;

    // --- the way to the radio (app/port.cpp) ---
    Outbox outbox;
    // While set, what the window sends is a network client's set (net/corvane_network.cpp).
    bool sendingForNetwork = false;
    bool feeding = false;
    QTimer* feedTimer = nullptr;
    // Bytes handed to the port are on the line until about this time (µs on lineClock): the
    // next command is handed only when they have almost crossed it, so the device's own buffer
    // never holds more than a few commands and a release waits behind nothing.
    QElapsedTimer lineClock;
    qint64 lineBusyUntilUs = 0;
    qint64 handedBytes = 0, writtenBytes = 0; // since the port opened
    // Whether the panel (MOX) or a client (TX) may have the transmitter keyed: set as a key
    // command is handed, cleared once a release has been written to the device.
    struct Keying {
        bool mayBeKeyed = false;
        qint64 releaseEndsAt = -1; // handedBytes at the end of a release not yet written
        // An owed release went to a reopened device not yet known as the radio: owed again
        // when the device is refused.
        bool releaseToConfirm = false;
    };
    Keying catKeying, moxKeying;
    // The keying a TX or MX command acts on; nullptr for any other command.
    Keying* keyingFor(const std::string& command);

    // --- tuning ---
    TuningBurst tuningA, tuningB;
    // The mode code the radio last reported (IF, MD); -1 until it has.
    int radioModeCode = -1;
    // Ends a mode change that never brings its SH answer, and a restore whose closing AC
    // read is never answered: neither waits longer than a read.
    QTimer *modeChangeTimer = nullptr, *restoreTimer = nullptr;

    // --- the radio as it last reported itself, and the band/mode restore ---
    Radio::RadioState radio;
    BandModeRestore restore;
    void showRadio(Radio::Field field); // the panel follows the record (app/panel/radio_display.cpp)

    // --- DNR level: stored once a burst of changes is over ---
    QTimer* dnrSaveTimer = nullptr;
    int dnrSaveBand = -1, dnrSaveMode = -1;

    // --- meter poll ---
    // The radio sends no meter readings by itself: they are asked for while it receives or
    // transmits, one read at a time. Tests that count every byte switch the poll off.
    QTimer* meterPollTimer = nullptr;
    QElapsedTimer meterClock;
    qint64 meterReadSentAt = -1; // no meter read waiting for its answer
    bool meterPolling = true;

    // Shown for the whole run when state.db could not be opened or is not a database.
    QLabel* databaseWarning = nullptr;

    // --- backing up and restoring the radio's menu ---
    // The value field of the last answer of every menu item since the port opened.
    std::map<int, std::string> reportedMenu;
    QPointer<RestoreSettingsDialog> restoreDialog;
    struct SettingToSend {
        int number;
        int value;
    };
    std::vector<SettingToSend> settingsToSend;
    std::size_t settingsConfirmed = 0;
    int settingAwaited = 0; // the item whose answer is waited for; 0: none
    std::vector<int> settingsRefused;
    bool settingsRestoreCancelled = false;
    QTimer* settingTimer = nullptr;

    // --- a line that goes away (app/link.cpp), a radio that falls silent (app/answers/meters.cpp) ---
    // The port failed under the window (the adapter or the radio's USB port went away, or a
    // read or write on it failed): it is closed, and reopened on the same path when it returns.
    void loseLine(const QString& reason);
    void closeLostPort();
    void tryReopen();
    // For the operator's actions: false, said once in the status bar, while the line is down.
    bool lineOpen();
    // Whether `command` may go out while a reopened device is being checked; says once why not.
    bool checkAllows(const std::string& command);
    // Why the device now at the port's path is not the radio's (another USB serial number or
    // /dev/serial/by-id name, or the device that was refused before); empty when it may be.
    QString deviceRefusal() const;
    void rememberRadioDevice();
    // The reopened device did not answer as the radio: it is closed again and waited past.
    // `remember`: it is not opened again until another device takes the path.
    void refuseDevice(const QString& reason, bool remember);
    void askIdentity();
    // True when `id` answered the check of a reopened device (the window's model check
    // then has nothing to do).
    bool identityChecked(int id);
    // After a lost line: TX0; (and MX0;) when the panel or a client may have keyed the radio.
    void sendOwedRelease();
    // Every message from the radio, whatever it is, shows it is listening.
    void heardFromRadio();
    // The meter reads are the heartbeat: too long without any answer to them and the radio is
    // taken for silent, and asked once a second until it answers again.
    void checkHeartbeat(qint64 now);
    QTimer* reopenTimer = nullptr;
    QTimer* identityTimer = nullptr;
    bool lineLost = false;
    int lineLosses = 0; // a sequence's pauses started on a lost line end without sending
    // A reopened port may now be another program's device: until it answers the power query
    // only the power sequence goes out to it, and until it answers ID; as an FT-891 no set
    // but the owed release.
    enum class LineCheck : std::uint8_t { None, Power, Identity };
    LineCheck lineCheck = LineCheck::None;

public:
    // What the radio's device is known by (empty where the path has no USB serial number or
    // /dev/serial/by-id name, as a pseudo-terminal).
    struct DeviceIdentity {
        QString byId;
        QString serialNumber;
    };
    // One device node: its number, and its creation, which a pseudo-terminal number taken
    // again by another program does not share.
    struct DeviceInstance {
        quint64 device = 0, inode = 0;
        qint64 createdNs = 0;
        bool operator==(const DeviceInstance& o) const {
            return device == o.device && inode == o.inode && createdNs == o.createdNs;
        }
    };

private:
    // The radio's device when it last answered.
    DeviceIdentity radioDevice;
    // The device refused last, and why: not opened again until the path leads to another one.
    std::optional<DeviceInstance> refusedDevice;
    QString refusedBecause;
    QString refusalSaid;
    // Where udev names serial devices by their USB identity; tests use a folder of their own.
    QString serialByIdFolder = "/dev/serial/by-id";
    bool notSentSaid = false;
    bool radioSilent = false;
    qint64 lastHeardAt = -1;     // on meterClock; -1 before the first message
    qint64 unansweredSince = -1; // the first meter read not answered since the last message
    int radioSilentAfterMs = 3000;
    // A radio silent longer than this may have been changed by hand meanwhile: it is read back.
    int readBackAfterSilenceMs = 10000;
};
