#pragma once
// The settlement entry windows' field names (the view registers its widgets
// under them, the commands move the focus to them), their hints and the
// messages of their commands.
#include <string_view>

#include "rules/SettlementFields.h"
#include "windows/WindowMessages.h"

namespace hvx::entry {

// Fields beyond the line fields of SettlementFields.h.
inline constexpr std::string_view kFieldSettDate = "SettDate";
inline constexpr std::string_view kFieldCheckNum = "CheckNum";
inline constexpr std::string_view kFieldDestination = "Destination";
inline constexpr std::string_view kFieldContract = "Contract";
inline constexpr std::string_view kFieldLineDate = "LineDate";
inline constexpr std::string_view kFieldPricePage = "PricePage";
// Buttons the focus is sent to.
inline constexpr std::string_view kButtonNew = "New";
inline constexpr std::string_view kButtonAccept = "Accept";
inline constexpr std::string_view kButtonAcceptLine = "AcceptLine";
inline constexpr std::string_view kButtonMenu = "Menu";
inline constexpr std::string_view kButtonPrint = "Print";

inline constexpr std::string_view kUnavailable = "<Unavailable>";
inline constexpr std::string_view kHelpFile = "HVXGRP.HLP";

// Hints of the small buttons.
inline constexpr std::string_view kHintViewSource = "Load and view the current source.";
inline constexpr std::string_view kHintViewCommodity = "Load and view the current commodity.";
inline constexpr std::string_view kHintSearchCommodity = "Search for a commodity.";
inline constexpr std::string_view kHintSearchLocation = "Search for a location.";
inline constexpr std::string_view kHintAdvances = "Display advance information for this settlement.";
inline constexpr std::string_view kHintChangePosted =
    "Change information on this settlement after it has been posted.";

inline constexpr std::string_view kMsgNoSourceYet = "No source has been selected yet.";
inline constexpr std::string_view kMsgNoSourceReference = "No source reference is currently in use.";
inline constexpr std::string_view kMsgNoCommodity = "No commodity reference is currently in use.";

inline constexpr std::string_view kMsgDetailChanged =
    "Settlement detail has changed. Do you wish to save this source first?";
inline constexpr std::string_view kMsgSourceChanged =
    "Settlement source has changed. Do you wish to save this source first?";
inline constexpr std::string_view kMsgStorageTicketTotal =
    "Total units settled do not equal units on the storage ticket. ALL units on a storage ticket "
    "must be used to save this settlement.";
inline constexpr std::string_view kMsgCannotDeletePosted = "Cannot delete posted settlement.";

inline constexpr std::string_view kMsgNoDestination =
    "No destination has been selected yet. Unable to save settlement entry.";
inline constexpr std::string_view kMsgBelowSettledOnContract =
    "Units settlement cannot be less than the number of units already settled against this "
    "contract.";
inline constexpr std::string_view kMsgContractRequired = "A valid %s contract number is required.";
inline constexpr std::string_view kMsgLastPricedSource =
    "Deleting this last entry will remove all paynames from this settlement. If paynames have been "
    "modified, they must be changed again.\n\nDo you wish to continue?";

// The pop-up of "&New" on a stored settlement.
inline constexpr std::string_view kEnterNewSettlement = "Enter New Settlement";
inline constexpr std::string_view kClearSettlement = "Clear Settlement";

}  // namespace hvx::entry
