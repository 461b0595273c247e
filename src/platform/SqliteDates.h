#pragma once
// Dates on SQLite, which keeps no type with a value: a DATE column holds its
// dates as "YYYY-MM-DD" text, so that they sort and compare as dates, while
// every other column holds exactly the text bound to it.
#include <sqlite3.h>

#include <string>
#include <vector>

namespace hvx {

// Which placeholders of a prepared statement stand for a DATE column, one
// entry each. False with a message when a placeholder stands beside no
// column in a statement over a table with DATE columns: whether it is a date
// cannot be told, and guessing wrong would store a date that no longer sorts
// or change a text that is no date.
bool DateParameters(sqlite3* db, sqlite3_stmt* statement, std::vector<bool>& dates,
                    std::string& error);

// The text stored for a value bound to a date placeholder: a date as
// "YYYY-MM-DD", anything else as it is.
std::string StoredDate(const std::string& text);

}  // namespace hvx
