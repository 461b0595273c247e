#pragma once
// The purchase settlement a batch of direct shipments makes: the grain
// shipped is bought from the customer, one "Direct In" line per load into the
// settlement's one destination ("To DPR"). The window owns the record set;
// these functions keep it in step with the loads, and the settlement save
// stores it after the shipments are committed.
#include <string>

#include "shipments/DirectShipmentBatch.h"

namespace hvx {
class UiPort;
}
namespace hvx::settlement {
struct SettlementRecordSet;
struct SettlementWindowValues;
}  // namespace hvx::settlement

namespace hvx::shipments {

// What the window holds for the settlement besides its lines.
struct PurchaseSettlementForm {
    std::string custRef, custName;
    std::string date;         // "MM/DD/YYYY"
    std::string destination;  // "To DPR"
    std::string contract;
    std::string interestDate, interestRate, dueDate;
    bool submittedForGuarantee = false;
    double grossAmt = 0, netAmt = 0;
};

// Puts the load's line into the settlement: a new line with a link of its
// own, or, for a load already carried, its line set again with the link
// kept. False with the message when no link could be drawn. unclassified is
// set when the destination gives "Direct In" no activity class; the line is
// carried all the same. A line names its load's "Shipment #", so the loads
// are carried again after a finish that drew numbers for them.
bool CarryLoad(settlement::SettlementRecordSet& set, const ShipmentHeader& header,
               const std::string& destination, DirectShipmentLoad& load, UiPort& ui,
               bool& unclassified, std::string& message);

// Takes the load's line out of the settlement (the load was removed).
void DropLoad(settlement::SettlementRecordSet& set, const DirectShipmentLoad& load, UiPort& ui);

// The header, destination terms and totals the save writes, from the form.
void PreparePurchaseSettlement(settlement::SettlementRecordSet& set,
                               settlement::SettlementWindowValues& values,
                               const PurchaseSettlementForm& form);

}  // namespace hvx::shipments
