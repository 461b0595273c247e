// Texts and numbers as written: formats with SQL quoting, rounding, buffers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/Rounding.h"
#include "platform/Text.h"

namespace {

struct FormatCase {
    const char* format;
    std::vector<hvx::FmtArg> args;
    std::string expected;
};

void ExpectAll(const std::vector<FormatCase>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(hvx::FormatArgs(c.format, c.args), c.expected) << c.format;
}

TEST(FormatArgs, ConversionsFollowPrintfWhateverTheArgumentHolds) {
    // clang-format off
    ExpectAll({
        {"%08li|%.4f", {42L, 12.5}, "00000042|12.5000"},
        {"%0f", {122.6}, "123"},  // the record number format
        {"%0.2f|%06.1f", {3.14159, 2.5}, "3.14|0002.5"},
        {"[%-5d]%+d|% d|%#x", {7, 5, 3, 255}, "[7    ]+5| 3|0xff"},
        {"%u %lu %lld", {4000000000UL, 7UL, 9000000000LL}, "4000000000 7 9000000000"},
        {"%d %li", {12.7, -3.9}, "12 -3"},          // real truncated for an integer
        {"%.2f", {5}, "5.00"},                      // integer widened for a real
        {"%d %.2f %ld", {"42", " 2.5", "12.9"}, "42 2.50 12"},  // text read as a number
        {"%d %.1f", {"abc", "nan"}, "0 0.0"},       // text that is no number
        {"%c%c", {72, "iya"}, "Hi"},
        {"{%s} 100%%", {"2024-03-07"}, "{2024-03-07} 100%"},
        {"%s|%s", {0.1, -17}, "0.1|-17"},
        {"[%5s][%-4s][%.2s]", {"ab", "c", "xyz"}, "[   ab][c   ][xy]"},
        {"%s", {std::string_view("a\0b", 3)}, "ab"},  // NUL bytes dropped
        {"A%sB|%d|%.2f|%c", {}, "AB|0|0.00|"},
        {"%s-%s", {"x"}, "x-"},
        {"%d", {1, 2, 3}, "1"},
        {"%y %*d %", {1}, "%y %*d %"},  // unknown conversions are kept
    });
    // clang-format on
    EXPECT_EQ(_Fmt("%li", -12.7), "-12");
    EXPECT_EQ(_HVXsprintf("%s=%d", std::string("N"), 3), "N=3");
}

// Amounts and quantities are written through a faster path than printf; it
// must give printf's digits for every value, halfway cases and huge ones too.
TEST(FormatArgs, FixedDecimalsAgreeWithPrintfDigitForDigit) {
    std::vector<double> values = {2.675, 0.125, -0.125, 1e15 + 0.5, -0.0, 1e-7, 5e-5,
                                  123456789.123456789, 0.045, 1.005, 1e300,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    std::uint64_t seed = 12345;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double mantissa = static_cast<double>(seed >> 11) / 9007199254740992.0;
        values.push_back((i % 2 ? -1 : 1) * mantissa * std::pow(10.0, i % 13 - 3));
    }
    char expected[512];
    for (const double v : values)
        for (const int decimals : {0, 2, 4, 6, 10}) {
            const std::string format = "%." + std::to_string(decimals) + "f";
            std::snprintf(expected, sizeof expected, format.c_str(), v);
            ASSERT_EQ(hvx::FormatArgs(format, {v}), expected) << format << " of " << v;
        }
    std::snprintf(expected, sizeof expected, "%f", 2.5);
    EXPECT_EQ(hvx::FormatArgs("%f", {2.5}), expected);
}

TEST(FormatArgs, QuotesInsideSqlLiteralsAreDoubled) {
    // clang-format off
    ExpectAll({
        {"DELETE FROM T WHERE A='%s'", {"x' OR '1'='1"}, "DELETE FROM T WHERE A='x'' OR ''1''=''1'"},
        {"WHERE NAME LIKE '%%%s%%'", {"D'Arcy"}, "WHERE NAME LIKE '%D''Arcy%'"},
        {"A='it''s %s'", {"Jo's"}, "A='it''s Jo''s'"},  // an escaped quote keeps the run open
        {"A='%c'", {"'"}, "A=''''"},
        {"A='%.3s'", {"ab'cd"}, "A='ab'''"},  // cut first, then quoted
        {"A='%s' -- %s", {"x", "O'Brien"}, "A='x' -- O'Brien"},  // after the literal, no quoting
        {"Can't find '%s'", {"O'Brien"}, "Can't find 'O''Brien'"},
        {"A='%.0f'", {12.0}, "A='12'"},
    });
    // clang-format on
}

// Half away from zero on the visible decimals: 2.675 (2.67499999...) is 2.68.
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
        {12.5, 2, "12.50"}, {-0.004, 2, "0.00"}, {2.675, 2, "2.68"}, {99.995, 2, "100.00"},
        {0.0625, 6, "0.062500"}, {-1.2345675, 6, "-1.234568"},
        {123456789012.345, 6, "123456789012.345000"}, {42.4, 0, "42"}, {0.005, 2, "0.01"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(HVXSRound(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

TEST(TRIM, BuffersLoseBlanksOnBothEnds) {
    char text[] = "\t\r\n abc def \n", blank[] = "   ";
    TRIM(text);
    TRIM(blank);
    EXPECT_STREQ(text, "abc def");
    EXPECT_STREQ(blank, "");
    TRIM(static_cast<char*>(nullptr));
}

// A text cut to fit a buffer never ends in half of a UTF-8 character.
TEST(CopyToBuffer, CutsAtWholeCharacters) {
    // clang-format off
    const struct { const char* text; std::size_t max; const char* expected; } cases[] = {
        {"abcdef", 4, "abc"}, {"abc", 4, "abc"}, {"abc", 1, ""},
        {"M\xC3\xBCller", 3, "M"}, {"M\xC3\xBCller", 4, "M\xC3\xBC"},  // ü is two bytes
        {"\xE2\x82\xAC" "5", 3, ""}, {"\xE2\x82\xAC" "5", 4, "\xE2\x82\xAC"}};  // € is three
    // clang-format on
    for (const auto& c : cases) {
        char buffer[16];
        std::memset(buffer, 'Z', sizeof buffer);
        EXPECT_TRUE(CopyToBuffer(c.text, buffer, c.max));
        EXPECT_STREQ(buffer, c.expected) << c.text << " into " << c.max;
        EXPECT_EQ(buffer[c.max], 'Z') << "wrote past max for " << c.text;
    }
    char untouched = 'Z';
    EXPECT_FALSE(CopyToBuffer("abc", &untouched, 0));
    EXPECT_EQ(untouched, 'Z');
}

}  // namespace
