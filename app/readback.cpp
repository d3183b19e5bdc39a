#include "app/Corvane.h"
#include "app/panel/look.h"
#include "app/trace.h"

#include <QMessageBox>
#include <QSerialPort>
#include <QTimer>

#include <optional>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Kind = CAT::CommandType;

namespace {

// A read the chain writes, or a set command written along with it (no answer expected).
struct ChainWrite {
    std::string command;
    bool read = true;
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

// Auto-information goes on here, then is read back.
ChainWrites afterAG(const std::string&, const ChainContext&) {
    return {{CAT::SetAI(1), false}, {CAT::ReadAI()}};
}
// The AF gain read starts a second pass from AG that the end at VX stops.
ChainWrites afterRG(const std::string&, const ChainContext&) {
    return {{CAT::ReadAG()}, {CAT::ReadRL()}};
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
        {Kind::ST, fixed<CAT::ReadVD>},
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
static_assert(std::size(ChainTable::links) == 52, "the chain has a link for each of its 52 answer kinds");
static_assert(ChainTable::eachAnswerOnce(), "an answer kind has two links in the chain");

void Corvane::startReadBack() {
    if (!serialPort || !serialPort->isOpen())
        return;
    statusBar()->showMessage("Reading the radio's current state", 5000);
    if (!readBackInProgress)
        skippedChainReads = 0;
    readBackInProgress = true;
    setEnabled(false);
    writeChainRead(CAT::ReadIF());
    chainTimer->start();
}

void Corvane::takeChainStep(Kind kind, const std::string& message, bool skipping) {
    const ChainLink* link = ChainTable::find(kind);
    if (!link)
        return;
    if (link->ends) {
        endReadBack();
        return;
    }
    const ChainWrites writes = link->next(message, {ui.cbMode->currentIndex(), skipping});
    if (writes.empty())
        return;
    if (!skipping) {
        const auto answered =
            std::find_if(pendingChainReads.begin(), pendingChainReads.end(),
                         [kind](const PendingRead& p) { return CAT::ClassifyAnswer(p.read) == kind; });
        if (answered != pendingChainReads.end())
            pendingChainReads.erase(answered);
    }
    if (link->savesBandMode)
        SaveBandModeSettings(currentBandIndex, currentModeIndex);
    for (const ChainWrite& w : writes)
        w.read ? writeChainRead(w.command) : write(w.command, false);
}

void Corvane::writeChainRead(const std::string& read) {
    if (!chainClock.isValid())
        chainClock.start();
    pendingChainReads.push_back({read, chainClock.elapsed(), false});
    write(read);
}

// The radio refused the oldest waiting read, or never answered it: go on as if it had.
void Corvane::skipOldestChainRead() {
    if (pendingChainReads.empty())
        return;
    const std::string read = pendingChainReads.front().read;
    pendingChainReads.pop_front();
    ++skippedChainReads;
    Trace(fmt::format("no answer to {:s}\r\n", read));
    takeChainStep(CAT::ClassifyAnswer(read), read, true);
}

// A read unanswered for 2 s is sent once more; after another 2 s the chain moves past it.
void Corvane::checkChainTimeouts() {
    constexpr qint64 answerTimeoutMs = 2000;
    if (pendingChainReads.empty())
        return;
    PendingRead& oldest = pendingChainReads.front();
    if (chainClock.elapsed() - oldest.sentAt < answerTimeoutMs)
        return;
    if (oldest.resent) {
        skipOldestChainRead();
        return;
    }
    oldest.resent = true;
    oldest.sentAt = chainClock.elapsed();
    write(oldest.read);
}

void Corvane::endReadBack() {
    statusBar()->clearMessage();
    readBackInProgress = false;
    chainTimer->stop();
    pendingChainReads.clear();
    RestoreBandModeSettings(currentBandIndex, currentModeIndex);
    // Nothing restored means no answer will come to end the wait: enable the window now.
    if (!restoreInFlight) {
        restoringFromDatabase = false;
        setEnabled(true);
    }
    if (skippedChainReads > 0)
        statusBar()->showMessage(QString::fromStdString(
            fmt::format("Read-back finished: the radio did not answer {:d} {:s}", skippedChainReads,
                        skippedChainReads == 1 ? "read" : "reads")));
}

void Corvane::onPowerAnswer(int state) {
    switch (state) {
    case 1:
        if (!readBackInProgress) {
            powerQueryPending = false;
            startReadBack();
        }
        paintButton(ui.btnPWR, PowerOnColour());
        break;
    case 0:
        if (powerQueryPending) {
            powerQueryPending = false;
            statusBar()->clearMessage();
        }
        paintButton(ui.btnPWR, defaultButtonColour);
        break;
    default:
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
