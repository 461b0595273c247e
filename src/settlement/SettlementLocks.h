#pragma once
// The record locks a save, deletion or reversal holds around its transaction:
// the settlement's assemblies and, for a single-source settlement drawing on
// an open contract, the settlement that created that contract. They are taken
// under the process lock "GrainLock1", so two users never move the units of
// one assembly or one contract at the same time.
#include "settlement/LockPurpose.h"

namespace hvx::settlement {

struct SettlementSaveWindow;

// The contract's settlement is locked with this many retries, as assemblies are.
inline constexpr long kSettlementLockRetries = 5;

// Clears the message buffer, then locks. False with the reason in the buffer;
// the locks already taken stay until ReleaseAfterUpdate.
bool LockForUpdate(SettlementSaveWindow& window, LockPurpose purpose);

// Releases what LockForUpdate took. With keepMessage set, a message already
// in the buffer (the reason the operation stopped) is not overwritten by one
// of this step. False when the contract's settlement could not be released.
bool ReleaseAfterUpdate(SettlementSaveWindow& window, bool keepMessage);

}  // namespace hvx::settlement
