#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// A front panel button keeps its on/off state only in its colour (see Corvane::paintButton).
inline bool ShowsColour(const QWidget* button, const QColor& colour) {
    return button->palette().color(QPalette::Button) == colour;
}

inline const QColor& OnColour() {
    static const QColor green("green");
    return green;
}
