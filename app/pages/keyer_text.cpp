#include "app/pages/keyer_text.h"

#include <algorithm>

namespace KeyerText {

bool Keyable(QChar c) {
    static const QString punctuation = QStringLiteral(" .,?/=-'():\"+@");
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || punctuation.contains(c);
}

QValidator::State Validator::validate(QString& input, int&) const {
    input = input.toUpper();
    const bool keyable = std::all_of(input.begin(), input.end(), Keyable);
    return keyable && input.size() <= capacity ? Acceptable : Invalid;
}

std::optional<std::string> ForRadio(const QString& typed) {
    QString text = typed;
    text.remove(QStringLiteral("\r\n"));
    text = text.toUpper().left(capacity);
    if (!std::all_of(text.begin(), text.end(), Keyable))
        return std::nullopt;
    std::string bytes = text.toStdString();
    if (bytes.size() < static_cast<size_t>(capacity))
        bytes += '}';
    return bytes;
}

} // namespace KeyerText
