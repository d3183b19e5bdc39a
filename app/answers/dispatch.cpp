#include "app/Corvane.h"
#include "app/trace.h"

#include <array>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Kind = CAT::CommandType;

namespace {

// Every answer is parsed before anything of it is applied: an answer that does not parse
// is dropped whole, display and read-back step alike.
template <auto Parser> void parses(const std::string& answer) {
    (void)Parser(answer);
}

struct AnswerRoute {
    Kind kind;
    void (*check)(const std::string&);          // the parser that must accept the answer
    void (Corvane::*apply)(const std::string&); // its effect on the window, if any yet
};

} // namespace

struct AnswerTable {
    // One row per answer kind, in enumerator order.
    // kind    | parser that must accept it | handler
    static constexpr std::array<AnswerRoute, 68> routes = {{
        {Kind::AC, parses<CAT::ParseAC>, &Corvane::onTunerAnswer},
        {Kind::AG, parses<CAT::ParseAG>, nullptr},
        {Kind::AI, parses<CAT::ParseAI>, &Corvane::onAutoInformationAnswer},
        {Kind::BC, parses<CAT::ParseBC>, nullptr},
        {Kind::BI, parses<CAT::ParseBI>, nullptr},
        {Kind::BP, parses<CAT::ParseBP>, nullptr},
        {Kind::BY, parses<CAT::ParseBY>, nullptr},
        {Kind::CF, parses<CAT::ParseCF>, nullptr},
        {Kind::CN, parses<CAT::ParseCN>, nullptr},
        {Kind::CO, parses<CAT::ParseCO>, nullptr},
        {Kind::CS, parses<CAT::ParseCS>, nullptr},
        {Kind::CT, parses<CAT::ParseCT>, nullptr},
        {Kind::DA, parses<CAT::ParseDA>, &Corvane::typedAnswer<CAT::ParseDA, &Corvane::onDimmerAnswer>},
        {Kind::EX, nullptr, &Corvane::applyMenuAnswer},
        {Kind::FA, parses<CAT::ParseFA>, &Corvane::onFrequencyAAnswer},
        {Kind::FB, parses<CAT::ParseFB>, &Corvane::onFrequencyBAnswer},
        {Kind::FS, parses<CAT::ParseFS>, nullptr},
        {Kind::GT, parses<CAT::ParseGT>, &Corvane::typedAnswer<CAT::ParseGT, &Corvane::onAgcAnswer>},
        {Kind::ID, parses<CAT::ParseID>, &Corvane::onIdentityAnswer},
        {Kind::IF, parses<CAT::ParseIF>, &Corvane::onInformationAnswer},
        {Kind::IS, parses<CAT::ParseIS>, nullptr},
        {Kind::KM, parses<CAT::ParseKM>, nullptr},
        {Kind::KP, parses<CAT::ParseKP>, nullptr},
        {Kind::KR, parses<CAT::ParseKR>, nullptr},
        {Kind::KS, parses<CAT::ParseKS>, nullptr},
        {Kind::LK, parses<CAT::ParseLK>, nullptr},
        {Kind::LM, nullptr, nullptr},
        {Kind::MC, nullptr, nullptr},
        {Kind::MD, parses<CAT::ParseMD>, &Corvane::onModeAnswer},
        {Kind::MG, parses<CAT::ParseMG>, nullptr},
        {Kind::ML, parses<CAT::ParseML>, nullptr},
        {Kind::MR, nullptr, nullptr},
        {Kind::MS, parses<CAT::ParseMS>, nullptr},
        {Kind::MT, parses<CAT::ParseMT>, nullptr},
        {Kind::MW, nullptr, nullptr},
        {Kind::MX, parses<CAT::ParseMX>, nullptr},
        {Kind::NA, parses<CAT::ParseNA>, &Corvane::onNarrowAnswer},
        {Kind::NB, parses<CAT::ParseNB>, nullptr},
        {Kind::NL, parses<CAT::ParseNL>, nullptr},
        {Kind::NR, parses<CAT::ParseNR>, &Corvane::onNoiseReductionAnswer},
        {Kind::OI, parses<CAT::ParseOI>, &Corvane::onOppositeInformationAnswer},
        {Kind::OS, parses<CAT::ParseOS>, nullptr},
        {Kind::PA, parses<CAT::ParsePA>, nullptr},
        {Kind::PB, nullptr, nullptr},
        {Kind::PC, parses<CAT::ParsePC>, &Corvane::typedAnswer<CAT::ParsePC, &Corvane::onPowerLevelAnswer>},
        {Kind::PL, parses<CAT::ParsePL>, nullptr},
        {Kind::PR, parses<CAT::ParsePR>, nullptr},
        {Kind::PS, parses<CAT::ParsePS>, &Corvane::onPowerAnswer},
        {Kind::RA, parses<CAT::ParseRA>, nullptr},
        {Kind::RG, parses<CAT::ParseRG>, nullptr},
        {Kind::RI, parses<CAT::ParseRI>, nullptr},
        {Kind::RL, parses<CAT::ParseRL>, &Corvane::onNoiseReductionLevelAnswer},
        {Kind::RM, parses<CAT::ParseRM>, nullptr},
        {Kind::RS, parses<CAT::ParseRS>, nullptr},
        {Kind::SC, parses<CAT::ParseSC>, nullptr},
        {Kind::SD, parses<CAT::ParseSD>, nullptr},
        {Kind::SH, parses<CAT::ParseSH>, &Corvane::onWidthAnswer},
        {Kind::SM, parses<CAT::ParseSM>, nullptr},
        {Kind::SQ, parses<CAT::ParseSQ>, nullptr},
        {Kind::ST, parses<CAT::ParseST>, nullptr},
        {Kind::SV, nullptr, nullptr},
        {Kind::TS, nullptr, nullptr},
        {Kind::TX, parses<CAT::ParseTX>, nullptr},
        {Kind::UL, parses<CAT::ParseUL>, nullptr},
        {Kind::VD, parses<CAT::ParseVD>, &Corvane::typedAnswer<CAT::ParseVD, &Corvane::onVoxDelayAnswer>},
        {Kind::VG, parses<CAT::ParseVG>, &Corvane::typedAnswer<CAT::ParseVG, &Corvane::onVoxGainAnswer>},
        {Kind::VX, parses<CAT::ParseVX>, nullptr},
        {Kind::Unknown, nullptr, &Corvane::onUnknownAnswer},
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
        if (route.check)
            route.check(answer);
        if (route.apply)
            (this->*route.apply)(answer);
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
    if (restoreInFlight && answer == "?;")
        finishRestore();
    if (!lastAnswer.empty())
        Trace(fmt::format("unknown after {:s} was sent!\r\n", lastAnswer));
}
