#pragma once
// Settled units of an assembly split (HVXGR02S) and, when the office settles
// assemblies by scale ticket, their spreading over the split's tickets.
//
// Each operation has a literal form (simple connection: deletion, reversal)
// and a prepared form (the save) with the same effect; the Statements forms
// are what both run and what the allocation of a whole settlement calls.
#include <string_view>

class HVXConnection;
class HVXSConnection;

namespace hvx {
class Statements;
}

namespace hvx::settlement {

// "T" once the settled units reach a share that is not 0, else "F".
const char* SplitSettledFlag(double shareUnits, double settledUnits);

// Adds units (negative: gives them back) to the split's settled units and
// sets its settled flag; with SETTBYTICK on, spreads the new settled units
// over the split's tickets. 0 units, or no split with the link, change
// nothing and succeed. False on a database error or a failed update.
bool SettleAssemblySplit(Statements& sql, std::string_view splitLink, double units);
bool SettleAssemblySplit(HVXSConnection& connection, std::string_view splitLink, double units);
bool SettleAssemblySplit(HVXConnection& connection, std::string_view splitLink, double units);

// Rewrites every ticket of the split not settled on its own ("D"), in
// ascending SCALETICK order, so that the tickets first in line are covered
// by the split's settled units (all of them when fullySettled). False when
// an update changes no row.
bool SpreadAssemblyOverTickets(Statements& sql, std::string_view splitLink, double settledUnits,
                               bool fullySettled);
bool SpreadAssemblyOverTickets(HVXSConnection& connection, std::string_view splitLink,
                               double settledUnits, bool fullySettled);
bool SpreadAssemblyOverTickets(HVXConnection& connection, std::string_view splitLink,
                               double settledUnits, bool fullySettled);

}  // namespace hvx::settlement
