#pragma once
// Deleting an unposted settlement: its rows are removed and every unit and
// advance repayment it took is given back, in one transaction under the
// process lock "GrainLock1" and the record locks of SettlementLocks. A
// posted settlement is never deleted; it is reversed.
namespace hvx::settlement {

struct SettlementSaveWindow;

// Deletes the settlement loaded in the window, once the user has agreed: the
// window asks its question before it calls this, so the deletion asks none.
// Shows every message itself (caption "Harvexa"). True when the settlement
// was deleted; the window's record set is then cleared.
bool DeleteSettlement(SettlementSaveWindow& window);

}  // namespace hvx::settlement
