#pragma once

#include <QApplication>

// An answer never moves a control the operator is dragging: while any mouse button is held,
// answers skip their display update (their read-back step still runs).
inline bool MouseButtonHeld() {
    return QApplication::mouseButtons() != Qt::NoButton;
}
