#pragma once
// Saving a settlement: everything the window holds is stored as one unit, or
// nothing is.
//
// The save runs under the process lock "GrainLock1" and the record locks of
// SettlementLocks, checks the settlement, then writes it inside one
// transaction on the prepared connection. Every lock taken is released on
// every way out.
namespace hvx::settlement {

struct SettlementSaveWindow;

// True when the settlement is stored and every lock released. Otherwise the
// window's message buffer holds the first failure (the window shows it), the
// database holds nothing of this save, and the record set is as it was
// before it: a new settlement stays new and a later save inserts it again.
bool SaveSettlement(SettlementSaveWindow& window);

}  // namespace hvx::settlement
