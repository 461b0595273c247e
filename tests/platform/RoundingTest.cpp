#include "platform/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Half away from zero on the decimals a person sees, not on the binary value:
// 2.675 is stored as 2.67499999... and still rounds to 2.68.
TEST(HVXRound, HalfAwayFromZeroOnTheVisibleDecimals) {
    // clang-format off
    const struct { double value; int decimals; double expected; } cases[] = {
        {25.049999999999997, 2, 25.05}, {2.505 * 10, 2, 25.05}, {2.675, 2, 2.68}, {1.005, 2, 1.01},
        {-2.675, 2, -2.68}, {0.125, 2, 0.13}, {-0.125, 2, -0.13}, {12.34565, 4, 12.3457},
        {12.34564, 4, 12.3456}, {99.995, 2, 100.0}, {-99.995, 2, -100.0}, {0.5, 0, 1.0},
        {-0.5, 0, -1.0}, {0.45, 0, 0.0}, {1e-7, 4, 0.0}, {0.00005, 4, 0.0001},
        {123456789012.345, 2, 123456789012.35}, {1234.5, 5, 1234.5}, {0.1 + 0.2, 5, 0.3},
        {0.0, 2, 0.0},
        {1.234567890123, 12, 1.2345678901},  // decimals clamped to 10
        {1.5, -3, 2.0}};                     // decimals clamped to 0
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(HVXRound(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
    EXPECT_FALSE(std::signbit(HVXRound(-0.004, 2))) << "zero has no sign";
    EXPECT_FALSE(std::signbit(HVXRound(-0.0, 2)));
    EXPECT_TRUE(std::isnan(HVXRound(std::nan(""), 2)));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(HVXRound(-inf, 2), -inf);
}

TEST(HVXSRound, WritesExactlyTheDecimals) {
    // clang-format off
    const struct { double value; int decimals; const char* expected; } cases[] = {
        {12.5, 2, "12.50"}, {-0.001, 2, "0.00"}, {-0.004, 2, "0.00"}, {2.675, 2, "2.68"},
        {25.049999999999997, 2, "25.05"}, {99.995, 2, "100.00"}, {0.0625, 6, "0.062500"},
        {-1.2345675, 6, "-1.234568"}, {123456789012.345, 6, "123456789012.345000"},
        {42.4, 0, "42"}, {0.004, 2, "0.00"}, {0.005, 2, "0.01"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(HVXSRound(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

}  // namespace
