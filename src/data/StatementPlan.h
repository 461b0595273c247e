#pragma once
// What the engine makes of a statement: its plan, and whether that plan
// reads a growing table whole.
//
// A cooperative keeps years of settlements, so the tables that gain rows with
// every settlement, advance, delivery and shipment reach millions of rows;
// a statement of everyday work that reads one of them from end to end slows
// down with every year on file. The reference tables stay small and may be read whole.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Engine.h"

namespace hvx::data {

// True for a table that grows with the business (settlements and their
// child rows, sources, contracts, advances, shipments, position records,
// comments, receivable entries); false for reference and service tables.
bool IsGrowingTable(std::string_view table);

// The plan the open session's engine chooses for a statement in the engine's
// own dialect with the values it runs with, one line per step: SQLite's
// query plan details ("SEARCH HVXGR04D USING INDEX IX_HVXGR04D_SETLINK
// (SETLINK=?)"), PostgreSQL's EXPLAIN lines. False with the engine's message.
bool ExplainStatement(const std::string& sql, const std::vector<Param>& values,
                      std::vector<std::string>& plan, std::string& error);

// The growing tables a plan reads row by row from first to last, in plan
// order: SQLite's "SCAN <table>" without an index, PostgreSQL's "Seq Scan on
// <table>". Names are given in upper case.
std::vector<std::string> FullScans(const std::vector<std::string>& plan);

// A statement as the session ran it: in the engine's dialect, with its values.
struct RanStatement {
    std::string sql;
    std::vector<Param> values;
};

// What is wrong with the plans of the statements: for each distinct
// statement (planned with the values of its first run) that reads a growing
// table whole or that the engine cannot plan, the statement and then its
// plan, one step a line, or the engine's message. Statements that begin with
// one of `readWhole` are meant to read every row they select and are passed.
std::vector<std::string> FullScanFindings(const std::vector<RanStatement>& statements,
                                          std::span<const std::string_view> readWhole);

}  // namespace hvx::data
