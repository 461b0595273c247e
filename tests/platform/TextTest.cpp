#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(TRIM, RemovesBlanksOnBothEndsOfStringsAndBuffers) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"  abc  ", "abc"}, {"\t\r\nabc def\n", "abc def"}, {"   ", ""}, {"", ""}, {"x", "x"}};
    // clang-format on
    for (const auto& [in, out] : cases) {
        std::string s = in;
        TRIM(s);
        EXPECT_EQ(s, out) << '[' << in << ']';
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%s", in);
        TRIM(buffer);
        EXPECT_STREQ(buffer, out) << '[' << in << ']';
    }
    TRIM(static_cast<char*>(nullptr));
}

// A text cut to fit a buffer never ends in half of a UTF-8 character.
TEST(CopyToBuffer, CutsAtWholeCharacters) {
    // clang-format off
    const struct { const char* text; std::size_t max; const char* expected; } cases[] = {
        {"abc", 10, "abc"}, {"abcdef", 4, "abc"}, {"abc", 4, "abc"}, {"abc", 1, ""},
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

TEST(HVXParseTabDelim, SplitsFieldsThenReturnsEmpty) {
    // clang-format off
    const struct { const char* text; std::vector<std::string> fields; } cases[] = {
        {"a\tb\t\tc", {"a", "b", "", "c"}}, {"", {}}, {"one", {"one"}}, {"a\t", {"a", ""}},
        {"\t", {"", ""}}, {" x \ty", {" x ", "y"}}};
    // clang-format on
    for (const auto& c : cases) {
        HVXParseTabDelim parser(c.text, 0);
        EXPECT_EQ(parser.Count(), c.fields.size()) << c.text;
        for (const auto& field : c.fields) {
            EXPECT_TRUE(parser.HasMore());
            EXPECT_EQ(parser.GetNextString(), field) << c.text;
        }
        EXPECT_FALSE(parser.HasMore());
        EXPECT_EQ(parser.GetNextString(), "");
    }
}

}  // namespace
