#pragma once
// A batch of direct shipment loads: one date, commodity and location, the
// loads in grid order, and how often the batch has been finished.
//
// The batch checks a load before it takes it, in the order the window shows
// the messages, and refuses changes a stored batch no longer allows. Storing
// it is FinishShipments (ShipmentFinish.h).
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shipments/DirectShipmentLoad.h"

namespace hvx::shipments {

struct ShipmentHeader {
    std::string date;  // "MM/DD/YYYY"
    std::string commodity;
    std::string location;
    // The commodity's DECIMALS, which the purchase settlement's units are
    // written with; -1 until the commodity has been read.
    int decimals = -1;
};

// The field a refused load or header puts the focus on.
enum class ShipmentField {
    Date,
    Commodity,
    Location,
    Reference,
    NetUnits,
    WeighDate,
    SalePrice,
    GrossAmt,
    GlAccount,
    PurchasePrice,
};

struct ShipmentRefusal {
    std::string message;
    ShipmentField field;
};

// Verifies a three-part G/L account (through the general ledger module).
using GlAccountCheck =
    std::function<bool(const std::string&, const std::string&, const std::string&)>;

class DirectShipmentBatch {
public:
    ShipmentHeader header;
    // The purchase settlement's "To DPR".
    std::string settlementDestination;
    bool autoNumbers = false;  // HVXGR40.CONFIG9 "T"
    bool glEntry = false;      // HVXGR40.CONFIG19 "T"

    // "Date is required.", "Commodity is required.", "Location is required.".
    std::optional<ShipmentRefusal> CheckHeader() const;

    // Checks the load and puts it into the grid: as a new row, or in place of
    // the row given. The refusal leaves the grid as it was. verifyGl is asked
    // only with G/L entry on, for a company-owned load.
    std::optional<ShipmentRefusal> AddLoad(DirectShipmentLoad load, std::optional<std::size_t> row,
                                           const GlAccountCheck& verifyGl);

    // Loads can be removed until the batch is first stored: a stored load is
    // only ever stored again, never left behind.
    bool CanRemoveLoads() const { return !StoredBefore(); }
    bool RemoveLoad(std::size_t row);

    const std::vector<DirectShipmentLoad>& Loads() const { return loads_; }
    int FinishCount() const { return finishCount_; }
    bool StoredBefore() const { return finishCount_ > 1; }
    // The header the stored loads were booked under.
    const ShipmentHeader& StoredHeader() const { return storedHeader_; }

    // "&New": an empty batch, the configuration kept.
    void Clear();

    // After a finish committed: the loads as stored (numbers and links drawn,
    // units remembered for the next finish) and one more finish counted.
    void Stored(std::vector<DirectShipmentLoad> loads);

private:
    std::vector<DirectShipmentLoad> loads_;
    int finishCount_ = 1;
    ShipmentHeader storedHeader_;
};

}  // namespace hvx::shipments
