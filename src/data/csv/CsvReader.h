#pragma once
// Reading CSV files (RFC 4180): records end with CR LF or LF, a field in
// quotes may hold commas, line ends and doubled quotes. Blank lines are
// skipped, and a byte order mark at the start is not part of the first field.
#include <string>
#include <string_view>
#include <vector>

namespace hvx::csv {

struct Record {
    int line = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
};

// Every record of the text, or false with the line of the first fault and
// what it is: a quote inside an unquoted field, text after a closing quote,
// or a quoted field that is never closed; `records` is then empty.
bool ReadRecords(std::string_view text, std::vector<Record>& records, int& badLine,
                 std::string& error);

}  // namespace hvx::csv
