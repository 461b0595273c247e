#pragma once
// The save's last step: the units a settlement takes are counted on the
// records they come from.
//
// Only what changed since the settlement was loaded moves: each distinct
// source is settled by its unit delta, so saving an unchanged settlement
// moves nothing and a source no line uses any more gets its units back.
#include <string>
#include <string_view>

class HVXConnection;
class HVXSConnection;

namespace hvx {
class Statements;
}

namespace hvx::settlement {

struct SettlementRecordSet;

inline constexpr std::string_view kMsgSettleAssemblyFailed = "Settle assembly routine failed.";
inline constexpr std::string_view kMsgSettleTicketFailed = "Settle scale ticket routine failed.";

// The open contract a single-source settlement draws on. Such a settlement
// moves its contract by the change of its totals, not source by source.
struct ContractSource {
    bool isContract = false;
    double dlLink = 0;  // the contract's DLLINK
};

// A single-source settlement whose source kind is an open-contract category
// draws on the contract its source link names; any other draws on none. The
// source is read from the defaults and, where they are empty, from the lines.
ContractSource ContractSourceOf(const SettlementRecordSet& recordSet);

// Settles every source of the record set by its delta, in list order:
// assembly splits, scale tickets, and in a multiple-source settlement
// (header type) the open contracts drawn on; then a single-source
// settlement's contract by the change of its totals since the load. On
// success the sources are committed and the loaded totals become the
// current ones, as if the settlement had just been loaded. Before its units
// move, each source is held and refuses units it no longer has (SourceGuard.h).
// The first failure stops with its message and commits nothing, so a save
// retried after its transaction was cancelled applies the same deltas again.
bool ApplySettlementToSources(Statements& sql, SettlementRecordSet& recordSet,
                              const ContractSource& contract, std::string& message);
bool ApplySettlementToSources(HVXConnection& connection, SettlementRecordSet& recordSet,
                              const ContractSource& contract, std::string& message);
bool ApplySettlementToSources(HVXSConnection& connection, SettlementRecordSet& recordSet,
                              const ContractSource& contract, std::string& message);

}  // namespace hvx::settlement
