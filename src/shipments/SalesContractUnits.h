#pragma once
// The quantities of a sales contract (HVXGR05) that shipments move: OCQTY,
// the units shipped against it and not yet settled, and QTYRECV, the units
// settled. Both run on the caller's connection inside its transaction and
// leave the given message when no contract row was changed.
#include <string>
#include <string_view>

class HVXSConnection;

namespace hvx::shipments {

// OCQTY + units.
bool AddUnitsReceived(HVXSConnection& connection, std::string_view contract, double units,
                      std::string& message);

// QTYRECV + units and OCQTY - units: received units become settled.
bool AddUnitsSettled(HVXSConnection& connection, std::string_view contract, double units,
                     std::string& message);

}  // namespace hvx::shipments
