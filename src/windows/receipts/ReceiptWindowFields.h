#pragma once
// The "Collateral Warehouse Receipts" window's field and button names (the
// view registers its widgets under them, the commands move the focus to
// them), its hints and the messages only this window gives.
#include <string_view>

namespace hvx::receiptwin {

inline constexpr std::string_view kFieldReference = "CWRREF";
inline constexpr std::string_view kFieldIssueDate = "ISSUDATE";
inline constexpr std::string_view kFieldVendor = "VENREF";
inline constexpr std::string_view kFieldCommodity = "COMMODITY";
inline constexpr std::string_view kFieldLocation = "LOCATION";
inline constexpr std::string_view kFieldUnits = "UNITS";
inline constexpr std::string_view kFieldSettleDate = "SETTDATE";
inline constexpr std::string_view kButtonAccept = "Accept";

inline constexpr std::string_view kTitle = "Collateral Warehouse Receipts";

inline constexpr std::string_view kHintCommodity = "Search for a commodity reference.";
inline constexpr std::string_view kHintViewCommodity = "Load and view this commodity.";
inline constexpr std::string_view kHintVendor = "Search for a vendor reference.";
inline constexpr std::string_view kHintLocation = "Search for a location reference.";
inline constexpr std::string_view kHintReport = "Generate a collateral warehouse receipt report";

inline constexpr std::string_view kCaptionError = "Error";
inline constexpr std::string_view kMsgReferenceInUse =
    "Warehouse receipt reference is already in use.";
inline constexpr std::string_view kMsgReferenceRequired =
    "Collateral Warehouse Receipts reference is required.";
inline constexpr std::string_view kMsgDuplicate = "Duplicate CWR reference.";
inline constexpr std::string_view kMsgVendorRequired = "Vendor reference is required.";
inline constexpr std::string_view kMsgVendorInvalid = "Invalid Vendor Reference.";
inline constexpr std::string_view kMsgCommodityRequired = "Commodity reference is required.";
inline constexpr std::string_view kMsgCommodityInvalid = "Invalid Commodity Reference.";
inline constexpr std::string_view kMsgLocationRequired = "Location reference is required.";
inline constexpr std::string_view kMsgLocationInvalid = "Invalid Location.";
inline constexpr std::string_view kMsgCommodityNotFound = "Commodity reference was not found.";
// The question ends with a blank, as the delete question of the suite does.
inline constexpr std::string_view kMsgDelete = "Item Will Be Deleted! Do You Wish To Continue? ";
inline constexpr std::string_view kCaptionDelete = "Delete Item?";

inline constexpr std::string_view kCommentTable = "HVXGR08C";

}  // namespace hvx::receiptwin
