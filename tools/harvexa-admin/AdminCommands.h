#pragma once
// The commands of harvexa-admin. Each opens the database named by its
// connection string (a SQLite file path, "sqlite:PATH", or a PostgreSQL URL
// or conninfo), does its work, closes the session again, and returns the
// program's exit code. Results go to `out`, failures as one line to `err`.
#include <cstdint>
#include <ostream>
#include <string>

#include "data/exchange/ExchangeKind.h"

namespace hvx::admin {

enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Creates the schema in a database that holds no Harvexa table; with force,
// drops the tables found and creates them anew.
int InitCommand(const std::string& database, bool force, std::ostream& out, std::ostream& err);
// Brings an older schema up to this program's version.
int UpgradeCommand(const std::string& database, std::ostream& out, std::ostream& err);
// Fills an initialised, empty database with the demo cooperative.
int SeedDemoCommand(const std::string& database, std::ostream& out, std::ostream& err);
// Row counts and an outline of the business in the database, after a quick
// check of it; a damaged database is refused with the check's findings.
int SummaryCommand(const std::string& database, std::ostream& out, std::ostream& err);
// The engine's integrity check: "ok" on `out`, or the findings on `err` and
// exit code 1.
int CheckCommand(const std::string& database, std::ostream& out, std::ostream& err);
// Creates the demo database where it does not exist yet (an empty database
// means the user's default one), then prints its summary.
int DemoCommand(const std::string& database, std::ostream& out, std::ostream& err);

// Reads a CSV file of one kind of reference data (customers, …) into the
// database: every fault of the file is reported with its line and column and
// nothing is written, or the whole file goes in as one transaction.
int ImportCommand(const exchange::ExchangeKind& kind, const std::string& file,
                  const std::string& database, std::ostream& out, std::ostream& err);
// Writes the rows of one kind to `out` as a CSV file that import takes back.
int ExportCommand(const exchange::ExchangeKind& kind, const std::string& database,
                  std::ostream& out, std::ostream& err);

struct GenerateOptions {
    long lines = 1000000;
    long settlements = 50000;
    std::uint32_t seed = 1;
    bool force = false;  // add to a database that already holds settlement lines
};
// Fills an initialised database with generated customers, settlements and
// settlement lines in one transaction, with a progress line on `err`. A
// database that already holds settlement lines is refused unless forced; the
// generated settlements then come after them, nothing is removed.
int GenerateCommand(const std::string& database, const GenerateOptions& options, std::ostream& out,
                    std::ostream& err);
// The work of the command on the open session, inside the caller's
// transaction: the rows, then the counters moved past them. `summary` is the
// line the command prints once the transaction is committed.
bool GenerateSettlements(const GenerateOptions& options, std::ostream& err, std::string& summary,
                         std::string& error);

}  // namespace hvx::admin
