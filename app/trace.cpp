#include "app/trace.h"

Q_LOGGING_CATEGORY(corvaneTrace, "corvane.trace", QtInfoMsg)

void Trace(std::string_view line) {
    qCDebug(corvaneTrace).noquote() << QString::fromUtf8(line.data(), static_cast<int>(line.size()));
}
