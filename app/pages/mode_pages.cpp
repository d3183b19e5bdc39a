// The CW and FM pages' controls that are not rows of the page tables: the APF controls
// follow the APF switch, the keyer switch follows the mode, and the tone squelch mode is a
// group of four radio buttons.
#include "app/Corvane.h"

#include <QRadioButton>

namespace CAT = Yaesu::Commands::FT891;

void Corvane::connectModePages() {
    connect(ui.ckAPF, &QCheckBox::toggled, this, &Corvane::enableApfControls);
    enableApfControls(ui.ckAPF->isChecked());
    // A button sends when the operator checks it; the one losing the check says nothing, so
    // one choice is one command. Answers check a button with its signals blocked.
    const auto buttons = toneModeButtons();
    for (int mode = 0; mode < static_cast<int>(buttons.size()); ++mode)
        connect(buttons[mode], &QRadioButton::toggled, this, [this, mode](bool checked) {
            if (checked)
                sendToneMode(mode);
        });
}

void Corvane::enableApfControls(bool on) {
    for (QWidget* widget : {static_cast<QWidget*>(ui.label_4), static_cast<QWidget*>(ui.cbApfWidth),
                            static_cast<QWidget*>(ui.lblAPFPeak), static_cast<QWidget*>(ui.lvlAPF),
                            static_cast<QWidget*>(ui.lblApfLevelValue)})
        widget->setEnabled(on);
}

// cbMode's CWL, CWU and CW entries.
void Corvane::enableKeyerByMode() {
    const int mode = ui.cbMode->currentIndex();
    ui.chkbxKeyerEnable->setEnabled(mode >= 3 && mode <= 5);
}

std::array<QRadioButton*, 4> Corvane::toneModeButtons() const {
    return {ui.rbCTCSSOFF, ui.rbCTCSSENCDECON, ui.rbCTCSSENCON, ui.rbDCSON};
}

void Corvane::sendToneMode(int mode) {
    if (fmLoaded)
        sendIfOpen(CAT::SetCT(mode), false);
}
