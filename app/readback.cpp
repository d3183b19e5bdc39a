#include "app/Corvane.h"
#include "app/panel/look.h"
#include "app/timeouts.h"
#include "app/trace.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>

#include <optional>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Kind = CAT::CommandType;

namespace {

// What the chain writes after an answer: the next read; a set command written along with it
// (no answer expected); or a read whose answer only refreshes the window and moves nothing.
enum class Role : std::uint8_t { Read, Set, Refresh };
struct ChainWrite {
    std::string command;
    Role role = Role::Read;
};
using ChainWrites = std::vector<ChainWrite>;

// What a branch of the chain may look at. `message` is the answer, or, when the radio did
// not answer, the read itself: selector digits stand at the same place in both.
struct ChainContext {
    int modeIndex;
    bool skipping;
};

std::optional<int> field(const std::string& message, size_t offset, size_t width = 1, int base = 10) {
    try {
        return CAT::ReadField(message, offset, width, base);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

template <std::string (*Read)()> ChainWrites fixed(const std::string&, const ChainContext&) {
    return {{Read()}};
}

// The transmit state: keyed by CAT (1), by the radio's own PTT or MOX (2), or not (0).
std::string readTransmitState() {
    return "TX;";
}

// Auto-information goes on here, then is read back.
ChainWrites afterAG(const std::string&, const ChainContext&) {
    return {{CAT::SetAI(1), Role::Set}, {CAT::ReadAI()}};
}
// The AF gain is read once more here; its answer refreshes the slider and leads nowhere.
ChainWrites afterRG(const std::string&, const ChainContext&) {
    return {{CAT::ReadAG(), Role::Refresh}, {CAT::ReadRL()}};
}

ChainWrites afterCN(const std::string& m, const ChainContext&) {
    return {{field(m, 3) == 0 ? CAT::ReadCN(1) : CAT::ReadCO(0)}};
}

// The APF reads only make sense in the CW modes.
ChainWrites afterCO(const std::string& m, const ChainContext& c) {
    switch (field(m, 3).value_or(-1)) {
    case 0:
        return {{CAT::ReadCO(1)}};
    case 1:
        return {{c.modeIndex >= 3 && c.modeIndex <= 5 ? CAT::ReadCO(2) : CAT::ReadCS()}};
    case 2:
        return {{CAT::ReadCO(3)}};
    default:
        return {{CAT::ReadCS()}};
    }
}

ChainWrites afterDA(const std::string&, const ChainContext&) {
    return {{CAT::ReadMenu(CAT::MenuCatalogue().front().number)}};
}

// The menu walk: each item reads its successor; the last one leaves the menu for FA.
ChainWrites afterEX(const std::string& m, const ChainContext&) {
    const std::optional<int> number = field(m, 2, 4);
    if (!number)
        return {};
    if (*number == CAT::MenuCatalogue().back().number)
        return {{CAT::ReadFA()}};
    const int next = CAT::NextMenuItem(*number);
    return next ? ChainWrites{{CAT::ReadMenu(next)}} : ChainWrites{};
}

ChainWrites afterKM(const std::string& m, const ChainContext&) {
    const int slot = field(m, 2).value_or(5);
    return {{slot >= 1 && slot <= 4 ? CAT::ReadKM(slot + 1) : CAT::ReadKP()}};
}

// Microphone gain matters in the voice and data modes only.
ChainWrites afterMD(const std::string& m, const ChainContext&) {
    switch (field(m, 3, 1, 16).value_or(1)) {
    case 0x1:
    case 0x2:
    case 0x4:
    case 0x5:
    case 0xB:
    case 0xD:
        return {{CAT::ReadMG()}};
    default:
        return {{CAT::ReadML(0)}};
    }
}

ChainWrites afterML(const std::string& m, const ChainContext&) {
    return {{field(m, 2) == 0 ? CAT::ReadML(1) : CAT::ReadMS()}};
}

// A state other than 0 or 1 moves nothing; the read then waits for its time-out.
ChainWrites afterPR(const std::string& m, const ChainContext& c) {
    const std::optional<int> state = field(m, 3);
    if (!c.skipping && state != 0 && state != 1)
        return {};
    return {{field(m, 2) == 1 ? CAT::ReadPR(0) : CAT::ReadRA()}};
}

struct ChainLink {
    Kind answer;
    ChainWrites (*next)(const std::string& message, const ChainContext& context);
    bool savesBandMode = false; // the radio's own DNR and width reach the band/mode table first
    bool ends = false;          // the read-back ends here
};

} // namespace

struct ChainTable {
    // The start-up read-back, from the IF read of startReadBack to the end at VX.
    // answer   | what is read next              | saves band/mode | ends
    static constexpr ChainLink links[] = {
        {Kind::IF, fixed<CAT::ReadOI>},
        {Kind::OI, fixed<CAT::ReadAC>},
        {Kind::AC, fixed<CAT::ReadAG>},
        {Kind::AG, afterAG},
        {Kind::AI, fixed<CAT::ReadBC>},
        {Kind::BC, fixed<CAT::ReadBI>},
        {Kind::BI, [](const std::string&, const ChainContext&) { return ChainWrites{{CAT::ReadBP(0)}}; }},
        {Kind::BP, fixed<CAT::ReadCF>},
        {Kind::BY, fixed<CAT::ReadCF>},
        {Kind::CF, [](const std::string&, const ChainContext&) { return ChainWrites{{CAT::ReadCN(0)}}; }},
        {Kind::CN, afterCN},
        {Kind::CO, afterCO},
        {Kind::CS, fixed<CAT::ReadCT>},
        {Kind::CT, fixed<CAT::ReadDA>},
        {Kind::DA, afterDA},
        {Kind::EX, afterEX},
        {Kind::FA, fixed<CAT::ReadFB>},
        {Kind::FB, fixed<CAT::ReadFS>},
        {Kind::FS, fixed<CAT::ReadGT>},
        {Kind::GT, fixed<CAT::ReadID>},
        {Kind::ID, fixed<CAT::ReadIS>},
        {Kind::IS, [](const std::string&, const ChainContext&) { return ChainWrites{{CAT::ReadKM(1)}}; }},
        {Kind::KM, afterKM},
        {Kind::KP, fixed<CAT::ReadKR>},
        {Kind::KR, fixed<CAT::ReadKS>},
        {Kind::KS, fixed<CAT::ReadLK>},
        {Kind::LK, fixed<CAT::ReadMD>},
        {Kind::MD, afterMD},
        {Kind::MG, [](const std::string&, const ChainContext&) { return ChainWrites{{CAT::ReadML(0)}}; }},
        {Kind::ML, afterML},
        {Kind::MS, fixed<CAT::ReadMX>},
        {Kind::MX, fixed<CAT::ReadNA>},
        {Kind::NA, fixed<CAT::ReadNB>},
        {Kind::NB, fixed<CAT::ReadNL>},
        {Kind::NL, fixed<CAT::ReadNR>},
        {Kind::NR, fixed<CAT::ReadOS>, true},
        {Kind::OS, fixed<CAT::ReadPA>},
        {Kind::PA, fixed<CAT::ReadPC>},
        {Kind::PC, fixed<CAT::ReadPL>},
        {Kind::PL, [](const std::string&, const ChainContext&) { return ChainWrites{{CAT::ReadPR(1)}}; }},
        {Kind::PR, afterPR},
        {Kind::RA, fixed<CAT::ReadRG>},
        {Kind::RG, afterRG},
        {Kind::RL, fixed<CAT::ReadSC>, true},
        {Kind::SC, fixed<CAT::ReadSD>},
        {Kind::SD, fixed<CAT::ReadSH>},
        {Kind::SH, fixed<CAT::ReadSQ>, true},
        {Kind::SQ, fixed<CAT::ReadST>},
        {Kind::ST, fixed<readTransmitState>},
        {Kind::TX, fixed<CAT::ReadVD>},
        {Kind::VD, fixed<CAT::ReadVG>},
        {Kind::VG, fixed<CAT::ReadVX>},
        {Kind::VX, nullptr, false, true},
    };

    static constexpr bool eachAnswerOnce() {
        for (size_t i = 0; i < std::size(links); ++i)
            for (size_t j = i + 1; j < std::size(links); ++j)
                if (links[i].answer == links[j].answer)
                    return false;
        return true;
    }

    static const ChainLink* find(Kind kind) {
        for (const ChainLink& link : links)
            if (link.answer == kind)
                return &link;
        return nullptr;
    }
};
static_assert(std::size(ChainTable::links) == 53, "the chain has a link for each of its 53 answer kinds");
static_assert(ChainTable::eachAnswerOnce(), "an answer kind has two links in the chain");

namespace {
// Reads of a full chain for a radio in a voice mode: 16 before the menu, the 158 menu items,
// 43 after it. Other modes differ by a read or two; the progress bar only needs the scale.
constexpr int typicalChainReads = 16 + 158 + 43;

// The radio answers a read with the read's own mnemonic and selector digits first, so an
// answer belongs to a read when it starts with the read's text ("CN01;" → "CN01023;").
bool answers(const std::string& answer, const std::string& read) {
    const size_t length = read.size() - 1; // without the ";"
    return answer.size() > length && answer.compare(0, length, read, 0, length) == 0;
}
} // namespace

void Corvane::startReadBack() {
    if (!serialPort || !serialPort->isOpen())
        return;
    statusBar()->showMessage("Reading the radio's current state", 5000);
    if (!readBackInProgress) {
        skippedChainReads = 0;
        unansweredInARow = 0;
        answeredChainReads = 0;
        pendingChainReads.clear();
    }
    readBackInProgress = true;
    restore.readBackStarted();
    setEnabled(false);
    showReadBackProgress();
    writeChainRead(CAT::ReadIF());
    chainTimer->start();
}

void Corvane::showReadBackProgress() {
    if (!readBackProgress) {
        readBackProgress = new QProgressBar(this);
        readBackProgress->setObjectName("readBackProgress");
        readBackProgress->setMaximumWidth(420);
        statusBar()->addPermanentWidget(readBackProgress);
    }
    readBackProgress->setRange(0, typicalChainReads);
    readBackProgress->setValue(std::min(answeredChainReads, typicalChainReads));
    readBackProgress->setFormat(
        QString("Reading the radio on %1 at %2 baud: %v of %m").arg(portPath).arg(portBaudRate));
    readBackProgress->show();
}

void Corvane::removeReadBackProgress() {
    if (!readBackProgress)
        return;
    statusBar()->removeWidget(readBackProgress);
    readBackProgress->deleteLater();
    readBackProgress = nullptr;
}

void Corvane::takeChainStep(Kind kind, const std::string& message, bool skipping) {
    const ChainLink* link = ChainTable::find(kind);
    if (!link)
        return;
    bool refreshOnly = false;
    if (!skipping) {
        // Only the answer to a read the chain waits for moves it: a report of the operator's
        // own key, or a second answer to a read that was sent again, is shown and no more.
        const auto answered =
            std::find_if(pendingChainReads.begin(), pendingChainReads.end(),
                         [&message](const PendingRead& p) { return answers(message, p.read); });
        if (answered == pendingChainReads.end())
            return;
        refreshOnly = !answered->stepsChain;
        pendingChainReads.erase(answered);
        unansweredInARow = 0;
        if (refreshOnly)
            return;
        ++answeredChainReads;
        if (readBackProgress)
            readBackProgress->setValue(std::min(answeredChainReads, typicalChainReads));
    }
    if (link->ends) {
        endReadBack();
        return;
    }
    const ChainWrites writes = link->next(message, {ui.cbMode->currentIndex(), skipping});
    if (link->savesBandMode)
        SaveBandModeSettings(currentBandIndex, currentModeIndex);
    for (const ChainWrite& w : writes) {
        if (w.role == Role::Set)
            write(w.command, false);
        else
            writeChainRead(w.command, w.role == Role::Read);
    }
}

void Corvane::writeChainRead(const std::string& read, bool stepsChain) {
    pendingChainReads.push_back({read, chainClock.elapsed(), false, stepsChain});
    write(read);
}

// The radio refused the oldest waiting read ("?;"), or never answered it: go on as if it had.
void Corvane::skipOldestChainRead(bool timedOut) {
    if (pendingChainReads.empty())
        return;
    const PendingRead oldest = pendingChainReads.front();
    pendingChainReads.pop_front();
    if (!oldest.stepsChain)
        return;
    Trace(fmt::format("no answer to {:s}\r\n", oldest.read));
    ++skippedChainReads;
    if (!timedOut) {
        unansweredInARow = 0;
    } else if (++unansweredInARow >= unansweredReadsForSilence) {
        abandonReadBack();
        return;
    }
    takeChainStep(CAT::ClassifyAnswer(oldest.read), oldest.read, true);
}

// A read unanswered for a while is sent once more; after as long again the chain moves past it.
void Corvane::checkChainTimeouts() {
    if (pendingChainReads.empty())
        return;
    PendingRead& oldest = pendingChainReads.front();
    if (chainClock.elapsed() - oldest.sentAt < readTimeoutMs)
        return;
    if (oldest.resent || !oldest.stepsChain) {
        skipOldestChainRead(true);
        return;
    }
    oldest.resent = true;
    oldest.sentAt = chainClock.elapsed();
    write(oldest.read);
}

void Corvane::endReadBack() {
    statusBar()->clearMessage();
    stopReadBack();
    RestoreBandModeSettings(currentBandIndex, currentModeIndex);
    // Nothing restored means no answer will come to end the wait: enable the window now.
    if (restore.phase() != BandModeRestore::Phase::Restoring)
        setEnabled(true);
    if (skippedChainReads > 0)
        statusBar()->showMessage(QString::fromStdString(
            fmt::format("Read-back finished: the radio did not answer {:d} {:s}", skippedChainReads,
                        skippedChainReads == 1 ? "read" : "reads")));
}

void Corvane::abandonReadBack() {
    stopReadBack();
    setEnabled(true);
    showRadioSilent();
}

void Corvane::stopReadBack() {
    readBackInProgress = false;
    restore.readBackEnded();
    chainTimer->stop();
    pendingChainReads.clear();
    removeReadBackProgress();
}

void Corvane::showRadioSilent() {
    statusBar()->showMessage(
        QString("The radio does not answer on %1 at %2 baud: is this the radio's CAT port (the FT-891 shows "
                "two serial ports; try the other one), and is menu 05-06 CAT RATE set to %2?")
            .arg(portPath)
            .arg(portBaudRate));
}

void Corvane::onPowerAnswer(int state) {
    if (state != 0 && state != 1)
        return;
    // A reopened device answered the power query: a release owed since the line went goes
    // first, then its identity is asked before anything else is set.
    if (lineCheck == LineCheck::Power) {
        lineCheck = LineCheck::Identity;
        sendOwedRelease();
    }
    if (lineCheck == LineCheck::None)
        rememberRadioDevice();
    switch (state) {
    case 1:
        if (lineCheck == LineCheck::Identity) {
            powerQueryPending = false;
            askIdentity();
        } else if (!readBackInProgress) {
            powerQueryPending = false;
            startReadBack();
        }
        paintButton(ui.btnPWR, PowerOnColour());
        radio.report(&Radio::RadioState::powerOn, Radio::Field::Power, true);
        break;
    case 0:
        if (powerQueryPending) {
            powerQueryPending = false;
            statusBar()->clearMessage();
        }
        paintButton(ui.btnPWR, defaultButtonColour);
        forgetRadio(true);
        break;
    }
}

namespace {
struct RefusedModel {
    int id;
    const char* message;
};
// identification | message
constexpr RefusedModel refusedModels[] = {
    {244, "You have selected an FT450D, this application isn't compatible with that radio"},
    {362, "You have selected an FTDX5000, this application isn't compatible with that radio"},
    {462, "You have selected an FTDX3000, this application isn't compatible with that radio"},
    {582,
     "You have selected an FTDX1200 with FFT installed, this application isn't compatible with that radio"},
    {583, "You have selected an FTDX1200, this application isn't compatible with that radio"},
    {670, "You have selected an FT991A, this application isn't compatible with that radio. Please select the "
          "correct port."},
    {681, "You have selected an FTDX101D, this application isn't compatible with that radio"},
    {682, "You have selected an FTDX101MP, this application isn't compatible with that radio"},
    {761, "You have selected an FTDX10, this application isn't compatible with that radio"},
    {800, "You have selected an FT710, this application isn't compatible with that radio"},
};
} // namespace

void Corvane::onIdentityAnswer(int id) {
    if (identityChecked(id))
        return;
    if (memoryScanActive)
        onMemoryScanFence();
    const auto* model = std::find_if(std::begin(refusedModels), std::end(refusedModels),
                                     [id](const RefusedModel& m) { return m.id == id; });
    if (model == std::end(refusedModels))
        return;
    // No read is repeated while the operator reads the message.
    const bool timing = chainTimer->isActive();
    chainTimer->stop();
    QMessageBox box(QMessageBox::Information, "Corvane", model->message, QMessageBox::Ok | QMessageBox::Abort,
                    this);
    box.setObjectName("modelMessage");
    const int result = box.exec();
    if (timing && readBackInProgress)
        chainTimer->start();
    if (result == QMessageBox::Ok) {
        if (serialPort && serialPort->isOpen()) {
            serialPort->close();
            on_pbPortSettings_clicked();
        }
    } else if (result == QMessageBox::Abort) {
        close();
    }
}
