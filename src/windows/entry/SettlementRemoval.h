#pragma once
// The "&Delete" / "R&everse" button of both settlement entry windows. The
// button asks its one question here; the deletion and the reversal it hands
// over to ask none of their own, so the user is never asked twice.
#include <string_view>

namespace hvx::settlement {
struct SettlementSaveWindow;
}

namespace hvx::entry {

inline constexpr std::string_view kMsgConfirmDelete =
    "Item Will Be Deleted! Do You Wish To Continue? ";
inline constexpr std::string_view kConfirmDeleteCaption = "Delete Item?";

// A posted settlement is reversed (the button then reads "R&everse"), any
// other deleted, each after its question was answered Yes. A failed reversal shows its message here; the
// deletion shows its own. True when the settlement was deleted or reversed.
bool DeleteOrReverse(settlement::SettlementSaveWindow& window);

}  // namespace hvx::entry
