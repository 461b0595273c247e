#pragma once
// Settled units of a scale ticket line (HVXGR03A), counted on the ticket's
// assembly split as well, in the literal form, the prepared form and the
// Statements form both run.
#include <string_view>

class HVXConnection;
class HVXSConnection;

namespace hvx {
class Statements;
}

namespace hvx::settlement {

// Adds units (negative: gives them back) to the ticket's settled units: "D"
// when they come to exactly its units, else "F". The same units are settled
// on the ticket's split, which is not spread over its tickets again. No
// ticket with the link changes nothing and succeeds.
bool SettleScaleTicket(Statements& sql, std::string_view ticketLink, double units);
bool SettleScaleTicket(HVXSConnection& connection, std::string_view ticketLink, double units);
bool SettleScaleTicket(HVXConnection& connection, std::string_view ticketLink, double units);

}  // namespace hvx::settlement
