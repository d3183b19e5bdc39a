// Per-call cost of the CAT command set: parsing the answers a running radio sends and
// building the commands the front panel and the pages send.
#include <iterator>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "cat/ft891.h"

namespace {

using namespace Yaesu::Commands::FT891;

struct Answer {
    std::string text;
    int (*parse)(const std::string&);
};

// What arrives while the operator tunes and transmits with auto-information on: mostly
// frequencies and meters, some status records, levels and menu answers.
std::vector<Answer> AnswerMix() {
    return {
        {"FA014250000;", [](const std::string& a) { return ParseFA(a); }},
        {"FA014250010;", [](const std::string& a) { return ParseFA(a); }},
        {"FA014250020;", [](const std::string& a) { return ParseFA(a); }},
        {"FB007074000;", [](const std::string& a) { return ParseFB(a); }},
        {"RM1128;", [](const std::string& a) { return ParseRM(a).second; }},
        {"RM5042;", [](const std::string& a) { return ParseRM(a).second; }},
        {"SM0120;", [](const std::string& a) { return ParseSM(a); }},
        {"IF001014250000+015010200000;", [](const std::string& a) { return ParseIF(a).frequency; }},
        {"OI001007074000-015010C00000;", [](const std::string& a) { return ParseOI(a).frequency; }},
        {"MD02;", [](const std::string& a) { return ParseMD(a); }},
        {"SH0117;", [](const std::string& a) { return ParseSH(a).second; }},
        {"AG0128;", [](const std::string& a) { return ParseAG(a); }},
        {"IS01-0240;", [](const std::string& a) { return ParseIS(a).second; }},
        {"TX1;", [](const std::string& a) { return ParseTX(a); }},
        {"EX1605050;", [](const std::string& a) { return ParseMenu(a, 1605); }},
        {"EX0803-1230;", [](const std::string& a) { return ParseMenu(a, 803); }},
        {"MT007007074000-015010C000001FT8         ;",
         [](const std::string& a) { return ParseMT(a).channel; }},
        {"KM1CQ TEST DE K1ABC;", [](const std::string& a) { return ParseKM(a).slot; }},
    };
}

void ParseAnswerMix(benchmark::State& state) {
    const auto mix = AnswerMix();
    std::size_t i = 0;
    for (auto _ : state) {
        const Answer& answer = mix[i];
        benchmark::DoNotOptimize(answer.parse(answer.text));
        i = i + 1 == mix.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ParseAnswerMix);

// The whole menu read-back: one answer per catalogue item, each parsed by its item.
void ParseMenuReadBack(benchmark::State& state) {
    std::vector<std::string> answers;
    for (const MenuItem& item : MenuCatalogue()) {
        answers.push_back(IsVersionItem(item.number) ? ReadMenu(item.number).substr(0, 6) + "0123;"
                                                     : ReadMenu(item.number).substr(0, 6) + "00050;");
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const int number = MenuCatalogue()[i].number;
            if (IsVersionItem(number)) {
                benchmark::DoNotOptimize(ParseMenuVersion(answers[i], number));
            } else {
                benchmark::DoNotOptimize(ParseMenu(answers[i], number));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(answers.size()));
}
BENCHMARK(ParseMenuReadBack);

// Malformed answers cost an exception each.
void ParseRejectedAnswer(benchmark::State& state) {
    const std::string answer = "?;";
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ParseAG(answer));
        } catch (const std::out_of_range&) {
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ParseRejectedAnswer);

// What the operator's controls send: dial steps dominate, then levels, menu sets and reads.
using Build = std::string (*)();
const Build kCommandMix[] = {
    [] { return SetFA(14250000); },
    [] { return SetFA(14250010); },
    [] { return SetFB(7074000); },
    [] { return SetAG(128); },
    [] { return SetIS(1, -245); },
    [] {
        return SetSH({1, 17});
    },
    [] { return SetMenu(1605, 50); },
    [] { return SetMenu(803, -1234); },
    [] { return ReadMenu(1605); },
    [] { return ReadIF(); },
    [] { return SetRA(1); },
    [] { return SetMD(0xC); },
    [] {
        return SetKM({1, "CQ TEST DE K1ABC"});
    },
    [] {
        return SetMT({7, 7074000, -150, 1, 0xC, 0, 0, 1, "FT8"});
    },
};

void BuildCommandMix(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kCommandMix[i]());
        i = i + 1 == std::size(kCommandMix) ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BuildCommandMix);

// The menu walk of the read-back: the successor of each item and its read command.
void BuildMenuReadBack(benchmark::State& state) {
    for (auto _ : state) {
        for (int number = 101; number != 0; number = NextMenuItem(number)) {
            benchmark::DoNotOptimize(ReadMenu(number));
        }
    }
    state.SetItemsProcessed(state.iterations() * 158);
}
BENCHMARK(BuildMenuReadBack);

void ClassifyAnswers(benchmark::State& state) {
    const auto mix = AnswerMix();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ClassifyAnswer(mix[i].text));
        i = i + 1 == mix.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ClassifyAnswers);

} // namespace
