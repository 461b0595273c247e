// How the settlement windows start: the key's forms, where frames open on
// small screens, and the size stored for the search results window.
#include <gtest/gtest.h>

#include <string>

#include "windows/FramePlacement.h"
#include "windows/SearchWindowSize.h"
#include "windows/SettlementKey.h"

namespace {

using hvx::SettlementStart;

// A key without "#" loads a settlement, "#n" starts one from source line n, an
// empty key starts an empty one; a "#" without a record number is refused.
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

TEST(FramePlacement, DocumentAndSearchFramesOnEachScreen) {
    const std::optional<hvx::FramePosition> corner = hvx::FramePosition{0, 0};
    const std::optional<hvx::FramePosition> frame;  // left where the client area puts it
    // clang-format off
    const struct { int width, height; std::optional<hvx::FramePosition> document, search; } cases[] = {
        {800, 600, corner, frame}, {1024, 768, frame, frame}, {640, 480, corner, corner},
        {800, 601, frame, frame}, {801, 600, frame, frame},  // both sides must be small
        {1280, 480, frame, frame},
        {640, 481, corner, frame}, {639, 480, corner, frame}};  // search wants exactly 640 x 480
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(hvx::DocumentFramePosition({c.width, c.height}), c.document);
        EXPECT_EQ(hvx::SearchFramePosition({c.width, c.height}), c.search);
    }
}

const hvx::WindowSize kDefault{590, 376};

TEST(SearchWindowSize, ValueIsTwoPositiveNumbersInTheFirst99Characters) {
    // The value was read into a 100-byte buffer: a height cut off there is not seen.
    const std::string padded = "700," + std::string(94, ' ') + "9";
    // clang-format off
    const std::pair<std::string, hvx::WindowSize> cases[] = {
        {"700,450", {700, 450}}, {"1,1", {1, 1}},
        {" 800, 500", {800, 500}},   // %d skips the blanks before a number
        {"800 ,500", kDefault},      // ...but not those before the ','
        {"640,400,12", {640, 400}}, {"700,450px", {700, 450}},  // what follows is ignored
        {"0,450", kDefault}, {"700,-3", kDefault}, {"700", kDefault}, {"700;450", kDefault},
        {"wide,tall", kDefault}, {"", kDefault},
        {padded, {700, 9}}, {padded.substr(0, 98) + " 9", kDefault}};
    // clang-format on
    for (const auto& [value, size] : cases)
        EXPECT_EQ(hvx::ParseSearchWindowSize(value), size) << value;
}

}  // namespace
