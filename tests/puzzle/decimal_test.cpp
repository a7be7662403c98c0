// Exact decimal rounding: halves to even however far the deciding digit lies, and the limits.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "puzzle/decimal.h"

using tk::roundDecimal;

TEST(Decimal, RoundsTheExactValueHalvesToEven) {
    const std::vector<std::pair<std::string, long>> cases = {
        {"0", 0},         {"7", 7},        {"-7", -7},       {"2.5", 2},      {"3.5", 4},      {"-2.5", -2},
        {"-3.5", -4},     {"0.5", 0},      {"0.51", 1},      {"0.49", 0},     {".5", 0},       {"1.", 1},
        {"25e-1", 2},     {"35e-1", 4},    {"5e-1", 0},      {"15E-1", 2},    {"1e2", 100},    {"1.25e1", 12},
        {"0.000", 0},     {"000120", 120}, {"-0.4", 0},      {"1e+3", 1000},  {"2.5e0", 2},    {"-32768.5", -32768},
        // Past a double's seventeen digits the digit that decides still counts.
        {"2.50000000000000000000001", 3},
        {"32767.4999999999999999999999", 32767},
        {"-2.49999999999999999999999", -2},
        {"1234567890123456789012345e-21", 1235},
        // Vanishingly small, or zero however large the exponent.
        {"1e-999", 0},    {"9e-99999999999999999999", 0}, {"0e99999999999999999999", 0}, {"0.0e400", 0},
        // Not a number of the expected form.
        {"", 0},          {"-", 0},        {".", 0},         {"e5", 0},       {"1x", 0},       {"1e", 0}};
    for (const auto& [text, want] : cases) {
        const auto got = roundDecimal(text, 32768);
        ASSERT_TRUE(got.has_value()) << '"' << text << '"';
        EXPECT_EQ(*got, want) << '"' << text << '"';
    }
}

TEST(Decimal, BeyondTheLimitIsEmpty) {
    for (const std::string& text : std::vector<std::string>{"32769", "-32769", "32768.5000001", "1e400", "1e99999999999999999999",
                                   "99999999999999999999", std::string(400, '9')})
        EXPECT_FALSE(roundDecimal(text, 32768).has_value()) << text;
    // A half that rounds down to even stays inside, one that rounds up does not.
    EXPECT_EQ(roundDecimal("32768.5", 32768), 32768);
    EXPECT_FALSE(roundDecimal("32767.5", 32767).has_value());
    EXPECT_EQ(roundDecimal("-32767.5", 32768), -32768);
}
