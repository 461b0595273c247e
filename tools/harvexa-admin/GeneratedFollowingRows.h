#pragma once
// The rows generated settlements leave behind in the other tables of a
// cooperative's years: destination records, grades, units, deductions and
// pay names, the assemblies and scale tickets delivered, the contracts, the
// advances paid and repaid, position records and comments, and as many
// direct shipment loads and warehouse receipts. They are derived in the
// database from the settlement rows just written, so that every table a
// settlement's everyday statements read holds a year's worth of rows and the
// engine plans those statements as it would on a real database.
#include <string>

#include "harvexa-admin/GeneratedSettlements.h"

namespace hvx::admin {

// Writes the rows that follow from the settlements numbered from `start` up
// to (not including) `end`, each table's rows under record numbers from its
// counter on, moves every counter past them and updates the statistics of
// every table (UpdateStatistics). False with the engine's
// message; the caller's transaction then holds nothing complete.
bool WriteFollowingRows(const Numbering& start, const Numbering& end, std::string& error);

// Brings the engine's statistics of every table up to date after a bulk
// write (PostgreSQL; SQLite keeps none).
bool UpdateStatistics(std::string& error);

// The first record number to use in a table: the framework's next one (its
// counter row is made on first use).
bool FirstRecord(const char* table, long long& first, std::string& error);
// Sets the next record number of a table.
bool SetRecordCounter(const char* table, long long next, std::string& error);

}  // namespace hvx::admin
