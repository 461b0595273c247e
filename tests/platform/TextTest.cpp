#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(TRIM, RemovesBlanksOnBothEnds) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"  abc  ", "abc"}, {"\t\r\nabc def\n", "abc def"}, {"   ", ""}, {"", ""}, {"x", "x"},
    };
    for (const auto& c : cases) {
        std::string s = c.in;
        TRIM(s);
        EXPECT_EQ(s, c.out) << '[' << c.in << ']';
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%s", c.in);
        TRIM(buffer);
        EXPECT_STREQ(buffer, c.out) << '[' << c.in << ']';
    }
    TRIM(static_cast<char*>(nullptr));
}

TEST(CopyToBuffer, CutsAtWholeCharacters) {
    const struct {
        const char* text;
        std::size_t max;
        const char* expected;
    } cases[] = {
        {"abc", 10, "abc"},
        {"abcdef", 4, "abc"},
        {"abc", 4, "abc"},
        {"abc", 1, ""},
        {"M\xC3\xBCller", 3, "M"},          // ü is two bytes: dropped whole
        {"M\xC3\xBCller", 4, "M\xC3\xBC"},
        {"\xE2\x82\xAC" "5", 3, ""},        // € is three bytes
        {"\xE2\x82\xAC" "5", 4, "\xE2\x82\xAC"},
    };
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

TEST(HVXParseTabDelim, SplitsFieldsThenReturnsEmpty) {
    const struct {
        const char* text;
        std::vector<std::string> fields;
    } cases[] = {
        {"a\tb\t\tc", {"a", "b", "", "c"}},
        {"", {}},
        {"one", {"one"}},
        {"a\t", {"a", ""}},
        {"\t", {"", ""}},
        {" x \ty", {" x ", "y"}},
    };
    for (const auto& c : cases) {
        HVXParseTabDelim parser(c.text, 0);
        EXPECT_EQ(parser.Count(), c.fields.size()) << c.text;
        for (const auto& field : c.fields) {
            EXPECT_TRUE(parser.HasMore());
            EXPECT_EQ(parser.GetNextString(), field) << c.text;
        }
        EXPECT_FALSE(parser.HasMore());
        EXPECT_EQ(parser.GetNextString(), "");
        EXPECT_EQ(parser.GetNextString(), "");
    }
}

}  // namespace
