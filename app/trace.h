#pragma once

#include <QLoggingCategory>

#include <string_view>

// The debug trace: received answers, unknown answers, database restores and a few fixed
// messages. Off by default; QT_LOGGING_RULES="corvane.trace.debug=true" switches it on.
Q_DECLARE_LOGGING_CATEGORY(corvaneTrace)

// Writes one trace line with its exact text (the line carries its own "\r\n").
void Trace(std::string_view line);
