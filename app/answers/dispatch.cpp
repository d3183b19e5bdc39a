#include "app/Corvane.h"
#include "app/trace.h"

#include <array>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Kind = CAT::CommandType;

namespace {

// A route binds an answer kind's parser to its handler at compile time: the answer is parsed
// once, before anything of it is applied, and the handler receives the parsed value. An answer
// that does not parse is dropped whole, display and read-back step alike.
using Route = void (*)(Corvane& window, const std::string& answer);

template <auto Parse, auto Handle> void typed(Corvane& window, const std::string& answer) {
    (window.*Handle)(Parse(answer));
}

// Kinds with no effect on the window yet are still parsed: a garbled one takes no chain step.
template <auto Parse> void checked(Corvane&, const std::string& answer) {
    (void)Parse(answer);
}

struct AnswerRoute {
    Kind kind;
    Route route; // nullptr: the kind changes nothing
};

} // namespace

struct AnswerTable {
    // A function or level answer goes to the one engine of the function table.
    template <Kind K, int (*Parse)(const std::string&)>
    static void function(Corvane& w, const std::string& a) {
        w.applyFunctionAnswer(K, {0, Parse(a)});
    }
    template <Kind K, CAT::IntPair (*Parse)(const std::string&)>
    static void functionPair(Corvane& w, const std::string& a) {
        w.applyFunctionAnswer(K, Parse(a));
    }

    // One row per answer kind, in enumerator order.
    // kind    | parser and handler
    static constexpr std::array<AnswerRoute, 68> routes = {{
        {Kind::AC, typed<CAT::ParseAC, &Corvane::onTunerAnswer>},
        {Kind::AG, function<Kind::AG, CAT::ParseAG>},
        {Kind::AI, function<Kind::AI, CAT::ParseAI>},
        {Kind::BC, function<Kind::BC, CAT::ParseBC>},
        {Kind::BI, function<Kind::BI, CAT::ParseBI>},
        {Kind::BP, typed<CAT::ParseBP, &Corvane::onNotchAnswer>},
        {Kind::BY, typed<CAT::ParseBY, &Corvane::onBusyAnswer>},
        {Kind::CF, function<Kind::CF, CAT::ParseCF>},
        {Kind::CN, functionPair<Kind::CN, CAT::ParseCN>},
        {Kind::CO, functionPair<Kind::CO, CAT::ParseCO>},
        {Kind::CS, function<Kind::CS, CAT::ParseCS>},
        {Kind::CT, function<Kind::CT, CAT::ParseCT>},
        {Kind::DA, typed<CAT::ParseDA, &Corvane::onDimmerAnswer>},
        {Kind::EX, [](Corvane& w, const std::string& a) { w.applyMenuAnswer(a); }},
        {Kind::FA, typed<CAT::ParseFA, &Corvane::onFrequencyAAnswer>},
        {Kind::FB, typed<CAT::ParseFB, &Corvane::onFrequencyBAnswer>},
        {Kind::FS, function<Kind::FS, CAT::ParseFS>},
        {Kind::GT, typed<CAT::ParseGT, &Corvane::onAgcAnswer>},
        {Kind::ID, typed<CAT::ParseID, &Corvane::onIdentityAnswer>},
        {Kind::IF, typed<CAT::ParseIF, &Corvane::onInformationAnswer>},
        {Kind::IS, functionPair<Kind::IS, CAT::ParseIS>},
        {Kind::KM, typed<CAT::ParseKM, &Corvane::onKeyerMemoryAnswer>},
        {Kind::KP, function<Kind::KP, CAT::ParseKP>},
        {Kind::KR, function<Kind::KR, CAT::ParseKR>},
        {Kind::KS, function<Kind::KS, CAT::ParseKS>},
        {Kind::LK, function<Kind::LK, CAT::ParseLK>},
        {Kind::LM, nullptr},
        {Kind::MC, nullptr},
        {Kind::MD, typed<CAT::ParseMD, &Corvane::onModeAnswer>},
        {Kind::MG, function<Kind::MG, CAT::ParseMG>},
        {Kind::ML, functionPair<Kind::ML, CAT::ParseML>},
        {Kind::MR, nullptr},
        {Kind::MS, typed<CAT::ParseMS, &Corvane::onMeterSelectAnswer>},
        {Kind::MT, typed<CAT::ParseMT, &Corvane::onMemoryChannelAnswer>},
        {Kind::MW, nullptr},
        {Kind::MX, function<Kind::MX, CAT::ParseMX>},
        {Kind::NA, function<Kind::NA, CAT::ParseNA>},
        {Kind::NB, function<Kind::NB, CAT::ParseNB>},
        {Kind::NL, function<Kind::NL, CAT::ParseNL>},
        {Kind::NR, typed<CAT::ParseNR, &Corvane::onNoiseReductionAnswer>},
        {Kind::OI, typed<CAT::ParseOI, &Corvane::onOppositeInformationAnswer>},
        {Kind::OS, function<Kind::OS, CAT::ParseOS>},
        {Kind::PA, function<Kind::PA, CAT::ParsePA>},
        {Kind::PB, nullptr},
        {Kind::PC, typed<CAT::ParsePC, &Corvane::onPowerLevelAnswer>},
        {Kind::PL, function<Kind::PL, CAT::ParsePL>},
        {Kind::PR, functionPair<Kind::PR, CAT::ParsePR>},
        {Kind::PS, typed<CAT::ParsePS, &Corvane::onPowerAnswer>},
        {Kind::RA, function<Kind::RA, CAT::ParseRA>},
        {Kind::RG, function<Kind::RG, CAT::ParseRG>},
        {Kind::RI, typed<CAT::ParseRI, &Corvane::onRadioInformationAnswer>},
        {Kind::RL, function<Kind::RL, CAT::ParseRL>},
        {Kind::RM, typed<CAT::ParseRM, &Corvane::onMeterAnswer>},
        {Kind::RS, function<Kind::RS, CAT::ParseRS>},
        {Kind::SC, function<Kind::SC, CAT::ParseSC>},
        {Kind::SD, function<Kind::SD, CAT::ParseSD>},
        {Kind::SH, typed<CAT::ParseSH, &Corvane::onWidthAnswer>},
        {Kind::SM, typed<CAT::ParseSM, &Corvane::onSMeterAnswer>},
        {Kind::SQ, function<Kind::SQ, CAT::ParseSQ>},
        {Kind::ST, function<Kind::ST, CAT::ParseST>},
        {Kind::SV, nullptr},
        {Kind::TS, nullptr},
        {Kind::TX, typed<CAT::ParseTX, &Corvane::onTransmitAnswer>},
        {Kind::UL, function<Kind::UL, CAT::ParseUL>},
        {Kind::VD, typed<CAT::ParseVD, &Corvane::onVoxDelayAnswer>},
        {Kind::VG, typed<CAT::ParseVG, &Corvane::onVoxGainAnswer>},
        {Kind::VX, function<Kind::VX, CAT::ParseVX>},
        {Kind::Unknown, [](Corvane& w, const std::string& a) { w.onUnknownAnswer(a); }},
    }};

    static constexpr bool inEnumeratorOrder() {
        for (size_t i = 0; i < routes.size(); ++i)
            if (static_cast<size_t>(routes[i].kind) != i)
                return false;
        return true;
    }
};
static_assert(AnswerTable::inEnumeratorOrder(), "a row of the answer table is out of place");

void Corvane::ProcessCommmand(std::string answer) {
    const AnswerRoute& route = AnswerTable::routes[static_cast<size_t>(CommandType(answer))];
    try {
        if (route.route)
            route.route(*this, answer);
        noteNetworkAnswer(route.kind, answer);
        if (readBackInProgress)
            takeChainStep(route.kind, answer, false);
    } catch (const std::exception& error) {
        // A garbled answer changes nothing; the next one is handled as usual.
        Trace(fmt::format("dropped {:s} ({:s})\r\n", answer, error.what()));
    }
}

void Corvane::onUnknownAnswer(const std::string& answer) {
    // During the read-back, the radio's "?;" refuses the oldest read still waiting.
    if (readBackInProgress && answer == "?;") {
        skipOldestChainRead(false);
        return;
    }
    // A restore's values or its closing AC read refused: the restore is over all the same.
    if (restore.phase() == BandModeRestore::Phase::Restoring && answer == "?;") {
        finishRestore();
    } else if (memoryScanActive && answer == "?;") {
        // An empty channel, or another command refused: the ID answer behind the channel's
        // read tells which.
        return;
    }
    if (!lastAnswer.empty())
        Trace(fmt::format("unknown after {:s} was sent!\r\n", lastAnswer));
}
