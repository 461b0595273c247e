// CSV files: quoting both ways, line counting across quoted line breaks, the
// position the UTF-8 check gives.
#include <gtest/gtest.h>

#include <sstream>

#include "data/csv/CsvReader.h"
#include "data/csv/CsvWriter.h"
#include "data/csv/Utf8Check.h"

namespace {

using hvx::csv::Record;

std::string Shown(const std::vector<Record>& records) {
    std::string out;
    for (const Record& r : records) {
        out += " " + std::to_string(r.line) + ":";
        for (const std::string& f : r.fields) out += "[" + f + "]";
    }
    return out;
}

TEST(Csv, ReadsQuotedFieldsAndCountsLinesOrReportsWhereTheFileIsBroken) {
    // clang-format off
    const struct { std::string text, records; int badLine; std::string error; } cases[] = {
        {"a,b\r\nc,d\r\n", " 1:[a][b] 2:[c][d]", 0, ""},
        {"a,b\nc,d", " 1:[a][b] 2:[c][d]", 0, ""},
        {"\xEF\xBB\xBFREF,\"x, \"\"y\"\"\"\n", " 1:[REF][x, \"y\"]", 0, ""},
        {"a,\"two\r\nlines\"\r\n\r\nb,\n", " 1:[a][two\r\nlines] 4:[b][]", 0, ""},
        {",\n", " 1:[][]", 0, ""},
        {"a\nb\"c\n", "", 2, "a quote inside a field that does not start with one"},
        {"a\n\"b\"c,d\n", "", 2, "text after the closing quote of a field"},
        {"a\n\"b\nc\nd,e\n", "", 2, "a quoted field that is never closed"},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<Record> records;
        int badLine = 0;
        std::string error;
        const bool read = hvx::csv::ReadRecords(c.text, records, badLine, error);
        EXPECT_EQ(read, c.error.empty()) << c.text;
        EXPECT_EQ(Shown(records), c.records) << c.text;
        EXPECT_EQ(badLine, c.badLine) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(Csv, WritesQuotesOnlyWhereNeededAndReadsBackWhatItWrote) {
    const std::vector<std::string> fields{
        "O'Brien", "Martinez Land & Cattle, Co.", "say \"hi\"", "two\nlines", "", "cr\ronly"};
    std::ostringstream out;
    hvx::csv::WriteRecord(out, fields);
    EXPECT_EQ(out.str(),
              "O'Brien,\"Martinez Land & Cattle, Co.\",\"say \"\"hi\"\"\",\"two\nlines\",,"
              "\"cr\ronly\"\r\n");
    std::vector<Record> records;
    int badLine = 0;
    std::string error;
    ASSERT_TRUE(hvx::csv::ReadRecords(out.str(), records, badLine, error)) << error;
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, fields);
}

TEST(Csv, Utf8CheckNamesTheLineAndCharacterOfTheFirstBadByte) {
    // clang-format off
    const struct { std::string text; int line, column; } cases[] = {
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\xBD\n", 0, 0},
        {"ok\n\xC3\xA9t\xE9\n", 2, 3},         // Latin-1 after a two-byte character
        {"a\n\n\x80", 3, 1},                    // a lone continuation byte
        {"\xC0\x80", 1, 1},                     // an overlong form of U+0000
        {"x\xED\xA0\x80", 1, 2},                // a surrogate
        {"x\xF4\x90\x80\x80", 1, 2},            // past U+10FFFF
        {"ab\xE2\x82", 1, 3},                   // cut off at the end
    };
    // clang-format on
    for (const auto& c : cases) {
        hvx::csv::TextPosition bad;
        EXPECT_EQ(hvx::csv::IsUtf8(c.text, bad), c.line == 0) << c.text;
        EXPECT_EQ(bad.line, c.line) << c.text;
        EXPECT_EQ(bad.column, c.column) << c.text;
    }
}

}  // namespace
