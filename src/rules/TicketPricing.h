#pragma once
// Prices of delivered grain adjusted for its grade: the premium or discount
// of a scale ticket, and the default unit prices of an assembly and of a
// scale-ticket line built from them.
#include <string_view>

namespace hvx {

// The premium (positive) or discount (negative) per unit of a scale ticket
// priced at p, summed over its tests (HVXGR03G). A test whose grade factor
// the ticket's contract assigns a schedule (HVXGR01G) is priced by that
// schedule, and contributes 0 when the schedule does not exist; any other
// test, and every test of a ticket without a contract, keeps the premium or
// discount already priced on the ticket (PREMDISC).
double TicketPremiumDiscount(std::string_view ticket, std::string_view contract,
                             std::string_view commodity, double price);

// The unit price of an assembly: each ticket line's price plus its ticket's
// premium/discount, weighted by the line's units, rounded to 4 decimals; 0
// when the lines' units add up to exactly zero.
double AssemblyPrice(std::string_view assemblyLink, std::string_view commodity);

// The unit price of one scale-ticket line (by STDLINEID): its price plus its
// ticket's premium/discount, rounded to 4 decimals; 0 when there is no line.
double ScaleTicketPrice(std::string_view ticketLine, std::string_view commodity);

}  // namespace hvx
