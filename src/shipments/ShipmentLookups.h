#pragma once
// What a load's figures read from the reference tables while they are
// entered: the commodity's pounds per unit and the contract's delivery price.
#include <string>
#include <string_view>

namespace hvx::shipments {

struct DirectShipmentLoad;

// LBSUNIT of the commodity; 0 when the commodity is not found, which makes
// every load of it 0 net units (and refused).
double PoundsPerUnit(std::string_view commodity);

// A load without a sale price takes its contract's delivery price (DELPRICE).
// A price already entered, or no contract, is left alone.
void TakeContractPrice(DirectShipmentLoad& load);

// The figures of the load recalculated for the commodity, its sale price
// first taken from the contract when it has none.
void RecalculateLoad(DirectShipmentLoad& load, std::string_view commodity);

}  // namespace hvx::shipments
