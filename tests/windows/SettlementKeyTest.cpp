// The three forms of the settlement key and what each makes the window do.
#include "windows/SettlementKey.h"

#include <gtest/gtest.h>

namespace {

using hvx::SettlementStart;

TEST(SettlementKey, FormsDecideHowTheWindowStarts) {
    const std::string longKey(45, '7'), cut(40, '7');
    // clang-format off
    const struct {
        std::string key;
        SettlementStart start;
        double recno;
        std::string condition, description;  // a Load's number is its key text
    } cases[] = {
        {"", SettlementStart::New, 0, "", "New settlement"},
        {"#123", SettlementStart::FromSourceLine, 123, "", "New settlement from source line #123"},
        // STR(RECNO) pads with blanks; they do not make the key invalid.
        {"#  77 ", SettlementStart::FromSourceLine, 77, "", "New settlement from source line #77"},
        {"#900000000000001", SettlementStart::FromSourceLine, 900000000000001.0, "",
         "New settlement from source line #900000000000001"},
        // A number without "#" is a settlement number, never a source line.
        {"1042", SettlementStart::Load, 0, "SETTLEMENT='1042'", "Settlement 1042"},
        // A quote in a typed number cannot end the literal early.
        {"10'42", SettlementStart::Load, 0, "SETTLEMENT='10''42'", "Settlement 10'42"},
        // A long key is cut to the key field before the form is decided.
        {longKey, SettlementStart::Load, 0, "SETTLEMENT='" + cut + "'", "Settlement " + cut}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const hvx::SettlementKey key = hvx::ParseSettlementKey(c.key);
        EXPECT_EQ(key.text, c.key.substr(0, 40));
        EXPECT_EQ(key.start, c.start);
        EXPECT_EQ(key.sourceRecno, c.recno);
        EXPECT_EQ(key.settlementNumber, c.start == SettlementStart::Load ? key.text : "");
        EXPECT_EQ(key.loadCondition, c.condition);
        EXPECT_EQ(hvx::DescribeStart(key), c.description);
    }
}

TEST(SettlementKey, HashWithoutARecordNumberIsInvalid) {
    for (const std::string& text :
         std::vector<std::string>{"#", "# ", "#0", "#12a", "#-5", "#1.5", "##3",
                                  "#1234567890123456", "#" + std::string(39, ' ') + "99"}) {
        SCOPED_TRACE(text);
        const hvx::SettlementKey key = hvx::ParseSettlementKey(text);
        EXPECT_EQ(key.start, SettlementStart::Invalid);
        EXPECT_EQ(key.sourceRecno, 0);
        EXPECT_EQ(key.loadCondition, "") << "neither loaded nor taken for a new one";
        EXPECT_EQ(hvx::DescribeStart(key),
                  "The key \"" + key.text +
                      "\" names no source line: a record number must follow the \"#\".");
    }
}

}  // namespace
