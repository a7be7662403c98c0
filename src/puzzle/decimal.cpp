// The exact rounding of a decimal number: its digits are shifted by the exponent and the
// digits after the point decide the rounding, so no value is ever approximated.
#include "puzzle/decimal.h"

#include <string>

namespace tk {

std::optional<std::int64_t> roundDecimal(std::string_view number, std::int64_t limit) {
    std::size_t i = 0;
    const bool negative = i < number.size() && number[i] == '-';
    if (negative) ++i;
    // The significant digits, and the power of ten the last of them stands for.
    std::string digits;
    std::int64_t exponent = 0;
    bool anyDigit = false;
    for (bool afterPoint = false; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!(digits.empty() && c == '0')) digits += c;
            if (afterPoint) --exponent;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;
    if (i < number.size()) {
        if (number[i] != 'e' && number[i] != 'E') return 0;
        ++i;
        const bool negativeExponent = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        // Far past any number of digits a line can hold, the exponent only needs to stay large.
        constexpr std::int64_t kFar = std::int64_t{1} << 40;
        std::int64_t e = 0;
        bool expDigit = false;
        for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
            expDigit = true;
            if (e < kFar) e = e * 10 + (number[i] - '0');
        }
        if (!expDigit || i != number.size()) return 0;
        exponent += negativeExponent ? -e : e;
    }
    if (digits.empty()) return 0;

    // The whole part is the first `wholeDigits` digits; the rest is the fraction.
    const std::int64_t wholeDigits = static_cast<std::int64_t>(digits.size()) + exponent;
    std::int64_t whole = 0;
    for (std::int64_t d = 0; d < wholeDigits; ++d) {
        const int digit = d < static_cast<std::int64_t>(digits.size()) ? digits[static_cast<std::size_t>(d)] - '0' : 0;
        whole = whole * 10 + digit;
        if (whole > limit + 1) return std::nullopt;
    }
    // The fraction against one half: its first digit, then whether anything follows.
    if (wholeDigits >= 0 && wholeDigits < static_cast<std::int64_t>(digits.size())) {
        const std::size_t first = static_cast<std::size_t>(wholeDigits);
        const int lead = digits[first] - '0';
        const bool more = digits.find_first_not_of('0', first + 1) != std::string::npos;
        if (lead > 5 || (lead == 5 && (more || whole % 2 != 0))) ++whole;
    }
    if (whole > limit) return std::nullopt;
    return negative ? -whole : whole;
}

}  // namespace tk
