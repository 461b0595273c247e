#pragma once
// Makes the source lines of a settlement: every window that adds a line (the
// source selection, the entry windows) builds it here, so a line always
// carries the same complete set of values whatever path made it.
//
// A new line draws its link (DLLINK) once, from the counter of HVXGR04D. An
// edit re-applies the line's values and never draws again: the link is what
// the price page, the deductions and grade rows, the destination record and a
// later reversal all join on, so it stays through edits and re-saves.
#include <string>

#include "rules/SettlementTypes.h"
#include "settlement/SettlementDetailItem.h"

namespace hvx::settlement {

// What the line draws on.
struct LineSource {
    std::string kind;       // source kind
    std::string reference;  // assembly, ticket or contract number
    std::string link;       // the split's LINEID, the ticket's STDLINEID, the contract's DLLINK
    std::string contract;
    std::string fromDpr;    // the category the units leave
};

struct LineValues {
    LineSource source;
    std::string commodity;
    std::string location;
    std::string destination;  // TODPR
    SettlementType type = SettlementType::SingleSource;
    std::string settDate;     // SETDTE
    double units = 0;
    double price = 0;         // per unit
};

inline constexpr const char* kMsgNoLineLink = "Unable to get the next link for a settlement line.";

// A new line with a link of its own; false (with the message) when no link
// could be drawn.
bool BuildSourceLine(const LineValues& values, SettlementDetailItem& line, std::string& message);

// The line's values set again (units, price, destination ...), its link kept.
// What the line's destination has already passed on to later settlements
// stays passed on: its open units move by the change of its units.
void ApplyLineValues(const LineValues& values, SettlementDetailItem& line);

}  // namespace hvx::settlement
