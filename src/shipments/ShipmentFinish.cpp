#include "shipments/ShipmentFinish.h"

#include <vector>

#include "platform/EngineReason.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Transaction.h"
#include "shipments/DirectShipmentBatch.h"
#include "shipments/SalesContractLocks.h"
#include "shipments/ShipmentNumber.h"
#include "shipments/ShipmentStore.h"

namespace hvx::shipments {
namespace {

// Every contract the finish changes: those the loads are shipped against now
// and, for loads stored before, those their stored units were booked on.
std::vector<std::string> ContractsOf(const std::vector<DirectShipmentLoad>& loads) {
    std::vector<std::string> contracts;
    for (const DirectShipmentLoad& load : loads) {
        contracts.push_back(load.contract);
        if (load.stored) contracts.push_back(load.storedContract);
    }
    return contracts;
}

// The number and links a load needs before its rows can be written.
bool Identify(HVXSConnection& connection, const DirectShipmentBatch& batch,
              DirectShipmentLoad& load, std::string& message) {
    if (batch.autoNumbers && load.reference == kAutoNumber &&
        !DrawShipmentNumber(connection, load.reference, message))
        return false;
    if (load.shipLink.empty()) load.shipLink = NextCharLnk(nullptr, 1, "HVXGR07", "SHIPLINK");
    if (load.CompanyOwned() && load.dlLink.empty())
        load.dlLink = NextCharLnk(nullptr, 1, "HVXGR07A", "DLLINK");
    if (load.shipLink.empty() || (load.CompanyOwned() && load.dlLink.empty())) {
        message = "Unable to get the next shipment link.";
        return false;
    }
    return true;
}

// The loads as this finish stores them, or false with the first failure.
bool StoreLoads(DirectShipmentBatch& batch, HostWindow window,
                std::vector<DirectShipmentLoad>& loads, std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    const LoadStorage previous{connection, window, batch.StoredHeader()};
    const LoadStorage current{connection, window, batch.header};
    for (DirectShipmentLoad& load : loads) {
        if (!Identify(connection, batch, load, message)) return false;
        if (load.stored && !TakeBackLoad(previous, load, message)) return false;
        if (!StoreLoad(current, load, message)) return false;
        load.stored = true;
        load.ounits = HVXSRound(load.NetUnits(), 4);
        load.storedContract = load.contract;
    }
    return true;
}

bool Finish(DirectShipmentBatch& batch, HostWindow window, std::string& message) {
    if (auto refused = batch.CheckHeader()) {
        message = refused->message;
        return false;
    }
    // Taken before the transaction and released after it has ended either way
    // (the objects go in reverse order), so no other finish sees a contract
    // between this finish's writes and its commit.
    SalesContractLocks locks;
    if (!locks.Lock(ContractsOf(batch.Loads()), message)) return false;
    HVXConnection carrier(1);
    Transaction tran(carrier, "SELECT RECNO FROM HVXGR07");
    if (!tran.Begun()) {
        message = "Unable to initial connection transaction.";
        return false;
    }
    // The batch is changed only after the commit, so a finish that fails
    // leaves "Auto" numbers, links and stored units as they were.
    std::vector<DirectShipmentLoad> loads = batch.Loads();
    if (!StoreLoads(batch, window, loads, message)) return false;
    if (!tran.Commit()) {
        message = "Unable to commit the shipments.";
        return false;
    }
    batch.Stored(std::move(loads));
    return true;
}

}  // namespace

bool FinishShipments(DirectShipmentBatch& batch, HostWindow window, std::string& message) {
    message.clear();
    return RunExplained(message, [&] { return Finish(batch, window, message); });
}

}  // namespace hvx::shipments
