#pragma once
// "&Finish" of a direct shipment batch: every load stored in one transaction.
#include <string>

#include "platform/HostPort.h"

namespace hvx::shipments {

class DirectShipmentBatch;

// Checks the header, locks the batch's sales contracts, then in one
// transaction draws the numbers and links the loads still need, takes back
// what an earlier finish stored for each load and stores it anew. True when
// committed: the batch then holds the loads as stored and counts the finish.
// False with the first failure in message (and the engine's reason on a
// second line when a statement failed): the database, the batch and the
// contract locks are as they were before.
bool FinishShipments(DirectShipmentBatch& batch, HostWindow window, std::string& message);

}  // namespace hvx::shipments
