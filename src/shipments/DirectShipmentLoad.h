#pragma once
// One load of a direct shipment batch, as the loads grid holds it and as it
// is stored: a shipment row (HVXGR07) and, for company-owned grain, a load
// detail row (HVXGR07A) with its deduction (HVXGR07D) and grade factor
// (HVXGR07G) lines.
#include <string>
#include <vector>

#include "shipments/LoadCalculation.h"

namespace hvx::shipments {

// A deduction with its amount, or a grade factor with its result.
struct ShipmentLine {
    std::string reference;
    std::string value;
};

struct DirectShipmentLoad {
    std::string reference;  // "Shipment #": a number, or "Auto" until the finish draws one
    std::string destination;
    std::string carNumber;  // BL/car number
    std::string carInitial;
    std::string contract;  // the sales contract shipped against; may be empty
    std::string purchasePrice;
    LoadFigures figures;
    std::string weighDate;  // "MM/DD/YYYY"
    std::string trucker;
    std::string grade;
    bool paid = false;
    std::string glAcct1, glAcct2, glAcct3;
    std::string fromDpr = "Company Owned";  // or the category the grain is shipped from
    std::string soldToRef, soldToName;
    std::vector<ShipmentLine> deductionLines;
    std::vector<ShipmentLine> gradeFactors;

    // Links, drawn from the counters at the first finish that stores the load.
    std::string shipLink;
    std::string dlLink;  // company-owned loads only
    // The link of the load's "Direct In" line in the purchase settlement.
    std::string settlementLink;

    // What the last finish stored, which the next finish takes back before it
    // stores the load anew.
    bool stored = false;
    std::string ounits;          // net units as stored
    std::string storedContract;  // the contract those units were booked on

    bool CompanyOwned() const;
    double NetUnits() const;
};

}  // namespace hvx::shipments
