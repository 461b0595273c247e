#include "platform/Format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(FormatArgs, NumbersFollowPrintfWhateverTheArgumentHolds) {
    // clang-format off
    ExpectAll({
        {"%.4f", {12.5}, "12.5000"},
        {"%08li", {42L}, "00000042"},
        {"%0f", {122.6}, "123"},  // the record number format
        {"%0.2f|%06.1f", {3.14159, 2.5}, "3.14|0002.5"},
        {"[%-5d]%+d|% d|%#x", {7, 5, 3, 255}, "[7    ]+5| 3|0xff"},
        {"%u %lu %lld", {4000000000UL, 7UL, 9000000000LL}, "4000000000 7 9000000000"},
        {"%d %li", {12.7, -3.9}, "12 -3"},          // real truncated for an integer
        {"%.2f", {5}, "5.00"},                      // integer widened for a real
        {"%d %.2f", {"42", " 2.5"}, "42 2.50"},     // text read as a number
        {"%ld", {"12.9"}, "12"},
        {"%d %.1f", {"abc", "nan"}, "0 0.0"},       // text that is no number
        {"%c%c", {72, "iya"}, "Hi"},
    });
    // clang-format on
    EXPECT_EQ(_Fmt("%li", -12.7), "-12");
    EXPECT_EQ(_HVXsprintf("%s=%d", std::string("N"), 3), "N=3");
}

TEST(FormatArgs, TextAndMissingArguments) {
    // clang-format off
    ExpectAll({
        {"{%s}", {"2024-03-07"}, "{2024-03-07}"},
        {"100%%", {}, "100%"},
        {"%s|%s", {0.1, -17}, "0.1|-17"},
        {"[%5s][%-4s][%.2s]", {"ab", "c", "xyz"}, "[   ab][c   ][xy]"},
        {"%s", {std::string_view("a\0b", 3)}, "ab"},  // NUL bytes dropped
        {"A%sB", {}, "AB"},
        {"%d|%.2f|%c", {}, "0|0.00|"},
        {"%s-%s", {"x"}, "x-"},
        {"%d", {1, 2, 3}, "1"},
        {"%y %", {1}, "%y %"},  // unknown conversions are kept
        {"%*d", {5}, "%*d"},
    });
    // clang-format on
}

TEST(FormatArgs, QuotesInsideSqlLiteralsAreDoubled) {
    // clang-format off
    ExpectAll({
        {"SELECT * FROM T WHERE A='%s'", {"O'Brien"}, "SELECT * FROM T WHERE A='O''Brien'"},
        {"DELETE FROM T WHERE A='%s'", {"x' OR '1'='1"}, "DELETE FROM T WHERE A='x'' OR ''1''=''1'"},
        {"WHERE NAME LIKE '%%%s%%'", {"D'Arcy"}, "WHERE NAME LIKE '%D''Arcy%'"},
        {"A='%s' AND B='%s'", {"a'", "'b"}, "A='a''' AND B='''b'"},
        {"A='it''s %s'", {"Jo's"}, "A='it''s Jo''s'"},  // an escaped quote keeps the run open
        {"A='%c'", {"'"}, "A=''''"},
        {"A='%.3s'", {"ab'cd"}, "A='ab'''"},  // cut first, then quoted
        {"A='%s' -- %s", {"x", "O'Brien"}, "A='x' -- O'Brien"},
        {"Can't find %s", {"O'Brien"}, "Can't find O'Brien"},  // an apostrophe opens nothing
        {"Can't find '%s'", {"O'Brien"}, "Can't find 'O''Brien'"},
        {"A='%.0f'", {12.0}, "A='12'"},
    });
    // clang-format on
}

}  // namespace
