// The three forms of the settlement key and what each makes the window do.
#include "windows/SettlementKey.h"

#include <gtest/gtest.h>

namespace {

using hvx::SettlementStart;

TEST(SettlementKey, FormsDecideHowTheWindowStarts) {
    const struct {
        const char* key;
        SettlementStart start;
        double recno;
        const char* number;
        const char* condition;
        const char* description;
    } cases[] = {
        {"", SettlementStart::New, 0, "", "", "New settlement"},
        {"#123", SettlementStart::FromSourceLine, 123, "", "",
         "New settlement from source line #123"},
        // STR(RECNO) pads with blanks; they do not make the key invalid.
        {"#  77 ", SettlementStart::FromSourceLine, 77, "", "",
         "New settlement from source line #77"},
        {"#900000000000001", SettlementStart::FromSourceLine, 900000000000001.0, "", "",
         "New settlement from source line #900000000000001"},
        // A number without "#" is a settlement number, never a source line.
        {"123", SettlementStart::Load, 0, "123", "SETTLEMENT='123'", "Settlement 123"},
        {"1042", SettlementStart::Load, 0, "1042", "SETTLEMENT='1042'", "Settlement 1042"},
        // A quote in a typed number cannot end the literal early.
        {"10'42", SettlementStart::Load, 0, "10'42", "SETTLEMENT='10''42'", "Settlement 10'42"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const hvx::SettlementKey key = hvx::ParseSettlementKey(c.key);
        EXPECT_EQ(key.text, c.key);
        EXPECT_EQ(key.start, c.start);
        EXPECT_EQ(key.sourceRecno, c.recno);
        EXPECT_EQ(key.settlementNumber, c.number);
        EXPECT_EQ(key.loadCondition, c.condition);
        EXPECT_EQ(hvx::DescribeStart(key), c.description);
    }
}

TEST(SettlementKey, HashWithoutARecordNumberIsInvalid) {
    for (const char* text : {"#", "# ", "#0", "#12a", "#-5", "#1.5", "##3", "#1234567890123456"}) {
        SCOPED_TRACE(text);
        const hvx::SettlementKey key = hvx::ParseSettlementKey(text);
        EXPECT_EQ(key.start, SettlementStart::Invalid);
        EXPECT_EQ(key.sourceRecno, 0);
        // Neither loaded as a settlement nor taken for a new one.
        EXPECT_EQ(key.loadCondition, "");
        EXPECT_EQ(hvx::DescribeStart(key),
                  std::string("The key \"") + text +
                      "\" names no source line: a record number must follow the \"#\".");
    }
}

TEST(SettlementKey, LongKeyIsCutToTheKeyField) {
    const std::string number(45, '7');
    const hvx::SettlementKey key = hvx::ParseSettlementKey(number);
    EXPECT_EQ(key.text, std::string(40, '7'));
    EXPECT_EQ(key.loadCondition, "SETTLEMENT='" + std::string(40, '7') + "'");

    // The cut happens before the form is decided: the digits past the field
    // are not part of the record number.
    const hvx::SettlementKey line = hvx::ParseSettlementKey("#" + std::string(39, ' ') + "99");
    EXPECT_EQ(line.start, SettlementStart::Invalid);
}

}  // namespace
