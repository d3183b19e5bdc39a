// Hours, not minutes: the shown window against the simulated FT-891 for a set time (30 minutes
// unless told otherwise), as a station in use sees it. The radio's operator turns the dial and
// the knobs (auto-information reports), the window asks for the meter five times a second, and
// the window's operator tunes, toggles functions and changes pages every few hundred
// milliseconds. At the end it reports the resident memory after the read-back and at the end,
// the longest stall of the event loop and the number of answers the window handled.
//
//   QT_QPA_PLATFORM=offscreen build-bench/bench/soak/soak_bench [--minutes N | --seconds N]
//
// Targets: under 2 MiB of growth over 30 minutes, no stall over 50 ms.

#include "app/Corvane.h"
#include "sim/pty_radio.h"
#include "storage/tables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fmt/format.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

double residentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// What the program's allocations hold, without what the allocator keeps for itself: when the
// resident memory grows and this does not, the allocator's free lists grew, not the program.
double heapInUseMiB() {
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

int secondsToRun(int argc, char** argv) {
    int seconds = 30 * 60;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--minutes") == 0)
            seconds = std::atoi(argv[i + 1]) * 60;
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atoi(argv[i + 1]);
    }
    return std::max(seconds, 1);
}

// What the radio's own operator does, in turn: the dial, the AF gain, the attenuator, the
// noise blanker. Each change comes to the window as an auto-information report.
std::string radioOperatorStep(int step) {
    switch (step % 4) {
    case 0:
        return fmt::format("FA{:09};", 14074000 + 10 * (step % 500));
    case 1:
        return fmt::format("AG0{:03};", (step * 7) % 256);
    case 2:
        return step % 8 < 4 ? "RA01;" : "RA00;";
    default:
        return step % 8 < 4 ? "NB01;" : "NB00;";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int seconds = secondsToRun(argc, argv);
    QApplication app(argc, argv);

    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    Sim::PtyRadio simulator(Sim::LineOptions{std::chrono::microseconds(0), 38400});
    std::atomic<long> answersSent{0};
    simulator.setTrace([&answersSent](bool received, const std::string&) {
        if (!received)
            ++answersSent;
    });
    Storage::StorePortIn(config.path() + "/Corvane", simulator.slavePath(), 38400);

    Corvane window;
    window.show();

    // The read-back is over when the window is enabled again after the radio was asked for VX.
    QElapsedTimer clock;
    clock.start();
    const auto pump = [] { QApplication::processEvents(QEventLoop::AllEvents, 5); };
    if (!simulator.waitForCommand("VX;", std::chrono::seconds(60), pump)) {
        std::fprintf(stderr, "the read-back did not end\n");
        return 1;
    }
    while (!window.isEnabled() && clock.elapsed() < 70000)
        pump();
    simulator.waitForQuiet(std::chrono::milliseconds(300), std::chrono::seconds(5), pump);
    std::printf("read-back done in %.1f s\n", static_cast<double>(clock.elapsed()) / 1000.0);

    const double startMiB = residentMiB();
    const double startHeapMiB = heapInUseMiB();
    const long answersAtStart = answersSent;
    double peakMiB = startMiB;

    // The event loop's pulse: a tick every 5 ms; a late tick is a stall of the window.
    constexpr int pulseMs = 5;
    QElapsedTimer pulseClock;
    pulseClock.start();
    qint64 lastPulse = 0, longestStallMs = 0, stallsOver50 = 0;
    QTimer pulse;
    pulse.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        const qint64 now = pulseClock.elapsed();
        const qint64 stall = now - lastPulse - pulseMs;
        longestStallMs = std::max(longestStallMs, stall);
        if (stall > 50)
            ++stallsOver50;
        lastPulse = now;
    });

    int radioStep = 0;
    QTimer radioOperator;
    QObject::connect(&radioOperator, &QTimer::timeout,
                     [&] { simulator.operate(radioOperatorStep(radioStep++)); });

    // The window's operator: a tuning click, a function toggle, a page change, in turn.
    int operatorStep = 0;
    QTimer windowOperator;
    QObject::connect(&windowOperator, &QTimer::timeout, [&] {
        Ui::CorvaneClass& ui = window.ui;
        switch (operatorStep++ % 3) {
        case 0:
            ui.dial_VFOA->setValue((ui.dial_VFOA->value() + 1) % (ui.dial_VFOA->maximum() + 1));
            break;
        case 1:
            (operatorStep % 2 ? ui.btnIPO : ui.btnATT)->click();
            break;
        default: {
            const int page = (operatorStep / 3) % ui.tabWidget->count();
            ui.tabWidget->setCurrentIndex(page);
            window.on_uitabClicked(page);
            break;
        }
        }
    });

    // Once a minute: where memory and the stalls stand. The simulator's log of commands is
    // emptied, so that its growth is not counted as the window's.
    int minute = 0;
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, [&] {
        simulator.clearReceived();
        const double mib = residentMiB();
        peakMiB = std::max(peakMiB, mib);
        std::printf(
            "%3d min  RSS %.2f MiB  heap in use %.2f MiB  longest stall %lld ms  stalls > 50 ms %lld  "
            "answers %ld\n",
            ++minute, mib, heapInUseMiB(), static_cast<long long>(longestStallMs),
            static_cast<long long>(stallsOver50), answersSent - answersAtStart);
        std::fflush(stdout);
    });

    lastPulse = pulseClock.elapsed();
    pulse.start(pulseMs);
    radioOperator.start(350);
    windowOperator.start(300);
    report.start(60000);
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();

    simulator.clearReceived();
    const double endMiB = residentMiB();
    std::printf("ran %d s against the simulated radio at 38400 baud\n", seconds);
    std::printf(
        "resident memory: %.2f MiB after the read-back, %.2f MiB at the end (%+.2f MiB), peak %.2f MiB\n",
        startMiB, endMiB, endMiB - startMiB, std::max(peakMiB, endMiB));
    std::printf("heap in use: %.2f MiB after the read-back, %.2f MiB at the end\n", startHeapMiB,
                heapInUseMiB());
    std::printf("longest event-loop stall: %lld ms; stalls over 50 ms: %lld\n",
                static_cast<long long>(longestStallMs), static_cast<long long>(stallsOver50));
    std::printf("answers handled: %ld\n", answersSent - answersAtStart);
    return 0;
}
