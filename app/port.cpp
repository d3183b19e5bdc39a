#include "app/Corvane.h"

// Closing the port ends the program: the window is its only top-level window.
void Corvane::OnPortClosing() { close(); }
