#pragma once
// The printed shipment batch: the loads of one finish as they were stored
// (HVXGR07, with HVXGR07A and its deductions HVXGR07D and grade factors
// HVXGR07G for company-owned grain), laid out as a document of the reports
// sibling. Figures are printed as stored; only the totals are added up.
#include <string>
#include <vector>

#include "platform/ReportLayout.h"
#include "shipments/DirectShipmentLoad.h"

namespace hvx::shipments {

struct ShipmentDocumentLoad {
    std::string reference, soldTo, contract, destination, car, trucker, fromDpr;
    std::string grossWt, dockWt, netWt, netUnits, price, grossAmt, deductions, advances, netAmt;
    bool companyOwned = false;  // has its load detail row
    std::vector<ShipmentLine> deductionLines;  // reference: "code description"
    std::vector<ShipmentLine> gradeFactors;
};

struct ShipmentBatchData {
    std::string date, commodity, commodityName, unit, location;
    int priceDecimals = 4;
    std::vector<ShipmentDocumentLoad> loads;
};

// Reads the loads with these shipment links, in that order. False with the
// reason in message when a load cannot be read or is no longer stored.
bool LoadShipmentBatch(const std::vector<std::string>& shipLinks, ShipmentBatchData& batch,
                       std::string& message);

report::Document ShipmentBatchDocument(const ShipmentBatchData& batch);

}  // namespace hvx::shipments
