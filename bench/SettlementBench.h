#pragma once
// What the settlement benchmarks share: a host that grants every lock,
// seeded databases on either engine, the 20-line settlement they work on,
// and the run of "ours" against the raw floor of the same statements.
//
// Every seeded database is seeded the same way, and its settlements get the
// same record numbers and links, so the statements of a piece of work
// recorded on one database replay on another with the same effect.
#include <functional>
#include <string>
#include <vector>

#include "settlement/SettlementRecordSet.h"

namespace hvxbench {

using hvx::settlement::SettlementRecordSet;

// Our session on a fresh (or grown) database of one side ("ours", "raw",
// "record"): the schema; one customer, commodity and location; assembly A100
// whose one split holds more than any run settles; and one settlement saved,
// so that the counters are started.
bool OpenSeeded(bool postgres, const char* who, std::string& error);

// Closes our session and removes the database of one side.
void Discard(bool postgres, const char* who);

// Literal statements on our session; false with a message at the first refused.
bool RunAll(const std::vector<std::string>& sql, std::string& error);

// A new settlement of customer C1: SettlementLines() lines, each selling
// 10.5 units of split 7001 at 4.25 with its units row, a checkoff and a
// moisture grade.
void NewSettlement(SettlementRecordSet& set);
// The lines of the settlement the running benchmark works on (5, 20, 100).
int& SettlementLines();
bool Save(SettlementRecordSet& set, std::string& message);

// One piece of settlement work, measured against the raw floors of its
// statements, for settlements of 5, 20 and 100 lines (HARVEXA_BENCH_SIZES, a
// list such as "20" or "5,100", narrows them). "ours" runs the work each
// iteration on a settlement prepared with the clock stopped. "raw" replays the
// statements the work issued once, recorded on SQLite, straight through
// sqlite3 or libpq, with the same values and transaction bounds (see
// StatementReplay.h). What an iteration of either side inserted is deleted
// again with the clock stopped — every row beyond the highest record number
// its table held — so both work on a database of the same size; raw updates
// write the recorded values each time. Each run's "statements" counter shows
// how many statements it issues. The session does not count the savepoints
// that open and close a transaction's parts, which the recording holds, so
// ours shows fewer where the work has parts (the reversal: two per part).
struct SettlementWork {
    std::string name;         // of the benchmarks: "save-20-lines"
    std::string description;  // "save", in the program's messages
    // Seeds the database of one side and readies the settlement the work is
    // first done on.
    std::function<bool(bool postgres, const char* who, SettlementRecordSet& set,
                       std::string& error)>
        seed;
    // Readies the next settlement on a database the work was done on.
    std::function<bool(SettlementRecordSet& set, std::string& error)> prepare;
    std::function<bool(SettlementRecordSet& set, std::string& error)> work;
};

// Records the work, runs both sides on SQLite and, when HARVEXA_TEST_PG names
// a server, on PostgreSQL, and prints ours over each floor. The program's
// exit status.
//
// Three floors replay the statements: "raw-literal" replays the literal
// statements as literal SQL, each prepared again (recorded with literal
// statements run as they stand); "raw" binds their values to statements
// prepared once; "raw-counters" is "raw" with the record numbers of each
// table drawn by one counter update instead of one a number. "ours-literal"
// is our work with literal statements run as they stand, as before they were
// shaped.
//
// With HARVEXA_BENCH_GROWN or HARVEXA_BENCH_GROWN_LINES (see
// GrownDatabase.h) every side, the recording included, starts from a copy of
// a database that already holds the demo cooperative and generated
// settlements; the work's own rows come after theirs. PostgreSQL runs on a
// grown database only when the number of lines is given.
//
// With HARVEXA_BENCH_DUMP=<file> nothing is measured: the work is done once
// on a seeded database of each engine and size, and the dump of every table
// after it (see TableDump.h) goes to the file, so that the rows two builds of
// the program store can be compared with cmp.
int RunSettlementBenchmarks(int argc, char** argv, const SettlementWork& work);

}  // namespace hvxbench
