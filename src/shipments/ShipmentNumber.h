#pragma once
// Automatic shipment numbers: HVXGR40.CONFIG8 holds the next number as
// decimal text. Drawing one advances it inside the caller's transaction, so a
// finish that is rolled back gives its numbers back.
#include <string>

class HVXSConnection;

namespace hvx::shipments {

// The "Shipment #" a load shows until its number is drawn at the finish.
inline constexpr const char* kAutoNumber = "Auto";

// The next shipment number no stored shipment has yet, as "%li" text. False
// with the reason in message when no number can be drawn (no HVXGR40 row, or
// a statement failed); the finish then stops.
bool DrawShipmentNumber(HVXSConnection& connection, std::string& number, std::string& message);

}  // namespace hvx::shipments
