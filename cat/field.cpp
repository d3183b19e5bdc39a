#include "cat/field.h"

#include <climits>
#include <cstdint>
#include <stdexcept>

namespace Yaesu::Commands::FT891 {

namespace {

// isspace() of the "C" locale.
constexpr bool IsSpace(unsigned char c) noexcept {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Value of c as a digit of `base`, or -1.
constexpr int DigitValue(unsigned char c, int base) noexcept {
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'z') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'Z') {
        d = c - 'A' + 10;
    }
    return d < base ? d : -1;
}

[[noreturn]] void ThrowPosition() {
    throw std::out_of_range(kInvalidPosition);
}

} // namespace

int ReadField(const std::string& answer, std::size_t offset, std::size_t width, int base) {
    const std::size_t size = answer.size();
    if (size < offset) {
        ThrowPosition();
    }
    // The field: at most `width` characters from the offset. std::stoi works on the
    // c_str() of the substring, so an embedded NUL ends the text as well; NUL is neither a
    // space, a sign nor a digit, so the scan below stops at it by itself.
    const std::size_t rest = size - offset;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(answer.data()) + offset;
    const unsigned char* const end = p + (width < rest ? width : rest);

    while (p != end && IsSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (base == 16 && end - p >= 3 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        DigitValue(p[2], 16) >= 0) {
        p += 2; // strtol's optional "0x" prefix; "0x" without a hex digit after it reads as 0
    }
    if (p == end || DigitValue(*p, base) < 0) {
        throw std::invalid_argument(kInvalidArgument);
    }
    // Accumulate the magnitude; anything beyond |INT_MIN| is out of range for either sign.
    constexpr std::int64_t limit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    bool overflow = false;
    for (int d; p != end && (d = DigitValue(*p, base)) >= 0; ++p) {
        if (!overflow) {
            magnitude = magnitude * base + d;
            overflow = magnitude > limit;
        }
    }
    if (overflow || (!negative && magnitude > INT_MAX)) {
        throw std::out_of_range(kOutOfRange);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string ReadText(const std::string& answer, std::size_t offset, std::size_t count) {
    if (answer.size() < offset) {
        ThrowPosition();
    }
    return answer.substr(offset, count);
}

int ReadChannelField(const std::string& answer) {
    if (answer.size() < 2) {
        ThrowPosition();
    }
    const std::size_t rest = answer.size() - 2;
    if (rest >= 3 && answer.compare(2, 3, "EMG") == 0) {
        return 600;
    }
    if (rest >= 1 && answer[2] == 'P') {
        const int n = ReadField(answer, 3, 1);
        if (n < 1 || n > 9) {
            return 0;
        }
        const bool upper = rest >= 3 && answer[4] == 'U';
        return 100 + 2 * (n - 1) + (upper ? 1 : 0);
    }
    return ReadField(answer, 2, 3);
}

} // namespace Yaesu::Commands::FT891
