// The whole start-up read-back against the simulated FT-891 on a pseudo-terminal at 38400 baud
// with 1 ms per answer, next to the bound the line itself sets: every byte both ways at 10 bits
// a byte, plus the latency of every answer.

#include "app/Corvane.h"
#include "app/resources.h"
#include "sim/pty_radio.h"
#include "storage/tables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

namespace {

constexpr int baud = 38400;
constexpr auto latency = std::chrono::milliseconds(1);

struct LineCount {
    std::atomic<long> bytes{0};
    std::atomic<long> answers{0};
};

bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void FullReadBack(benchmark::State& state) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    Sim::PtyRadio radio({std::chrono::duration_cast<std::chrono::microseconds>(latency), baud});
    LineCount line;
    radio.setTrace([&line](bool received, const std::string& message) {
        line.bytes += static_cast<long>(message.size());
        if (!received)
            ++line.answers;
    });
    Storage::StorePortIn(config.path() + "/Corvane", radio.slavePath(), baud);

    // The first read-back follows the power query at start; the measured ones are asked for.
    auto window = std::make_unique<Corvane>();
    if (!radio.waitForCommand("VX;", std::chrono::seconds(30), [] { QApplication::processEvents(); }) ||
        !runUntil([&] { return window->isEnabled(); }, 5000)) {
        state.SkipWithError("the first read-back did not finish");
        return;
    }
    runUntil([] { return false; }, 300);

    double boundSeconds = 0, elapsedSeconds = 0;
    for (auto _ : state) {
        line.bytes = 0;
        line.answers = 0;
        radio.clearReceived();
        QElapsedTimer clock;
        clock.start();
        window->startReadBack();
        const bool finished = runUntil([&] { return window->isEnabled(); }, 30000);
        const qint64 ns = clock.nsecsElapsed();
        if (!finished) {
            state.SkipWithError("the read-back did not finish");
            return;
        }
        elapsedSeconds += static_cast<double>(ns) / 1e9;
        boundSeconds += static_cast<double>(line.bytes) * 10.0 / baud +
                        static_cast<double>(line.answers) * std::chrono::duration<double>(latency).count();
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
        // The answers to the second pass drain before the next round.
        runUntil([] { return false; }, 300);
    }
    state.counters["line_bound_ms"] = benchmark::Counter(boundSeconds * 1e3 / state.iterations());
    state.counters["ratio_to_bound"] = benchmark::Counter(elapsedSeconds / boundSeconds);
    state.counters["bytes"] = benchmark::Counter(static_cast<double>(line.bytes));
    state.counters["answers"] = benchmark::Counter(static_cast<double>(line.answers));
}
BENCHMARK(FullReadBack)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
