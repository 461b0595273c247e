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
inline constexpr std::string_view kButtonFinish = "Finish";

// The stored shipments "Re&vise Shipment..." offers, and its list's columns.
inline constexpr std::string_view kReviseTitle = "Revise Shipment";
inline constexpr const char* kStoredShipments =
    "SELECT REFERENCE,SHIPDATE,COMMODITY,LOCATION,CUSTNAME,CONTRACT,ESTUNITS,FROMDPR,"
    "STR(RECNO) FROM HVXGR07";
inline constexpr const char* kStoredShipmentColumns =
    "REFERENCE,Shipment #,12,-1,SHIPDATE,Date,12,0,COMMODITY,Commodity,12,0,LOCATION,Location,"
    "12,0,CUSTNAME,Sold To,30,0,CONTRACT,Contract,12,0,ESTUNITS,Net Units,12,0,FROMDPR,"
    "Shipped From,15,0";

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
