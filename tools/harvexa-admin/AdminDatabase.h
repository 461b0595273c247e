#pragma once
// Facts about the open database that the admin commands and the demo seed
// check before they change anything.
#include <string>

namespace hvx::admin {

// Rows of a table of the schema; -1 when it cannot be counted.
long CountRows(const std::string& table);

// The first table of the schema that the database already holds; "" when it
// holds none of them.
std::string FirstHarvexaTable();

// The first table of the suite's data (every table with a RECNO) that holds
// rows, and how many; "" when every one is empty. The service tables
// (counters, locks, schema version) do not count as data.
std::string FirstTableWithData(long& rows);

// The file of a SQLite connection string; "" for a PostgreSQL server.
std::string SqliteFile(const std::string& connection);

// A message on one line: engine messages can span several.
std::string OneLine(std::string message);

}  // namespace hvx::admin
