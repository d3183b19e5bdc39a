// The record of the radio on its own: known, pending and unknown values, and its signal.
#include "radio/radio_state.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

using Radio::Field;
using Radio::RadioState;
using Kind = Yaesu::Commands::FT891::CommandType;

namespace {

std::vector<Field> fieldsOf(const QSignalSpy& spy) {
    std::vector<Field> fields;
    for (const QList<QVariant>& arguments : spy)
        fields.push_back(arguments.at(0).value<Field>());
    return fields;
}

} // namespace

TEST(RadioStateTest, AValueIsUnknownUntilReportedAndChangesOnlyWhenItDiffers) {
    RadioState radio;
    QSignalSpy changes(&radio, &RadioState::changed);
    EXPECT_FALSE(radio.frequencyA.known());
    EXPECT_FALSE(radio.frequencyA.read());
    EXPECT_EQ(radio.frequencyA.reported(), 0u);

    radio.report(&RadioState::frequencyA, Field::FrequencyA, 14074000u);
    radio.report(&RadioState::frequencyA, Field::FrequencyA, 14074000u);
    radio.report(&RadioState::width, Field::Width, Radio::Width{10, 1950});
    EXPECT_TRUE(radio.frequencyA.known());
    EXPECT_EQ(radio.frequencyA.read(), 14074000u);
    EXPECT_EQ(radio.width.reported().hertz, 1950);
    // The same report twice is one change.
    EXPECT_EQ(fieldsOf(changes), (std::vector<Field>{Field::FrequencyA, Field::Width}));
}

// A client sets 7.074555 MHz and reads at once: it reads what it set until the radio answers,
// and then what the radio says, even where the radio rounded it.
TEST(RadioStateTest, ASetIsReadBackUntilTheRadioConfirmsIt) {
    RadioState radio;
    radio.report(&RadioState::frequencyA, Field::FrequencyA, 14074000u);
    QSignalSpy changes(&radio, &RadioState::changed);

    radio.noteSet(&RadioState::frequencyA, Field::FrequencyA, 7074555u);
    EXPECT_TRUE(radio.frequencyA.pending());
    EXPECT_EQ(radio.frequencyA.read(), 7074555u);
    EXPECT_EQ(radio.frequencyA.reported(), 14074000u);

    radio.report(&RadioState::frequencyA, Field::FrequencyA, 7074550u);
    EXPECT_FALSE(radio.frequencyA.pending());
    EXPECT_EQ(radio.frequencyA.read(), 7074550u);
    EXPECT_EQ(changes.count(), 2);

    // A set the radio confirms with the value set changes nothing more.
    radio.noteSet(&RadioState::split, Field::Split, true);
    radio.report(&RadioState::split, Field::Split, true);
    EXPECT_EQ(fieldsOf(changes).back(), Field::Split);
    EXPECT_EQ(changes.count(), 3);
}

TEST(RadioStateTest, KeyedValuesAreKnownOneByOne) {
    RadioState radio;
    radio.report(&RadioState::menu, Field::Menu, 1107, std::string("1"));
    radio.report(&RadioState::functions, Field::Function, Radio::FunctionKey{Kind::PR, 1}, 1);
    EXPECT_EQ(radio.menu[1107].reported(), "1");
    EXPECT_FALSE(radio.menu[707].known());
    EXPECT_EQ((radio.functions[{Kind::PR, 1}].read()), 1);
    EXPECT_FALSE((radio.functions[{Kind::PR, 0}].known()));
    EXPECT_EQ(radio.menu.reported(), (std::map<int, std::string>{{1107, "1"}}));
}

// After a line loss or a power off nothing of the radio is known; each field that knew
// something says so once, and a silent radio keeps what it last said.
TEST(RadioStateTest, LineLossAndPowerOffForgetEverything) {
    struct Case {
        const char* name;
        void (RadioState::*event)();
        Radio::Line line;
        bool powerKnown;
    };
    const Case cases[] = {
        {"line lost", &RadioState::lineLost, Radio::Line::Lost, false},
        {"line opened again", &RadioState::lineOpened, Radio::Line::Open, false},
        {"powered off", &RadioState::poweredOff, Radio::Line::Open, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioState radio;
        radio.report(&RadioState::line, Field::Line, Radio::Line::Open);
        radio.report(&RadioState::frequencyA, Field::FrequencyA, 7074000u);
        radio.noteSet(&RadioState::transmitting, Field::Transmit, true);
        radio.report(&RadioState::powerOn, Field::Power, true);
        radio.report(&RadioState::menu, Field::Menu, 506, std::string("2"));
        QSignalSpy changes(&radio, &RadioState::changed);

        (radio.*c.event)();
        EXPECT_FALSE(radio.frequencyA.known());
        EXPECT_FALSE(radio.transmitting.read());
        EXPECT_FALSE(radio.menu[506].known());
        EXPECT_EQ(radio.line.reported(), c.line);
        EXPECT_EQ(radio.powerOn.known(), c.powerKnown);
        EXPECT_FALSE(radio.powerOn.reported());
        const std::vector<Field> fields = fieldsOf(changes);
        for (Field f : {Field::FrequencyA, Field::Transmit, Field::Power, Field::Menu})
            EXPECT_EQ(std::count(fields.begin(), fields.end(), f), 1) << static_cast<int>(f);
    }

    RadioState radio;
    radio.report(&RadioState::frequencyA, Field::FrequencyA, 7074000u);
    radio.radioSilent();
    EXPECT_EQ(radio.frequencyA.read(), 7074000u);
    EXPECT_EQ(radio.line.reported(), Radio::Line::Silent);
}
