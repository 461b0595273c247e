#pragma once
// The grown database the settlement benchmarks can run on: the demo
// cooperative with years of generated settlements after it, as
// `harvexa-admin demo` and `harvexa-admin generate --force` make it.
//
// HARVEXA_BENCH_GROWN names a SQLite file. When it does not exist and
// HARVEXA_BENCH_GROWN_LINES gives a number of lines, the benchmark makes it
// there first (one settlement per 20 lines); with only the number, the file is
// /tmp/harvexa_bench_grown_<lines>.db. On PostgreSQL the number is needed:
// the grown database is harvexa_bench_grown_<lines> on the server
// HARVEXA_TEST_PG names, made the same way, so it holds the same rows under
// the same numbers as the file. Either is made once and used again by later
// runs. Every side of a run works on a copy of it, so each starts from the
// same rows and the grown database itself never changes.
#include <string>

namespace hvxbench {

// Whether a grown database was asked for, on either engine.
bool GrownWanted(bool postgres);

// Copies the grown SQLite database (made first if need be) to `file`; false
// with a message.
bool CopyGrown(const std::string& file, std::string& error);

// Creates `database` on the server as a copy of the grown one (made first if
// need be); false with a message.
bool CopyGrownPg(const std::string& server, const std::string& database, std::string& error);
// Drops a database of the server, if there is one.
void DropPg(const std::string& server, const std::string& database);

}  // namespace hvxbench
