#include "radio/radio_state.h"

namespace Radio {

RadioState::RadioState(QObject* parent) : QObject(parent) {
    // For queued connections and signal spies.
    qRegisterMetaType<Field>("Radio::Field");
}

void RadioState::forgetAll(bool keepPower) {
    // Each field that knew something says once that it does no more.
    const std::pair<bool, Field> forgotten[] = {
        {frequencyA.forget(), Field::FrequencyA},
        {frequencyB.forget(), Field::FrequencyB},
        {mode.forget(), Field::Mode},
        {width.forget(), Field::Width},
        {band.forget(), Field::Band},
        {narrow.forget(), Field::Narrow},
        {split.forget(), Field::Split},
        {clarifier.forget(), Field::Clarifier},
        {transmitting.forget(), Field::Transmit},
        {!keepPower && powerOn.forget(), Field::Power},
        {powerWatts.forget(), Field::PowerLevel},
        {sMeter.forget(), Field::SMeter},
        {!std::exchange(meters.values_, {}).empty(), Field::Meter},
        {!std::exchange(functions.values_, {}).empty(), Field::Function},
        {!std::exchange(menu.values_, {}).empty(), Field::Menu},
        {!std::exchange(memoryChannels.values_, {}).empty(), Field::MemoryChannel},
    };
    for (const auto& [was, field] : forgotten)
        if (was)
            emit changed(field);
}

void RadioState::lineOpened() {
    forgetAll();
    report(&RadioState::line, Field::Line, Line::Open);
}

void RadioState::lineLost() {
    forgetAll();
    report(&RadioState::line, Field::Line, Line::Lost);
}

void RadioState::radioSilent() {
    report(&RadioState::line, Field::Line, Line::Silent);
}

void RadioState::poweredOff() {
    forgetAll(true);
    report(&RadioState::powerOn, Field::Power, false);
}

} // namespace Radio
