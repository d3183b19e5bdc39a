// Typed frequencies, the two tuning dials and the clarifier.
#include "app/Corvane.h"
#include "app/answers/guards.h"
#include "app/panel/button_look.h"
#include "app/panel/frequency_text.h"
#include "app/timeouts.h"

#include <QApplication>
#include <QStatusBar>

#include <array>

namespace CAT = Yaesu::Commands::FT891;

namespace {

// Fast tuning (FST) moves both dials in steps of 100 Hz.
constexpr unsigned int fastStep = 100;

// VFO B has no dial-step setting of its own: 5 Hz in CW, 10 Hz otherwise.
constexpr unsigned int cwStepB = 5;
constexpr unsigned int otherStepB = 10;

// The clarifier moves in steps of 5 Hz, one per dial notch.
constexpr int clarifierStep = 5;

// One step of a dial: up or down by `step`, never below 0 Hz.
unsigned int stepped(unsigned int frequency, int direction, unsigned int step) {
    if (direction > 0)
        return frequency + step;
    if (direction < 0)
        return frequency > step ? frequency - step : 0;
    return frequency;
}

int toward(int from, int to) {
    return (to > from) - (to < from);
}

} // namespace

std::optional<int> Corvane::typedFrequency(const QLineEdit* edit) {
    const std::optional<int> hertz = ParseTypedFrequency(edit->text());
    if (!hertz)
        statusBar()->showMessage(
            QString("\"%1\" is not a frequency from 0.030.000 to 56.000.000").arg(edit->text()), 5000);
    return hertz;
}

// The answers to the reads redisplay both VFOs; the line edits are left as typed.
void Corvane::on_VFO_returnPressed() {
    if (const std::optional<int> hertz = typedFrequency(ui.VFO); hertz && sendIfOpen(CAT::SetFA(*hertz)))
        write(CAT::ReadIF(), false);
}

void Corvane::on_VFOB_returnPressed() {
    if (const std::optional<int> hertz = typedFrequency(ui.VFOB);
        hertz && sendIfOpen(CAT::SetFB(*hertz), false))
        write(CAT::ReadOI(), false);
}

bool Corvane::frequencyKnown(unsigned int hertz, const char* vfo) {
    if (hertz != 0)
        return true;
    statusBar()->showMessage(
        QString("VFO %1's frequency is not known yet (the radio has not reported it): nothing is tuned")
            .arg(vfo),
        5000);
    return false;
}

// A burst lasts while clicks follow each other; the radio's report of the last one ends it
// early. Answers lag clicks by several steps on a slow line: a burst that stepped from them
// would lose steps and fall back.
bool Corvane::burstInFlight(TuningBurst& burst) {
    if (burst.target != 0 && chainClock.elapsed() - burst.lastClickAt > readTimeoutMs)
        burst.target = 0;
    return burst.target != 0;
}

unsigned int Corvane::tuningBase(TuningBurst& burst, unsigned int reported) {
    return burstInFlight(burst) ? burst.target : reported;
}

void Corvane::tuneTo(TuningBurst& burst, unsigned int frequency) {
    burst.target = frequency;
    burst.lastClickAt = chainClock.elapsed();
}

void Corvane::reportFrequency(TuningBurst& burst, unsigned int& known, unsigned int hertz) {
    known = hertz;
    if (burst.target == hertz)
        burst.target = 0;
}

// Position 0 stands for "no position known yet", so the first movement always steps up.
void Corvane::on_dial_VFOA_valueChanged(int position) {
    if (!frequencyKnown(vfoAFrequency, "A"))
        return;
    const bool fast = ShowsColour(ui.btnFST, OnColour());
    const unsigned int step = fast ? fastStep : static_cast<unsigned int>(dialStep());
    unsigned int frequency = tuningBase(tuningA, vfoAFrequency);
    const auto roundFast = [&] {
        if (fast)
            frequency -= frequency % fastStep;
    };
    if (dialAPrevious == 0) {
        dialAPrevious = position;
        roundFast();
        frequency += step;
    } else if (position != dialAPrevious) {
        frequency = stepped(frequency, toward(dialAPrevious, position), step);
        roundFast();
        dialAPrevious = position;
    }
    if (sendIfOpen(CAT::SetFA(static_cast<int>(frequency)), false))
        tuneTo(tuningA, frequency);
}

void Corvane::on_dial_VFOB_valueChanged(int position) {
    if (!frequencyKnown(vfoBFrequency, "B"))
        return;
    const bool fast = ShowsColour(ui.btnFST, OnColour());
    const unsigned int step = fast ? fastStep : ui.lblVFOBMode->text().contains("CW") ? cwStepB : otherStepB;
    unsigned int frequency = tuningBase(tuningB, vfoBFrequency);
    if (dialBPrevious == 0 || dialBPrevious < position) {
        frequency += step;
        dialBPrevious = position;
    } else if (position < dialBPrevious) {
        frequency = stepped(frequency, -1, step);
        dialBPrevious = position;
    }
    if (sendIfOpen(CAT::SetFB(static_cast<int>(frequency)), false))
        tuneTo(tuningB, frequency);
}

void Corvane::on_ckClarEnabled_stateChanged(int state) {
    enableClarifierControls(state > 0);
    sendIfOpen(CAT::SetCF(state > 0 ? 1 : 0), false);
}

void Corvane::enableClarifierControls(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{ui.label_15, ui.cbClarSelect, ui.lblClarifierValue,
                                                      ui.dial_Clarifier, ui.btnClearClarifier})
        w->setEnabled(on);
}

// Menu item 05-18: the clarifier acts on RX (0), TX (1) or both (2).
void Corvane::on_cbClarSelectActivated(int index) {
    sendIfOpen(CAT::SetMenu(518, index), false);
}

// The dial runs 0..99 in notches of 5, read as the wanted offset in Hz. Positions the
// program sets (no mouse button held) send nothing; the offset follows with the IF answer.
void Corvane::on_dial_Clarifier_valueChanged(int position) {
    if (!MouseButtonHeld())
        return;
    const int offset = radio.clarifier.reported().offset;
    if (offset == 0 && position == 0)
        sendIfOpen(CAT::SetCF(0), false);
    else if (offset < position)
        sendIfOpen(CAT::SetRU(clarifierStep), false);
    else if (offset > position)
        sendIfOpen(CAT::SetRD(clarifierStep), false);
}

void Corvane::on_btnClearClarifier_clicked() {
    sendIfOpen(CAT::SetRC(), false);
}

void Corvane::on_bnZeroIn_clicked() {
    sendIfOpen(CAT::SetZI(), false);
}

namespace {

// The dial step of VFO A in each mode is a Misc page setting.
struct DialStepSetting {
    int firstMode, lastMode; // cbMode indexes
    QComboBox* Ui_CorvaneClass::*combo;
    std::array<int, 3> steps; // Hz by the combo's index; 0 where it has no such item
};
// clang-format off
constexpr DialStepSetting dialStepSettings[] = {
    // modes     setting                              steps
    {0,  1,      &Ui_CorvaneClass::cbSSBDialStep,     {2,  5,   10}},  // LSB, USB
    {2,  9,      &Ui_CorvaneClass::cbDialDialStep,    {2,  5,   10}},  // SSB, CW, RTTY, DATA
    {10, 11,     &Ui_CorvaneClass::cbAmDialStep,      {10, 100, 0}},   // AM
    {12, 13,     &Ui_CorvaneClass::cbFmDialStep,      {2,  5,   10}},  // FM
};
// clang-format on

} // namespace

int Corvane::dialStep() const {
    const int mode = ui.cbMode->currentIndex();
    for (const DialStepSetting& setting : dialStepSettings) {
        if (mode < setting.firstMode || mode > setting.lastMode)
            continue;
        const int index = (ui.*setting.combo)->currentIndex();
        return index >= 0 && index < 3 ? setting.steps[static_cast<size_t>(index)] : 0;
    }
    return 0;
}
