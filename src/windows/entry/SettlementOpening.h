#pragma once
// What a settlement entry window holds once it opens with the key it was
// given (SettlementKey.h): nothing for a new settlement, the stored
// settlement of a number, or a new single-source settlement drawing on the
// contract a source line made ("#RECNO").
#include "rules/SettlementTypes.h"
#include "windows/SettlementKey.h"

namespace hvx {
class UiPort;
}

namespace hvx::settlement {
struct SettlementRecordSet;
}

namespace hvx::entry {

struct ContractSourcePick;

// Fills the window's record set (and, from a source line, its picked
// contract) for the key. False when the key cannot be followed: the reason
// has been shown (caption "Harvexa") and the record set is empty.
bool OpenSettlement(const SettlementKey& key, SettlementType windowType,
                    settlement::SettlementRecordSet& set, ContractSourcePick& pick, UiPort& ui);

}  // namespace hvx::entry
