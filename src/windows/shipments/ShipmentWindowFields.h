#pragma once
// The "Direct Shipments" window's field and button names (the view registers
// its widgets under them, the commands move the focus to them) and the
// messages only this window gives.
#include <string>
#include <string_view>

#include "shipments/DirectShipmentBatch.h"
#include "windows/WindowMessages.h"

namespace hvx::shipwin {

inline constexpr std::string_view kFieldDate = "Date";
inline constexpr std::string_view kFieldCommodity = "Commodity";
inline constexpr std::string_view kFieldLocation = "Location";
inline constexpr std::string_view kFieldReference = "ShipmentNumber";
inline constexpr std::string_view kFieldDestination = "Destination";
inline constexpr std::string_view kFieldContract = "Contract";
inline constexpr std::string_view kFieldSoldTo = "SoldTo";
inline constexpr std::string_view kFieldTrucker = "Trucker";
inline constexpr std::string_view kFieldNetUnits = "NetUnits";
inline constexpr std::string_view kFieldWeighDate = "WeighDate";
inline constexpr std::string_view kFieldSalePrice = "SalePrice";
inline constexpr std::string_view kFieldGrossAmt = "GrossAmt";
inline constexpr std::string_view kFieldGlAccount = "GlAccount";
inline constexpr std::string_view kFieldPurchasePrice = "PurchasePrice";
inline constexpr std::string_view kFieldDeduction = "Deduction";
inline constexpr std::string_view kButtonAddLoad = "AddLoad";
inline constexpr std::string_view kButtonPrint = "Print";

// The text without the blanks around it.
std::string Trimmed(std::string text);

// The field a refused load or header names.
std::string_view FieldOf(shipments::ShipmentField field);

inline constexpr std::string_view kCaptionDirectShipments = "Direct Shipments";
inline constexpr std::string_view kCompanyOwned = "Company Owned";
inline constexpr std::string_view kPricedLater = "Priced Later";

inline constexpr std::string_view kMsgRemoveLoad =
    "Are you sure you want to remove this shipment record?";
inline constexpr std::string_view kRemoveCaption = "Remove";
inline constexpr std::string_view kMsgEnterComments = "Would you like to enter the comments?";
inline constexpr std::string_view kCommentsCaption = "Comments";
inline constexpr std::string_view kMsgNoCommoditySpecified = "No commodity is specified.";
inline constexpr std::string_view kMsgNoCommodityReference = "No commodity reference is found.";
inline constexpr std::string_view kMsgNoBuyerReference = "No buyer reference is found.";
inline constexpr std::string_view kMsgNoDestinationReference =
    "No shipping destination reference is found.";

// Comments of a stored shipment are kept under its SHIPLINK.
inline constexpr std::string_view kShipmentCommentTable = "HVXGR07C";

}  // namespace hvx::shipwin
