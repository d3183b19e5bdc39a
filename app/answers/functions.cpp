#include "app/Corvane.h"

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
    if (state == 0 || state == 1) {
        dnrEnabled = state;
        paintButton(ui.btnDNR, state ? QColor("green") : defaultButtonColour);
    }
}

// The restore at the end of the read-back closes with an AC read; its answer ends the wait.
void Corvane::onTunerAnswer(const std::string& answer) {
    (void)answer;
    onBandChangeStep();
    if (restoreAwaitingAnswer) {
        restoreAwaitingAnswer = false;
        setEnabled(true);
    }
}
