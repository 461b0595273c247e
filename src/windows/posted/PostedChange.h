#pragma once
// The change button of the settlement entry windows: the terms of a posted
// settlement's destination that may still change (storage, installment-sale
// interest, service charge, the check number of a priced settlement).
//
// Each change is one UPDATE on a new simple connection, without a
// transaction and without the process lock: the settlement itself stays
// posted and untouched, only the terms move. A change that reaches no row
// says so and leaves the record set as it was; one that succeeds puts the new
// values into the record set, from which the window redraws its fields.
#include <cstddef>
#include <optional>
#include <string_view>

#include "windows/WindowMessages.h"
#include "windows/posted/PostedChangeDialogs.h"

namespace hvx {
class UiPort;
}
namespace hvx::settlement {
struct SettlementRecordSet;
}

namespace hvx::posted {

inline constexpr std::string_view kMsgLineNotInList =
    "Unable to find the settlement detail line in the detail list. Cannot save changes.";
inline constexpr std::string_view kMsgLineNotUpdated = "Error updating information in HVXGR04F.";
inline constexpr std::string_view kMsgDestinationNotWritten =
    "Error writing information to HVXGR04F.";
inline constexpr std::string_view kMsgCheckNumberNotWritten =
    "Error writing information to HVXGR04.";

// The single-source window: the line selected in its line table (an index
// into the record set's lines, none when no line is selected) decides. Its
// destination record is updated by the line's DLLINK, the check number by
// the settlement's SETLINK. True when something was written.
bool ChangePostedLine(settlement::SettlementRecordSet& set,
                      std::optional<std::size_t> selectedLine, PostedChangeDialogs& dialogs,
                      UiPort& ui);

// The multiple-source window: the settlement's one destination category
// decides, the terms are the record set's destination terms, and every
// update is keyed by the settlement's SETLINK. True when something was
// written.
bool ChangePostedDestination(settlement::SettlementRecordSet& set, std::string_view destination,
                             PostedChangeDialogs& dialogs, UiPort& ui);

}  // namespace hvx::posted
