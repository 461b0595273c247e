#pragma once
// Writing a settlement's lines (HVXGR04D), destination records (HVXGR04F)
// and assembly links (HVXGR04H) on the prepared connection, inside the
// save's transaction.
//
// The stored lines and destination records are deleted and written again
// under new record numbers, so a re-saved settlement holds exactly the lines
// of its window. A single-source settlement writes one destination record a
// line; a multiple-source settlement one for the whole settlement, after its
// lines, under the settlement link.
#include <string>

class HVXConnection;

namespace hvx::settlement {

struct SettlementSaveWindow;

// A date text (the window's form or "MM/DD/YYYY") as date columns are bound:
// the form literal SQL carries between braces; a text that names no date is
// bound empty and stored as no date.
std::string BoundDate(std::string text);

// The header (number and link) is already set. settDate is the settlement
// date as SQLFmtDate leaves it. False with the reason in message.
bool WriteSettlementDetails(const SettlementSaveWindow& window, HVXConnection& connection,
                            const std::string& settDate, std::string& message);

}  // namespace hvx::settlement
