#include "platform/Format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using hvx::FmtArg;
using hvx::FormatArgs;

struct FormatCase {
    const char* name;
    const char* format;
    std::vector<FmtArg> args;
    std::string expected;
};

void expectAll(const std::vector<FormatCase>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(FormatArgs(c.format, c.args), c.expected) << c.name << ": " << c.format;
}

TEST(FormatArgs, NumbersFollowPrintf) {
    expectAll({
        {"four decimals", "%.4f", {12.5}, "12.5000"},
        {"zero-padded long", "%08li", {42L}, "00000042"},
        {"record number style", "%.0f", {1234567.0}, "1234567"},
        {"record number format", "%0f", {7.0}, "7"},
        {"record number format rounds", "%0f", {122.6}, "123"},
        {"zero flag with precision", "%0.2f", {3.14159}, "3.14"},
        {"zero flag with width", "%06.1f", {2.5}, "0002.5"},
        {"left justified", "[%-5d]", {7}, "[7    ]"},
        {"plus sign", "%+d|%+.1f", {5, -1.5}, "+5|-1.5"},
        {"space flag", "% d", {3}, " 3"},
        {"alternate hex", "%#x", {255}, "0xff"},
        {"unsigned and long long", "%u %lu %lld", {4000000000UL, 7UL, 9000000000LL}, "4000000000 7 9000000000"},
        {"exponent and general", "%e %g", {1500.0, 0.0001}, "1.500000e+03 0.0001"},
        {"real truncated for integer conversion", "%d %li", {12.7, -3.9}, "12 -3"},
        {"integer widened for real conversion", "%.2f", {5}, "5.00"},
        {"text read as number", "%d %.2f", {"42", " 2.5"}, "42 2.50"},
        {"decimal text truncated for integer", "%ld", {"12.9"}, "12"},
        {"text that is no number", "%d %.1f", {"abc", "nan"}, "0 0.0"},
        {"char from number", "%c%c", {72, "iya"}, "Hi"},
    });
}

TEST(FormatArgs, TextAndMissingArguments) {
    expectAll({
        {"braced date passes through", "{%s}", {"2024-03-07"}, "{2024-03-07}"},
        {"percent sign", "100%%", {}, "100%"},
        {"real as text", "%s", {0.1}, "0.1"},
        {"integer as text", "%s", {-17}, "-17"},
        {"text width and precision", "[%5s][%-4s][%.2s]", {"ab", "c", "xyz"}, "[   ab][c   ][xy]"},
        {"NUL bytes dropped", "%s", {std::string_view("a\0b", 3)}, "ab"},
        {"missing text", "A%sB", {}, "AB"},
        {"missing numbers", "%d|%.2f|%c", {}, "0|0.00|"},
        {"second argument missing", "%s-%s", {"x"}, "x-"},
        {"extra arguments ignored", "%d", {1, 2, 3}, "1"},
        {"unknown conversion kept", "%y %", {1}, "%y %"},
        {"star width not supported", "%*d", {5}, "%*d"},
    });
}

TEST(FormatArgs, QuotesInsideSqlLiteralsAreDoubled) {
    expectAll({
        {"apostrophe in value", "SELECT * FROM T WHERE A='%s'", {"O'Brien"},
         "SELECT * FROM T WHERE A='O''Brien'"},
        {"injection stays in literal", "DELETE FROM T WHERE A='%s'", {"x' OR '1'='1"},
         "DELETE FROM T WHERE A='x'' OR ''1''=''1'"},
        {"LIKE pattern", "WHERE NAME LIKE '%%%s%%'", {"D'Arcy"}, "WHERE NAME LIKE '%D''Arcy%'"},
        {"two literals", "A='%s' AND B='%s'", {"a'", "'b"}, "A='a''' AND B='''b'"},
        {"escaped quote keeps run open", "A='it''s %s'", {"Jo's"}, "A='it''s Jo''s'"},
        {"char inside literal", "A='%c'", {"'"}, "A=''''"},
        {"after the literal no quoting", "A='%s' -- %s", {"x", "O'Brien"}, "A='x' -- O'Brien"},
        {"message apostrophe opens nothing", "Can't find %s", {"O'Brien"}, "Can't find O'Brien"},
        {"message after contraction", "Can't find '%s'", {"O'Brien"}, "Can't find 'O''Brien'"},
        {"number inside literal", "A='%.0f'", {12.0}, "A='12'"},
    });
}

TEST(FormatArgs, HelpersForBindingAndTemplate) {
    EXPECT_EQ(_Fmt("%.0f", 12.0), "12");
    EXPECT_EQ(_Fmt("%li", 12.7), "12");
    EXPECT_EQ(_Fmt("%li", -12.7), "-12");
    EXPECT_EQ(_HVXsprintf("%s=%d", std::string("N"), 3), "N=3");
    EXPECT_EQ(hvx::QuoteSqlText("''"), "''''");
}

}  // namespace
