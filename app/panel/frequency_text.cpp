#include "app/panel/frequency_text.h"

#include <stdexcept>

#include <fmt/format.h>

QString FrequencyDisplay(int hertz) {
    if (hertz < 0)
        throw std::out_of_range("negative frequency");
    return QString::fromStdString(
        fmt::format("{:d}.{:03}.{:03}", hertz / 1000000, (hertz / 1000) % 1000, hertz % 1000));
}

namespace {

// Enough digits for any frequency in range, few enough that the sum cannot overflow.
constexpr int longestDigitRun = 12;

std::optional<long long> digitsValue(const QString& digits) {
    if (digits.size() > longestDigitRun)
        return std::nullopt;
    long long value = 0;
    for (QChar c : digits) {
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// "14.074" or "7,1": whole megahertz, then at most six decimals down to the hertz.
std::optional<long long> megahertzValue(const QString& text, QChar separator) {
    const int at = text.indexOf(separator);
    const QString whole = text.left(at);
    QString fraction = text.mid(at + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || fraction.size() > 6)
        return std::nullopt;
    fraction = fraction.leftJustified(6, '0');
    const auto megahertz = digitsValue(whole);
    const auto hertz = digitsValue(fraction);
    if (!megahertz || !hertz)
        return std::nullopt;
    return *megahertz * 1000000 + *hertz;
}

} // namespace

std::optional<int> ParseTypedFrequency(const QString& typed) {
    const QString text = typed.trimmed();
    const int stops = text.count('.');
    const int commas = text.count(',');
    std::optional<long long> hertz;
    if (text.isEmpty())
        return std::nullopt;
    if (stops + commas == 0)
        hertz = digitsValue(text);
    else if (stops + commas == 1)
        hertz = megahertzValue(text, stops == 1 ? QChar('.') : QChar(','));
    else if (commas == 0)
        hertz = digitsValue(QString(text).remove('.'));
    if (!hertz || *hertz < lowestFrequency || *hertz > highestFrequency)
        return std::nullopt;
    return static_cast<int>(*hertz);
}
