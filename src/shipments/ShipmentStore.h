#pragma once
// Storing one load of a finish, and taking back what an earlier finish stored
// for it. Both run on the caller's simple connection inside the finish's
// transaction and stop at the first failure with its message; the finish
// then rolls everything back.
#include <string>
#include <string_view>

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

// Another window may have revised the shipment since this one stored it:
// taking back what this one remembers would then book the wrong units. True
// when the stored row still holds the load's units and contract as last
// stored, under the storage's header; otherwise message names the shipment.
inline constexpr const char* kMsgChangedSinceStored =
    "Shipment %s has been changed by another user since it was stored here. Open it with "
    "\"Revise Shipment...\" to change it again.";
bool StillAsStored(const LoadStorage& storage, const DirectShipmentLoad& load,
                   std::string& message);

// Undoes StoreLoad for the load as last stored (its units, its contract),
// under the header it was stored with.
bool TakeBackLoad(const LoadStorage& storage, const DirectShipmentLoad& load,
                  std::string& message);

// The load detail row (HVXGR07A) of a company-owned load.
bool InsertLoadDetail(const LoadStorage& storage, const DirectShipmentLoad& load,
                      std::string& message);

// The shipment's deduction (HVXGR07D) and grade factor (HVXGR07G) lines
// replaced by the load's.
bool ReplaceLoadLines(const LoadStorage& storage, const DirectShipmentLoad& load,
                      std::string& message);

// Stored figures are plain numbers: the "*" that marks a typed figure belongs
// to the form, not to what reports and postings read.
std::string StoredFigure(std::string_view text);
// A "MM/DD/YYYY" date as the braces of a literal statement take it.
std::string SqlDateText(std::string date);

// The position effect of shipping units (negative units take a shipment
// back): the units shipped rise and the company-owned units fall.
bool BookShippedUnits(const LoadStorage& storage, const DirectShipmentLoad& load, double units,
                      std::string& message);

}  // namespace hvx::shipments
