// How the front panel shows things: the on/off colours of its buttons, the busy and transmit
// colours of the busy label, the held-mouse guard, and showing a value the radio reported
// without running the operator's handlers. Answers and operator handlers alike use these.
#pragma once

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QPalette>
#include <QSignalBlocker>
#include <QWidget>

// A function switched on: its button's Button role.
inline const QColor& OnColour() {
    static const QColor green("green");
    return green;
}
// The power button while the radio is on.
inline const QColor& PowerOnColour() {
    static const QColor red("red");
    return red;
}
// The busy label (Window role) while the radio transmits, and while its receiver is busy.
inline QColor TransmitColour() {
    return Qt::red;
}
inline QColor BusyColour() {
    return Qt::blue;
}

// A front panel button keeps its on/off state only in its colour.
inline bool ShowsColour(const QWidget* button, const QColor& colour) {
    return button->palette().color(QPalette::Button) == colour;
}

inline void Paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setAutoFillBackground(true);
    widget->setPalette(palette);
    widget->update();
}

// An answer never moves a control the operator is dragging: while any mouse button is held,
// answers skip their display update (their read-back step still runs).
inline bool MouseButtonHeld() {
    return QApplication::mouseButtons() != Qt::NoButton;
}

// What the radio reports is shown with the widget's signals blocked: the operator's handlers
// send, so a report that ran them would be written straight back to the radio.
inline void ShowValue(QAbstractSlider* slider, int value) {
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
}
inline void ShowChecked(QAbstractButton* box, bool checked) {
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}
inline void ShowIndex(QComboBox* box, int index) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}
