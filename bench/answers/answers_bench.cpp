// The cost of one answer in the shown window: read from the port, framed, dispatched and
// painted, on the offscreen platform. The stream is what a receiving FT-891 sends a panel
// that polls its meter: S-meter readings five times a second, auto-information reports of
// frequency, mode and width as the operator tunes, and level reports as knobs turn.
// An answer takes 2.6 ms on a 38400-baud line; the panel should need a small part of that.

#include "app/Corvane.h"
#include "app/resources.h"
#include "sim/pty.h"
#include "storage/tables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <fmt/format.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

// The window's port, for waiting until an answer has reached it.
struct CorvaneTestAccess {
    static QSerialPort* port(Corvane& w) { return w.serialPort; }
};

namespace {

// One second of answers: five meter readings between the reports.
std::vector<std::string> secondOfAnswers(int second) {
    const int hz = 14074000 + 10 * second;
    std::vector<std::string> answers;
    for (int i = 0; i < 5; ++i) {
        answers.push_back(fmt::format("SM0{:03};", (second * 37 + i * 23) % 256));
        switch (i) {
        case 0:
            answers.push_back(fmt::format("FA{:09};", hz));
            answers.push_back(fmt::format("IF001{:09}+000000200000;", hz));
            break;
        case 1:
            answers.push_back(fmt::format("AG0{:03};", (second * 7) % 256));
            answers.push_back(fmt::format("RL0{:02};", 1 + second % 15));
            break;
        case 2:
            answers.push_back(fmt::format("SQ0{:03};", second % 101));
            answers.push_back(second % 2 ? "RA01;" : "RA00;");
            break;
        case 3:
            answers.push_back(fmt::format("RG0{:03};", second % 31));
            answers.push_back(fmt::format("IS0{:d}{:+05d};", second % 2, (second % 60 - 30) * 20));
            break;
        default:
            answers.push_back(second % 2 ? "NB01;" : "NB00;");
            answers.push_back("SH0014;");
            break;
        }
    }
    return answers;
}

double percentile(std::vector<double>& values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(q * static_cast<double>(values.size() - 1))];
}

int waitingAt(int fd) {
    int waiting = 0;
    ioctl(fd, FIONREAD, &waiting);
    return waiting;
}

void AnswerCost(benchmark::State& state) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    Sim::PtyPair radio;
    Storage::StorePortIn(config.path() + "/Corvane", radio.slavePath(), 38400);

    Corvane window;
    window.show();
    QSerialPort* port = CorvaneTestAccess::port(window);
    // Past the power query, which nobody answers: no read-back runs.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1600)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    radio.readAvailable();

    std::vector<std::string> stream;
    for (int second = 0; stream.size() < 20000; ++second)
        for (std::string& answer : secondOfAnswers(second))
            stream.push_back(std::move(answer));

    // Per answer: the read, framing and dispatch that run as the bytes arrive, and that plus
    // the paint the answer causes.
    std::vector<double> dispatchUs, withPaintUs;
    std::map<std::string, std::vector<double>> dispatchUsByKind;
    size_t next = 0;
    for (auto _ : state) {
        const std::string& answer = stream[next++ % stream.size()];
        radio.write(answer);
        while (waitingAt(radio.slaveFd()) < static_cast<int>(answer.size()))
            ;
        QElapsedTimer clock;
        clock.start();
        port->waitForReadyRead(100);
        const double dispatched = static_cast<double>(clock.nsecsElapsed()) / 1e3;
        QApplication::processEvents();
        const double painted = static_cast<double>(clock.nsecsElapsed()) / 1e3;
        state.SetIterationTime(dispatched / 1e6);
        dispatchUs.push_back(dispatched);
        withPaintUs.push_back(painted);
        dispatchUsByKind[answer.substr(0, 2)].push_back(dispatched);
        radio.readAvailable(); // the IF reads that FA reports ask for
    }
    state.counters["median_us"] = percentile(dispatchUs, 0.5);
    state.counters["p99_us"] = percentile(dispatchUs, 0.99);
    state.counters["paint_median_us"] = percentile(withPaintUs, 0.5);
    state.counters["paint_p99_us"] = percentile(withPaintUs, 0.99);
    for (auto& [kind, costs] : dispatchUsByKind)
        std::fprintf(stderr, "%s answers: %5zu  median %8.1f us  p99 %8.1f us\n", kind.c_str(), costs.size(),
                     percentile(costs, 0.5), percentile(costs, 0.99));
}
BENCHMARK(AnswerCost)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(20000);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InitCorvaneResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
