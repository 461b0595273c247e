#include "shipments/PurchaseSettlement.h"

#include "platform/Dates.h"
#include "platform/Rounding.h"
#include "platform/Text.h"
#include "rules/ActivityCodes.h"
#include "rules/Categories.h"
#include "rules/SettledQuantityText.h"
#include "rules/SourceKinds.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "settlement/SourceLineBuilder.h"

namespace hvx::shipments {
namespace {

bool BuysOutright(std::string_view destination) {
    return destination == kPriced || destination == kInstallmentSale;
}

}  // namespace

bool CarryLoad(settlement::SettlementRecordSet& set, const ShipmentHeader& header,
               const std::string& destination, DirectShipmentLoad& load, UiPort& ui,
               bool& unclassified, std::string& message) {
    settlement::LineValues values;
    // A direct shipment has no source record to draw on: the line names the
    // shipment it came from.
    values.source = {std::string(kDirectIn), load.reference, "", "", std::string(kDirectIn)};
    values.commodity = header.commodity, values.location = header.location;
    values.destination = destination;
    values.type = SettlementType::MultipleSource;
    values.settDate = header.date;
    // The units go to the line as the settlement writes them: kept to four
    // decimals, then to the commodity's own (two when it has none set).
    const double units = HVXRound(TextNumber(load.figures.netUnits), 4);
    values.units =
        header.decimals < 0 ? units : TextNumber(NewRowUnitsText(units, header.decimals));
    values.price = TextNumber(load.purchasePrice);
    settlement::SettlementDetailItem line;
    const settlement::SettlementDetailItem* carried =
        load.settlementLink.empty() ? nullptr : set.details.FindLine(load.settlementLink);
    if (carried) {
        line = *carried;
        settlement::ApplyLineValues(values, line);
    } else if (!settlement::BuildSourceLine(values, line, message)) {
        return false;
    }
    line.patronage = BuysOutright(destination) ? "T" : "F";
    unclassified = line.glCode == kUnclassifiedCode;
    load.settlementLink = line.dlLink;
    if (carried)
        set.details.ReplaceLine(std::move(line), ui);
    else
        set.details.AddLine(std::move(line));
    return true;
}

void DropLoad(settlement::SettlementRecordSet& set, const DirectShipmentLoad& load, UiPort& ui) {
    if (!load.settlementLink.empty()) set.details.RemoveLine(load.settlementLink, ui);
}

// A sale ("Priced") makes no contract and earns no interest; an installment
// sale has a contract and interest but no due date; every other destination
// is an open contract with its interest, due date and guarantee flag.
void PreparePurchaseSettlement(settlement::SettlementRecordSet& set,
                               settlement::SettlementWindowValues& values,
                               const PurchaseSettlementForm& form) {
    settlement::SettlementHeader& h = set.header;
    h.custRef = form.custRef, h.custName = form.custName;
    h.settDate = form.date, h.entryDate = CurrentDate();
    h.type = SettlementType::MultipleSource;
    const bool priced = form.destination == kPriced;
    const bool installment = form.destination == kInstallmentSale;
    settlement::DestinationTerms& t = set.terms;
    t.isDate = priced ? "" : form.interestDate;
    t.isRate = priced ? "" : form.interestRate;
    t.isDue = priced || installment ? "" : form.dueDate;
    t.submitted = !priced && !installment && form.submittedForGuarantee ? "T" : "F";
    const std::string contract = priced ? "" : form.contract;
    for (const settlement::SettlementDetailItem& line : set.details.Items())
        set.details.FindLine(line.dlLink)->contract = contract;
    const double units = set.details.TotalUnits();
    values.destination = form.destination;
    values.grossAmt = form.grossAmt, values.netAmt = form.netAmt;
    values.avgPrice = units == 0 ? 0 : HVXRound(form.grossAmt / units, 4);
}

}  // namespace hvx::shipments
