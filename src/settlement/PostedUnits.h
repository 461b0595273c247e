#pragma once
// Posted units of assembly splits and the settled flag of an assembly, kept
// by the posting of a settlement (literal SQL on the simple connection, as
// the reversal runs).
//
// An assembly is settled ("T") when every one of its splits has all of its
// share settled by posted settlements.
#include <string_view>

class HVXSConnection;

namespace hvx::settlement {

// Adds units to the split's PSETUNITS; 0 units or no split with the link
// change nothing. False on a database error.
bool AddPostedUnits(HVXSConnection& connection, std::string_view splitLink, double units);

// Sets HVXGR02.SETTLED of the assembly from its splits: "F" when any split
// has less posted than its share or a share of 0, else "T". False on a
// database error.
bool RefreshAssemblySettledFlag(HVXSConnection& connection, std::string_view assembly);

// The posting of one line's units: an "Assembly" source on its split (the
// source link) and its assembly (the source reference), a "Scale Ticket"
// source on the split and assembly its ticket names. Other kinds, and a
// ticket that is not found, have nothing to post. False on a database error.
bool PostSourceUnits(HVXSConnection& connection, std::string_view sourceKind,
                     std::string_view sourceLink, std::string_view sourceRef, double units);

}  // namespace hvx::settlement
