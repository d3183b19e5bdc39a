#include "app/Corvane.h"
#include "app/answers/guards.h"

#include <QSerialPort>

namespace CAT = Yaesu::Commands::FT891;

void Corvane::paintButton(QWidget* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setAutoFillBackground(true);
    button->setPalette(palette);
    button->update();
}

// The radio forgets auto-information over a power cycle; switch it back on.
void Corvane::onAutoInformationAnswer(const std::string& answer) {
    if (CAT::ParseAI(answer) == 0)
        write(CAT::SetAI(1), false);
}

// The first NR answer after a restore ends the disabled state of the read-back.
void Corvane::onNoiseReductionAnswer(const std::string& answer) {
    const int state = CAT::ParseNR(answer);
    if (restoringFromDatabase) {
        setEnabled(true);
        restoringFromDatabase = false;
    }
    if (MouseButtonHeld())
        return;
    dnrEnabled = state;
    paintButton(ui.btnDNR, state != 0 ? QColor("green") : defaultButtonColour);
}

// The level must be on the slider before the read-back stores it for this band and mode, or
// the restore at its end would send the slider's minimum back to the radio.
void Corvane::onNoiseReductionLevelAnswer(const std::string& answer) {
    const int level = CAT::ParseRL(answer);
    if (!MouseButtonHeld())
        ui.DNR->setValue(level);
}

// A restore closes with an AC read; its answer ends the wait of the read-back's end.
void Corvane::onTunerAnswer(const std::string& answer) {
    (void)answer;
    const bool restoreAnswered = restoreInFlight;
    onBandChangeStep();
    if (restoreAnswered)
        setEnabled(true);
}
