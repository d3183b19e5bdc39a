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

// During the scan every answer is the channel asked for, whatever its channel field says.
// Outside it, a channel's tag names the memory channel the radio is on.
void Corvane::onMemoryChannelAnswer(CAT::ChannelRecord channel) {
    if (!memoryScanActive) {
        if (channel.tagEnabled == 1)
            ui.VFO->setText(QString::fromStdString(channel.tagName).trimmed());
        return;
    }
    channel.channel = memoryScanChannel;
    memoryChannels.push_back(channel);
    if (memoryEditor)
        memoryEditor->AddChannelRow(channel);
    advanceMemoryScan();
}

void Corvane::advanceMemoryScan() {
    ++memoryScanChannel;
    if (memoryScanChannel > lastScannedChannel || !sendIfOpen(CAT::ReadMT(memoryScanChannel), false)) {
        stopMemoryScan();
        return;
    }
    memoryScanTimer->start();
}

void Corvane::stopMemoryScan() {
    memoryScanActive = false;
    memoryScanChannel = 1;
    if (memoryScanTimer)
        memoryScanTimer->stop();
}

void Corvane::onMemoryChannelUnanswered() {
    if (!memoryScanActive)
        return;
    Trace(fmt::format("memory channel {:d} unanswered\r\n", memoryScanChannel));
    advanceMemoryScan();
}
