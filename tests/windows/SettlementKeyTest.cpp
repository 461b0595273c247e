// The forms of the settlement key and how each makes the window start.
#include <gtest/gtest.h>

#include <string>

#include "windows/SettlementKey.h"

namespace {

using hvx::SettlementStart;

// "n" loads settlement n, "#n" starts from source line n, "" starts empty.
TEST(SettlementKey, FormsDecideHowTheWindowStarts) {
    const std::string cut(40, '7');
    const auto invalid = [](const std::string& key) {
        return "The key \"" + key +
               "\" names no source line: a record number must follow the \"#\".";
    };
    const SettlementStart none = SettlementStart::Invalid, load = SettlementStart::Load,
                          line = SettlementStart::FromSourceLine;
    // clang-format off
    const struct {
        std::string key;
        SettlementStart start;
        double recno;
        std::string condition, description;  // a Load's number is its key text
    } cases[] = {
        {"", SettlementStart::New, 0, "", "New settlement"},
        {"#123", line, 123, "", "New settlement from source line #123"},
        // STR(RECNO) pads with blanks; they do not make the key invalid.
        {"#  77 ", line, 77, "", "New settlement from source line #77"},
        {"#900000000000001", line, 900000000000001.0, "", "New settlement from source line #900000000000001"},
        {"1042", load, 0, "SETTLEMENT='1042'", "Settlement 1042"},
        // A quote in a typed number cannot end the literal early.
        {"10'42", load, 0, "SETTLEMENT='10''42'", "Settlement 10'42"},
        // A long key is cut to the key field before the form is decided.
        {std::string(45, '7'), load, 0, "SETTLEMENT='" + cut + "'", "Settlement " + cut},
        {"#" + std::string(39, ' ') + "99", none, 0, "", invalid("#" + std::string(39, ' '))},
        {"#", none, 0, "", invalid("#")}, {"# ", none, 0, "", invalid("# ")},
        {"#0", none, 0, "", invalid("#0")}, {"#12a", none, 0, "", invalid("#12a")},
        {"#-5", none, 0, "", invalid("#-5")}, {"#1.5", none, 0, "", invalid("#1.5")},
        {"##3", none, 0, "", invalid("##3")},
        {"#1234567890123456", none, 0, "", invalid("#1234567890123456")}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const hvx::SettlementKey key = hvx::ParseSettlementKey(c.key);
        EXPECT_EQ(key.text, c.key.substr(0, 40));
        EXPECT_EQ(key.start, c.start);
        EXPECT_EQ(key.sourceRecno, c.recno);
        EXPECT_EQ(key.settlementNumber, c.start == load ? key.text : "");
        EXPECT_EQ(key.loadCondition, c.condition);
        EXPECT_EQ(hvx::DescribeStart(key), c.description);
    }
}

}  // namespace
