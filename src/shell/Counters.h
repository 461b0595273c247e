#pragma once
// The numbering counters kept in the configuration table HVXGR40: settlement
// numbers (CONFIG18), position activity numbers (NEXTDPR) and shipment
// numbers (CONFIG8).
//
// The counters are advanced by an UPDATE guarded with the value read, and are
// taken while the process lock "GrainLock1" is held; two users who still read
// the same value get the same number, which the check against stored
// settlements (or shipments) catches once the other one has been saved.
//
// A counter that cannot be drawn returns 0. That happens when HVXGR40 has no
// row, or when the counter cannot be moved past a number already on file; the
// reason then goes into *message, or is shown (caption "Harvexa") when no
// message buffer is given. (The simple forms also return 0, with no message,
// for a counter stored as "0": they take a stored value as it is.)
#include <string>

class HVXConnection;
class HVXSConnection;

namespace hvx {

// The next free settlement number, on the simple connection (used by reversal).
long NextSettlementNumber(HVXSConnection& connection, std::string* message = nullptr);

// The next free settlement number, on the prepared connection that carries the
// save's transaction; a stored 0 or empty counter reads as 1.
long NextSettlementNumber(HVXConnection& connection, std::string* message = nullptr);

// The next position activity number; written with "%08li" by the ledger.
long NextActivityNumber(HVXSConnection& connection, std::string* message = nullptr);

// The next free direct shipment number, checked against the shipments on file.
long NextShipmentNumber(HVXSConnection& connection, std::string* message = nullptr);

}  // namespace hvx
