// libFuzzer target for the window's receive path. One window is built per process, on the
// offscreen platform, with its own configuration folder and a pseudo-terminal as its port.
// Each input is bytes from the radio: they go where the port's bytes go (the receive buffer
// that OnRadioRead frames), so framing, classification, dispatch, every answer handler, the
// menu engine, the dialogs and the memory scan see them. The first byte sets the scene the
// bytes arrive in (a read-back under way, a memory scan under way, how the bytes are split
// into reads), so the states that decide where an answer goes come from the input itself; the
// rest (the values shown, a dialog an earlier input opened) carries over, as it does in use.
#include "app/Corvane.h"
#include "dialogs/MemoryChannelEditorUI.h"
#include "sim/pty.h"
#include "storage/tables.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

// The window's private state the scene needs: the receive buffer, the read-back and the scan.
// The read-back is put in place as its start leaves it, but without disabling the window and
// showing the progress bar, which would cost more than the answers themselves.
struct CorvaneTestAccess {
    static std::string& receiveBuffer(Corvane& w) { return w.receiveBuffer; }
    static bool readBackInProgress(Corvane& w) { return w.readBackInProgress; }
    static void beginReadBack(Corvane& w) {
        w.skippedChainReads = w.unansweredInARow = w.answeredChainReads = 0;
        w.pendingChainReads.clear();
        w.readBackInProgress = true;
        w.writeChainRead(Yaesu::Commands::FT891::ReadIF());
    }
    static void stopReadBack(Corvane& w) {
        w.stopReadBack();
        if (!w.isEnabled())
            w.setEnabled(true);
    }
    static bool memoryScanActive(Corvane& w) { return w.memoryScanActive; }
    // The first scan opens the editor as the operator's button does; later ones start over in
    // the open editor, whose rows the new scan's answers replace.
    static void beginMemoryScan(Corvane& w) {
        if (!w.memoryEditor || !w.memoryScanTimer) {
            w.on_btnMemEdit_clicked();
            // Hidden, the editor takes the rows without laying out its table for each one.
            if (w.memoryEditor)
                w.memoryEditor->hide();
            return;
        }
        w.memoryChannels.clear();
        w.memoryScanChannel = 1;
        w.memoryScanActive = true;
        w.memoryScanTimer->start();
    }
    static void stopMemoryScan(Corvane& w) { w.stopMemoryScan(); }
};

namespace {

using Access = CorvaneTestAccess;

// A dialog run with exec() (the other-model message, the port dialog) would wait for an
// operator: it is dismissed as soon as it shows, with a result that is neither OK nor Abort.
// Nothing is painted: drawing the open dialogs would cost many times what the answers do.
class DialogDismisser : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint)
            return true;
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && (qobject_cast<QMessageBox*>(dialog) || dialog->inherits("PortSettings")))
                QTimer::singleShot(0, dialog, [dialog] { dialog->done(0); });
        }
        return false;
    }
};

struct Bench {
    std::unique_ptr<QApplication> application;
    std::unique_ptr<QTemporaryDir> configHome;
    std::unique_ptr<Sim::PtyPair> radio;
    std::unique_ptr<DialogDismisser> dismisser;
    std::unique_ptr<Corvane> window;
};
Bench* bench = nullptr;

// Qt's warnings (the offscreen platform's about window sizes, for one) would cost more than the
// answers; the window's trace is off as in use.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::abort();
    }
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "window_fuzz: %s\n", what);
    std::abort();
}

// Runs what the bytes set going that does not wait for a time: queued calls, closed dialogs'
// deletion; and takes what the window wrote off the line so the line never fills.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    bench->radio->readAvailable();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    bench = new Bench;
    bench->configHome = std::make_unique<QTemporaryDir>();
    if (!bench->configHome->isValid())
        Fail("no temporary folder");
    qputenv("XDG_CONFIG_HOME", bench->configHome->path().toUtf8());
    bench->application = std::make_unique<QApplication>(*argc, *argv);
    bench->radio = std::make_unique<Sim::PtyPair>();
    // A state.db that names the pseudo-terminal, as an earlier run would have left it.
    if (!Storage::StorePortIn(bench->configHome->path() + "/Corvane", bench->radio->slavePath(), 38400))
        Fail("cannot write state.db");
    bench->dismisser = std::make_unique<DialogDismisser>();
    bench->application->installEventFilter(bench->dismisser.get());
    bench->window = std::make_unique<Corvane>();
    settle();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    Corvane& window = *bench->window;
    const std::uint8_t scene = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    // The scene: nothing left of an earlier input's half answer; a read-back under way or not;
    // a memory scan under way or not.
    Access::receiveBuffer(window).clear();
    const bool readBack = scene & 0x01;
    if (readBack && !Access::readBackInProgress(window))
        Access::beginReadBack(window);
    else if (!readBack && Access::readBackInProgress(window))
        Access::stopReadBack(window);
    const bool scan = scene & 0x02;
    if (scan && !Access::memoryScanActive(window))
        Access::beginMemoryScan(window);
    else if (!scan && Access::memoryScanActive(window))
        Access::stopMemoryScan(window);

    // The bytes arrive in reads of 1 to 64 bytes, as a slow or a fast line delivers them.
    const std::size_t chunk = static_cast<std::size_t>(scene >> 2) + 1;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        Access::receiveBuffer(window).append(bytes, at, chunk);
        window.OnRadioRead();
    }
    settle();
    return 0;
}
