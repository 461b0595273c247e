#pragma once
// Storing one load of a finish, and taking back what an earlier finish stored
// for it. Both run on the caller's simple connection inside the finish's
// transaction and stop at the first failure with its message; the finish
// then rolls everything back.
#include <string>

#include "platform/HostPort.h"

class HVXSConnection;

namespace hvx::shipments {

struct DirectShipmentLoad;
struct ShipmentHeader;

struct LoadStorage {
    HVXSConnection& connection;
    HostWindow window;  // receives the position change notices
    const ShipmentHeader& header;
};

// The shipment row, the contract's received units and the positions; for a
// company-owned load also its detail row, deduction and grade factor lines
// and the contract's settled units. The load's reference and links are set.
bool StoreLoad(const LoadStorage& storage, const DirectShipmentLoad& load, std::string& message);

// Undoes StoreLoad for the load as last stored (its units, its contract),
// under the header it was stored with.
bool TakeBackLoad(const LoadStorage& storage, const DirectShipmentLoad& load,
                  std::string& message);

// The position effect of shipping units (negative units take a shipment
// back): the units shipped rise and the company-owned units fall.
bool BookShippedUnits(const LoadStorage& storage, const DirectShipmentLoad& load, double units,
                      std::string& message);

}  // namespace hvx::shipments
