// Rounding a written decimal number to a whole one exactly, without floating point, so that
// every C++ library (the browser build's has no floating-point from_chars) reads levels alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tk {

// `number` is "[-]digits[.digits][e[+|-]digits]" with at least one digit before the
// exponent. Its exact value rounded to the nearest whole number, halves to the even
// neighbour; empty when that lies beyond ±limit. Anything not of that form reads as 0.
std::optional<std::int64_t> roundDecimal(std::string_view number, std::int64_t limit);

}  // namespace tk
