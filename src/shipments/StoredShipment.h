#pragma once
// A shipment stored by an earlier batch, opened again to put a mistake right
// (a wrong weight, contract or car number found after the batch was
// finished).
//
// Revising changes the stored rows in place and books only the difference
// between what the shipment booked before and what it books now: a load that
// goes from 100 to 120 units adds 20 units shipped, one position record, not a
// take-back of 100 and a new 120. The purchase settlement that bought the
// grain is not touched: it is a settlement of its own, changed or reversed in
// the settlement windows.
#include <string>

#include "platform/HostPort.h"
#include "shipments/DirectShipmentBatch.h"

namespace hvx::shipments {

// Reads the shipment with the given link into a batch of one stored load:
// the batch's header is the shipment's date, commodity and location, and the
// load holds what was stored (its units and contract as booked). False with
// a message when there is no such shipment, or when it has been posted and
// may no longer change.
bool OpenStoredShipment(const std::string& shipLink, DirectShipmentBatch& batch,
                        std::string& message);

// Writes the batch's one load over the stored shipment, in one transaction
// with its sales contracts locked: the shipment row, its load detail (updated,
// added or removed as the grain it was shipped from changed), its deduction
// and grade factor lines, and the difference on the contracts' received and
// settled units and on the positions. On success the batch holds the load as
// now stored; on failure nothing changed and message says why.
bool ReviseStoredShipment(DirectShipmentBatch& batch, HostWindow window, std::string& message);

}  // namespace hvx::shipments
