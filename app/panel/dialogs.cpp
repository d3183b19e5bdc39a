// The General page's contour, notch and memory editor buttons, and what the operator changes
// in their dialogs.
#include "app/Corvane.h"
#include "app/panel/look.h"
#include "dialogs/ContourUI.h"
#include "dialogs/ManualNotchUI.h"
#include "dialogs/MemoryChannelEditorUI.h"

#include <QSerialPort>
#include <QTimer>

namespace CAT = Yaesu::Commands::FT891;

namespace {
// Menu items of the contour filter and the IF notch.
constexpr int contourLevelItem = 1202;
constexpr int contourWidthItem = 1203;
constexpr int notchWidthItem = 1204;
// The radio does not answer an empty channel's read at all on some firmware; give it this long.
constexpr int memoryChannelTimeoutMs = 2000;
} // namespace

// Switching on puts the stored frequency, width and level back (they go out first, with the
// stored switch), or asks the radio for its own when nothing is stored; the switch itself last.
void Corvane::on_btnContour_clicked() {
    if (ShowsColour(ui.btnContour, OnColour())) {
        paintButton(ui.btnContour, defaultButtonColour);
        sendIfOpen(CAT::SetCO({0, 0}));
        return;
    }
    paintButton(ui.btnContour, OnColour());
    if (!serialPort || !serialPort->isOpen())
        return;
    std::vector<std::string> commands = {CAT::SetCO({0, 1})};
    if (!LoadContourSettings())
        commands.insert(commands.end(), {CAT::ReadCO(0), CAT::ReadCO(1), CAT::ReadMenu(contourLevelItem),
                                         CAT::ReadMenu(contourWidthItem)});
    for (const std::string& command : commands)
        sendIfOpen(command);
}

void Corvane::on_btnNotch_clicked() {
    if (ShowsColour(ui.btnNotch, OnColour())) {
        paintButton(ui.btnNotch, defaultButtonColour);
        for (const std::string& command : {CAT::SetBP({0, 0}), CAT::ReadBP(0)})
            sendIfOpen(command, false);
        return;
    }
    paintButton(ui.btnNotch, OnColour());
    for (const std::string& command :
         {CAT::SetBP({0, 1}), CAT::ReadBP(0), CAT::ReadBP(1), CAT::ReadMenu(notchWidthItem)})
        sendIfOpen(command, false);
}

// Opens the editor (one at most) and reads channels 1-99 into it, one channel at a time. The
// scan starts only when its first read went out, so a closed port never leaves it running.
void Corvane::on_btnMemEdit_clicked() {
    if (memoryScanActive)
        return;
    memoryChannels.clear();
    if (!memoryEditor) {
        memoryEditor = new MemoryChannelEditorUI(this);
        memoryEditor->setAttribute(Qt::WA_DeleteOnClose);
        // OK's rows go out before the editor is let go (accepted comes before finished).
        connect(memoryEditor, &QDialog::accepted, this, &Corvane::writeMemoryChannels);
        connect(memoryEditor, &QDialog::finished, this, [this] {
            stopMemoryScan();
            memoryEditor = nullptr;
        });
    }
    // A new scan starts from an empty table: no channel is written twice.
    memoryEditor->clearChannels();
    memoryEditor->setModal(true);
    memoryEditor->show();
    if (!memoryScanTimer) {
        memoryScanTimer = new QTimer(this);
        memoryScanTimer->setSingleShot(true);
        memoryScanTimer->setInterval(memoryChannelTimeoutMs);
        connect(memoryScanTimer, &QTimer::timeout, this, &Corvane::onMemoryChannelUnanswered);
    }
    stopMemoryScan();
    memoryScanActive = readMemoryChannel(memoryScanChannel);
}

void Corvane::writeMemoryChannels() {
    if (!memoryEditor)
        return;
    for (const CAT::ChannelRecord& channel : memoryEditor->confirmedChannels())
        sendIfOpen(CAT::SetMT(channel));
}

void Corvane::on_ContourFrequency_valueChanged(int hz) {
    if (sendIfOpen(CAT::SetCO({1, hz})))
        contourFrequency = hz;
}

void Corvane::on_ContourLevel_valueChanged(int level) {
    if (sendIfOpen(CAT::SetMenu(contourLevelItem, level)))
        contourLevel = level;
}

void Corvane::on_ContourWidth_valueChanged(int width) {
    if (sendIfOpen(CAT::SetMenu(contourWidthItem, width)))
        contourWidth = width;
}

void Corvane::on_hsNotchLevelValueChanged(int value) {
    if (sendIfOpen(CAT::SetBP({1, value})))
        notchPosition = value;
}

void Corvane::on_cbIFNotchActivated(int index) {
    if (!sendIfOpen(CAT::SetMenu(notchWidthItem, index)))
        return;
    notchMenuValue = index;
    if (manualNotchDialog)
        manualNotchDialog->ShowNotchWidth(index);
}

// Opened by the radio's report that the contour is on, filled with what the window knows
// (nothing is sent while it is filled); its settings are stored when it closes.
void Corvane::openContourDialog() {
    auto* dialog = new ContourUI(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    contourDialog = dialog;
    // The read-back asks for the frequency next in any case.
    if (!readBackInProgress)
        write(CAT::ReadCO(1), false);
    if (contourFrequency > 0)
        dialog->ShowContourFrequency(contourFrequency);
    dialog->ShowContourLevel(contourLevel);
    if (contourWidth > 0)
        dialog->ShowContourWidth(contourWidth);
    connect(dialog, &ContourUI::on_ContourFrequency_valueChanged, this,
            &Corvane::on_ContourFrequency_valueChanged);
    connect(dialog, &ContourUI::on_ContourLevel_valueChanged, this, &Corvane::on_ContourLevel_valueChanged);
    connect(dialog, &ContourUI::on_ContourWidth_valueChanged, this, &Corvane::on_ContourWidth_valueChanged);
    // A closed dialog is deleted a moment later; from now on it is not the open one.
    connect(dialog, &QDialog::finished, this, [this] {
        contourDialog = nullptr;
        SaveContourSettings();
    });
    dialog->show();
}

void Corvane::openNotchDialog() {
    auto* dialog = new ManualNotchUI(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    manualNotchDialog = dialog;
    if (notchPosition > 0)
        dialog->ShowNotchFrequency(notchPosition);
    dialog->ShowNotchWidth(notchMenuValue);
    connect(dialog, &ManualNotchUI::on_level_changed, this, &Corvane::on_hsNotchLevelValueChanged);
    connect(dialog, &ManualNotchUI::widthChosen, this, &Corvane::on_cbIFNotchActivated);
    connect(dialog, &QDialog::finished, this, [this] { manualNotchDialog = nullptr; });
    // During the read-back the chain keeps count of every read on the line.
    if (readBackInProgress)
        writeChainRead(CAT::ReadBP(1), false);
    else
        write(CAT::ReadBP(1));
    dialog->show();
}

void Corvane::closeDialogs() {
    stopMemoryScan();
    const std::initializer_list<QDialog*> open = {contourDialog.data(), manualNotchDialog.data(),
                                                  memoryEditor.data()};
    if (contourDialog)
        contourDialog->done(QDialog::Rejected);
    for (QDialog* dialog : open) {
        if (!dialog)
            continue;
        dialog->disconnect(this);
        delete dialog;
    }
}
