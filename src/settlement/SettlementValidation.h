#pragma once
// The checks a settlement passes before its save begins a transaction. They
// run under the save's locks, so what they find still holds when the save
// writes.
namespace hvx::settlement {

struct SettlementSaveWindow;

// False with the reason in the window's message buffer.
bool ValidateForSave(SettlementSaveWindow& window);

}  // namespace hvx::settlement
