#pragma once
// Loading a stored settlement into the window's record set by its link.
#include <string_view>

#include "rules/SettlementTypes.h"

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

struct SettlementRecordSet;

// Reads the header, the lines (with the destination record of each line of a
// single-source settlement, or the settlement's destination terms), and the
// child lists. The lines enter their sources as already saved, and the
// loaded totals are kept for the save.
//
// False when the settlement cannot be loaded; the reason has been shown on
// the port (caption "Harvexa"), and the lines added before the failure stay.
bool LoadSettlement(SettlementRecordSet& set, std::string_view setLink,
                    SettlementType windowType, UiPort& ui);

// The same for the settlement of this number (the key a window opens with,
// a number typed or picked). A number no settlement has shows "Unable to
// find settlement number <%s>" and loads nothing.
bool LoadSettlementByNumber(SettlementRecordSet& set, std::string_view number,
                            SettlementType windowType, UiPort& ui);

}  // namespace hvx::settlement
