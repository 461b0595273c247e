#pragma once
// The last word on whether a source still has the units a save takes.
//
// The checks before the save's transaction read rows that another
// workstation's save may still change; only the process lock keeps two saves
// apart there. Inside the transaction each source row is read again and held
// until commit (a row lock on PostgreSQL; SQLite's write transaction holds the
// whole database), so a save that would take more than the source has is
// refused by the database's own state, whatever the locks did.
//
// Units taken are held to what the window lets a clerk enter: a split's share,
// a ticket's units, a contract's open units (not an installment sale's, whose
// units follow from the dollars paid and may round past them). Units given
// back are never refused; their rows are held all the same, so that no other
// save's change is overwritten.
#include <string>
#include <string_view>

namespace hvx {
class Statements;
}

namespace hvx::settlement {

// The sentence added to a refusal: why the earlier check did not catch it.
inline constexpr std::string_view kMsgTakenMeanwhile =
    "Another user's save took these units while this settlement was being saved.";

// The validation's text for a split settled beyond its share: assembly, units
// beyond the share, split link.
std::string SplitBeyondShareMessage(std::string_view assembly, double beyond,
                                    std::string_view splitLink);

// Each holds the source's row (a ticket's: its split's too) for the rest of
// the transaction and refuses `units` (negative: given back) beyond what it
// still has, with a message naming the source and kMsgTakenMeanwhile on a
// second line. A missing row is nothing to guard. False on a database error,
// with the engine's message.
bool GuardSplit(Statements& sql, std::string_view assembly, std::string_view splitLink,
                double units, std::string& message);
bool GuardTicket(Statements& sql, std::string_view ticket, std::string_view ticketLink,
                 double units, std::string& message);
bool GuardContract(Statements& sql, double dlLink, double units, std::string& message);

}  // namespace hvx::settlement
