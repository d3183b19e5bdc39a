// What a CW keyer memory may hold: the characters the radio can key, at most 50 of them. A ";"
// would end the KM command and the radio would run the rest as commands of their own, and a
// "}" ends the message, so neither is ever part of a text.
#pragma once

#include <QString>
#include <QValidator>

#include <optional>
#include <string>

namespace KeyerText {

// A memory holds 50 characters, the closing "}" among them.
constexpr int capacity = 50;

// Letters, digits, the space and the CW punctuation.
bool Keyable(QChar c);

// The line edits take keyable text only, in capitals, as it is sent.
class Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// The KM text for `typed`: in capitals, cut to the memory's size, closed with "}" while there
// is room for it; nothing when any character cannot be keyed.
std::optional<std::string> ForRadio(const QString& typed);

} // namespace KeyerText
