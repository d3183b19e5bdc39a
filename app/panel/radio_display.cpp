// The front panel follows the record of the radio: a value the radio reported shows here.
// Labels only: they send nothing, whatever changes them.
#include "app/Corvane.h"

#include <fmt/format.h>

void Corvane::showRadio(Radio::Field field) {
    switch (field) {
    case Radio::Field::Clarifier:
        // A clarifier no longer known (line lost, radio off) keeps its last offset on show.
        if (radio.clarifier.known())
            ui.lblClarifierValue->setText(
                QString::fromStdString(fmt::format("{:d}Hz", radio.clarifier.reported().offset)));
        break;
    default:
        break;
    }
}
