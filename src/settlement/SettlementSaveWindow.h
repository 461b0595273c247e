#pragma once
// The settlement window as the save, the deletion and the reversal see it:
// its record set, the values it keeps beside the record set, its UI port, its
// advance selection dialog and its message buffer.
//
// The save never shows its own failures: it leaves the first one in the
// window's message buffer and the window shows it.
#include <string>

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

class AdvanceSelectionPort;
struct SettlementRecordSet;

// What the window holds outside the record set.
struct SettlementWindowValues {
    // A multiple-source settlement: its one destination and what the price
    // page computed for it. (Whether a single-source settlement draws on an
    // open contract is read from its record set, ContractSourceOf.)
    std::string destination;
    double avgPrice = 0;
    double grossAmt = 0;
    double netAmt = 0;
};

struct SettlementSaveWindow {
    SettlementRecordSet& set;
    const SettlementWindowValues& values;
    UiPort& ui;
    // The advance selection dialog of the window; null where the window has
    // none, and then choosing advances by hand cancels the save.
    AdvanceSelectionPort* selection;
    std::string& message;
    // The contract's settlement record locked for this save; released by
    // this number, so a failed lookup after the commit cannot keep it locked.
    double contractLockRecno = 0;
};

}  // namespace hvx::settlement
