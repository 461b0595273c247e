#pragma once
// Reversing a posted settlement: a posted mirror copy with its units and
// amounts negated is written, the settlement is marked reversed and closed,
// its units go back to their sources, its advance repayments back to their
// advances, and the advances it paid out are marked "R".
//
// It runs under the process lock "GrainLock1" and the record locks of
// SettlementLocks, in one transaction; every lock is released on every way
// out. The outcome is reported through the window's message buffer.
#include <string_view>

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

struct SettlementSaveWindow;

inline constexpr std::string_view kMsgConfirmReversal =
    "Reversing this settlement cannot be undone.\n\nAre you sure you wish to continue?";

// The question the window asks before it reverses; true on Yes.
bool ConfirmReversal(UiPort& ui);

// False, with the reason in the message buffer, when part of a destination
// of the settlement has been settled onward, or an advance it paid out has
// been partly repaid.
bool CanReverse(SettlementSaveWindow& window);

// Reverses the settlement loaded in the window. True when it is reversed and
// every lock released; otherwise the message buffer holds why and nothing
// of the reversal is stored.
bool ReverseSettlement(SettlementSaveWindow& window);

}  // namespace hvx::settlement
