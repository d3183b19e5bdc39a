// One record of what the radio is doing, as it last reported it. The answer handlers write it;
// the panel, the pages and every other part read it and follow its changed() signal.
#pragma once

#include "cat/types.h"

#include <QObject>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace Radio {
Q_NAMESPACE

enum class Field : std::uint8_t {
    FrequencyA,
    FrequencyB,
    Mode, // the radio's mode code
    Width,
    Band, // band code, from VFO A's frequency
    Narrow,
    Split,
    Clarifier,
    Transmit,
    Power,
    PowerLevel, // watts
    SMeter,
    Meter,    // RM readings, by meter
    Function, // function states and levels, by answer kind and selector
    Menu,     // menu item values, by item number
    MemoryChannel,
    Line,
};
Q_ENUM_NS(Field)

// Whether the radio answers: the port is open and it speaks, the port went away, or the port
// is open and the radio has gone quiet.
enum class Line : std::uint8_t { Open, Lost, Silent };

struct Width {
    int code = 0;
    int hertz = 0; // 0: the mode has no width list
    bool operator==(const Width& o) const { return code == o.code && hertz == o.hertz; }
    bool operator!=(const Width& o) const { return !(*this == o); }
};

struct Clarifier {
    bool on = false;
    int offset = 0; // Hz
    bool operator==(const Clarifier& o) const { return on == o.on && offset == o.offset; }
    bool operator!=(const Clarifier& o) const { return !(*this == o); }
};

class RadioState;

// One value of the radio: unknown until the radio reported it, and pending while a value the
// operator or a client set has not been confirmed by a report.
template <typename T> class Value {
public:
    bool known() const { return reported_.has_value(); }
    bool pending() const { return set_.has_value(); }
    // The radio's last report, or `otherwise` while there is none.
    T reported(T otherwise = T{}) const { return reported_.value_or(otherwise); }
    // What a reader that just set the value expects to read back: the set while it is pending.
    std::optional<T> read() const { return set_ ? set_ : reported_; }

private:
    friend class RadioState;
    // Each returns whether what read() gives changed.
    bool report(const T& value) {
        const std::optional<T> before = read();
        reported_ = value;
        set_.reset();
        return before != read();
    }
    bool noteSet(const T& value) {
        const std::optional<T> before = read();
        set_ = value;
        return before != read();
    }
    bool forget() {
        const bool had = reported_ || set_;
        reported_.reset();
        set_.reset();
        return had;
    }
    std::optional<T> reported_, set_;
};

// Values of one kind by a key (a menu item, a memory channel).
template <typename Key, typename T> class Values {
public:
    const Value<T>& operator[](const Key& key) const {
        static const Value<T> unknown;
        const auto found = values_.find(key);
        return found == values_.end() ? unknown : found->second;
    }
    // The known values, by key.
    std::map<Key, T> reported() const {
        std::map<Key, T> known;
        for (const auto& [key, value] : values_)
            if (value.known())
                known.emplace(key, value.reported());
        return known;
    }

private:
    friend class RadioState;
    std::map<Key, Value<T>> values_;
};

// A function state or level: the answer kind and its selector (0 for single-value kinds).
using FunctionKey = std::pair<Yaesu::Commands::FT891::CommandType, int>;

class RadioState : public QObject {
    Q_OBJECT

public:
    explicit RadioState(QObject* parent = nullptr);

    Value<unsigned int> frequencyA, frequencyB;
    Value<int> mode;
    Value<Width> width;
    Value<int> band;
    Value<bool> narrow;
    Value<bool> split;
    Value<Clarifier> clarifier;
    Value<bool> transmitting;
    Value<bool> powerOn;
    Value<int> powerWatts;
    Value<int> sMeter; // 0-255
    Values<int, int> meters;
    Values<FunctionKey, int> functions;
    Values<int, std::string> menu; // the value field of the item's last answer
    Values<int, Yaesu::Commands::FT891::ChannelRecord> memoryChannels;
    Value<Line> line;

    // The radio reported a value: it is known, and a set of it is confirmed.
    template <typename T> void report(Value<T> RadioState::*value, Field field, const T& reported) {
        if ((this->*value).report(reported))
            emit changed(field);
    }
    template <typename Key, typename T>
    void report(Values<Key, T> RadioState::*values, Field field, const Key& key, const T& reported) {
        if ((this->*values).values_[key].report(reported))
            emit changed(field);
    }
    // The operator or a client set a value the radio has not confirmed yet.
    template <typename T> void noteSet(Value<T> RadioState::*value, Field field, const T& set) {
        if ((this->*value).noteSet(set))
            emit changed(field);
    }

    // The line is back: every value is unknown until the radio reports it again.
    void lineOpened();
    // The port went away: nothing is known of the radio any more.
    void lineLost();
    // The radio stopped answering on an open port; what it last said stays as it was.
    void radioSilent();
    // The radio was switched off: its values are unknown until it is on again.
    void poweredOff();

signals:
    void changed(Radio::Field field);

private:
    void forgetAll(bool keepPower = false);
};

} // namespace Radio
