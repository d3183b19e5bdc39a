// The radio's reports of the contour filter, the manual notch and its memory channels: they
// open, feed and close the dialogs, and drive the memory channel scan.
#include "app/Corvane.h"
#include "app/panel/look.h"
#include "app/trace.h"
#include "dialogs/ContourUI.h"
#include "dialogs/ManualNotchUI.h"
#include "dialogs/MemoryChannelEditorUI.h"

#include <QSerialPort>
#include <QTimer>

#include <algorithm>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {
constexpr int lastScannedChannel = 99;
} // namespace

// The contour reported on opens its dialog (one at most); reported off, the dialog closes.
void Corvane::showContourSwitch(CAT::IntPair value) {
    if (value.second == 1) {
        contourEnabled = 1;
        paintButton(ui.btnContour, OnColour());
        if (!contourDialog)
            openContourDialog();
        return;
    }
    paintButton(ui.btnContour, defaultButtonColour);
    contourEnabled = 0;
    if (contourDialog) {
        contourDialog->close();
        contourDialog = nullptr;
    }
}

void Corvane::showContourFrequency(CAT::IntPair value) {
    contourFrequency = value.second;
    if (contourDialog)
        contourDialog->ShowContourFrequency(value.second);
}

void Corvane::onNotchAnswer(CAT::IntPair value) {
    if (value.first == 1) {
        if (MouseButtonHeld())
            return;
        notchPosition = value.second;
        if (manualNotchDialog)
            manualNotchDialog->ShowNotchFrequency(value.second);
        return;
    }
    if (value.first != 0)
        return;
    showOnOff(ui.btnNotch, value.second);
    if (value.second == 1 && !manualNotchDialog) {
        openNotchDialog();
    } else if (value.second == 0 && manualNotchDialog) {
        manualNotchDialog->close();
        manualNotchDialog = nullptr;
    }
}

// An answer names its channel: the scan files it under that number when the scan has read that
// channel and the read's ID; answer is still to come (so a late answer after its skip still
// lands in its own row), and drops any other; the answer for the channel asked moves on. Other answers, a
// radio in memory mode asked for its channel's tag, and answers on their way when the scan stopped change
// only the display, and only when they are for the channel the radio is on.
void Corvane::onMemoryChannelAnswer(CAT::ChannelRecord channel) {
    if (memoryChannelOn != 0 && channel.channel == memoryChannelOn && channel.tagEnabled == 1)
        ui.VFO->setText(QString::fromStdString(channel.tagName).trimmed());
    if (!memoryScanActive)
        return;
    if (std::find(memoryScanFences.begin(), memoryScanFences.end(), channel.channel) ==
        memoryScanFences.end()) {
        Trace(fmt::format("memory channel {:d} not read by the scan: dropped\r\n", channel.channel));
        return;
    }
    memoryChannels.push_back(channel);
    if (memoryEditor)
        memoryEditor->AddChannelRow(channel);
    // The channel asked for has answered: the next one need not wait for the ID answer.
    if (channel.channel == memoryScanChannel)
        advanceMemoryScan();
}

// The radio answers in the order it was asked, so everything it had to say about a channel
// comes before the ID answer behind that channel's read: a channel with no MT answer by then
// is empty (whatever "?;" came meanwhile, which may refuse any other command). The ID answer
// of a channel skipped for its silence closes that channel alone.
void Corvane::onMemoryScanFence() {
    if (memoryScanFences.empty())
        return;
    const int channel = memoryScanFences.front();
    memoryScanFences.pop_front();
    if (channel == memoryScanChannel)
        advanceMemoryScan();
}

void Corvane::advanceMemoryScan() {
    ++memoryScanChannel;
    if (memoryScanChannel > lastScannedChannel || !readMemoryChannel(memoryScanChannel))
        stopMemoryScan();
}

// The channel's read with the ID read behind it, its fence.
bool Corvane::readMemoryChannel(int channel) {
    if (!sendIfOpen(CAT::ReadMT(channel), false) || !sendIfOpen(CAT::ReadID(), false))
        return false;
    memoryScanFences.push_back(channel);
    memoryScanTimer->start();
    return true;
}

void Corvane::stopMemoryScan() {
    memoryScanActive = false;
    memoryScanChannel = 1;
    memoryScanFences.clear();
    if (memoryScanTimer)
        memoryScanTimer->stop();
}

void Corvane::onMemoryChannelUnanswered() {
    if (!memoryScanActive)
        return;
    Trace(fmt::format("memory channel {:d} unanswered\r\n", memoryScanChannel));
    if (memoryEditor)
        memoryEditor->noteUnanswered(memoryScanChannel);
    advanceMemoryScan();
}
