#pragma once

#include <QSignalBlocker>

// Shows a value the radio reported: the widget takes it with its signals blocked, so no
// handler of the operator's runs and nothing goes back to the radio.
template <class Widget, class Setter, class Value> void ShowQuietly(Widget* widget, Setter set, Value value) {
    const QSignalBlocker blocker(widget);
    (widget->*set)(value);
}
