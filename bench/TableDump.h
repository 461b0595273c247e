#pragma once
// A full dump of a database, for telling whether two builds of the program
// stored the same rows: every table by name, its columns, and all its rows
// with every value as text, sorted, so that two dumps compare byte for byte.
// The rows are read straight through sqlite3 or libpq: the layer whose
// writes are checked does not read them back itself.
//
// Each table is written as a "TABLE name" line, a line of its column names
// and a line per row, its values separated by tabs; a NULL reads "\N", and a
// backslash, tab or line break inside a value is escaped with a backslash.
#include <ostream>
#include <string>

namespace hvxbench {

// False with a message when the database cannot be read.
bool DumpSqlite(const std::string& file, std::ostream& out, std::string& error);
bool DumpPostgres(const std::string& conninfo, std::ostream& out, std::string& error);

}  // namespace hvxbench
