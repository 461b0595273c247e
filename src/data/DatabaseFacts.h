#pragma once
// Facts about the open database that the admin commands, the demo seed and
// the host check before they change anything.
#include <string>

namespace hvx {

// Rows of a table of the schema; -1 when it cannot be counted.
long CountRows(const std::string& table);

// The first table of the schema that the database already holds; "" when it
// holds none of them.
std::string FirstHarvexaTable();

// The first table of the suite's data (every table with a RECNO) that holds
// rows, and how many; "" when every one is empty. The service tables
// (counters, locks, schema version) do not count as data.
std::string FirstTableWithData(long& rows);

// A message on one line: engine messages can span several.
std::string OneLine(std::string message);

}  // namespace hvx
