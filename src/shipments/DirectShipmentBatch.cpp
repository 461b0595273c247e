#include "shipments/DirectShipmentBatch.h"

#include <string_view>
#include <utility>

#include "platform/Rounding.h"
#include "platform/Text.h"
#include "rules/Categories.h"

namespace hvx::shipments {
namespace {

bool Blank(std::string text) {
    TRIM(text);
    return text.empty();
}

ShipmentRefusal Refuse(std::string_view message, ShipmentField field) {
    return {std::string(message), field};
}

// The checks of a load's own fields, after the header's.
std::optional<ShipmentRefusal> CheckLoad(const DirectShipmentLoad& load,
                                         const DirectShipmentBatch& batch,
                                         const GlAccountCheck& verifyGl) {
    if (Blank(load.reference))
        return Refuse("Shipment reference is required.", ShipmentField::Reference);
    if (Blank(load.figures.netUnits))
        return Refuse("Net Units is required.", ShipmentField::NetUnits);
    // Units are kept to four decimals; less than that is no load at all.
    if (HVXRound(load.NetUnits(), 4) == 0)
        return Refuse("Net Units is 0.", ShipmentField::NetUnits);
    if (load.CompanyOwned()) {
        if (Blank(load.weighDate))
            return Refuse("Weigh date is required.", ShipmentField::WeighDate);
        if (Blank(load.figures.salePrice))
            return Refuse("Sale Price is required.", ShipmentField::SalePrice);
        if (Blank(load.figures.grossAmt))
            return Refuse("Gross amount is required.", ShipmentField::GrossAmt);
        if (batch.glEntry && !(verifyGl && verifyGl(load.glAcct1, load.glAcct2, load.glAcct3)))
            return Refuse("A valid General Ledger account is required.",
                          ShipmentField::GlAccount);
    }
    const std::string& to = batch.settlementDestination;
    if ((to == kPriced || to == kInstallmentSale) && Blank(load.purchasePrice))
        return Refuse("Purchase Price is required.", ShipmentField::PurchasePrice);
    return std::nullopt;
}

}  // namespace

std::optional<ShipmentRefusal> DirectShipmentBatch::CheckHeader() const {
    if (Blank(header.date)) return Refuse("Date is required.", ShipmentField::Date);
    if (Blank(header.commodity)) return Refuse("Commodity is required.", ShipmentField::Commodity);
    if (Blank(header.location)) return Refuse("Location is required.", ShipmentField::Location);
    return std::nullopt;
}

std::optional<ShipmentRefusal> DirectShipmentBatch::AddLoad(DirectShipmentLoad load,
                                                            std::optional<std::size_t> row,
                                                            const GlAccountCheck& verifyGl) {
    if (auto refused = CheckHeader()) return refused;
    if (auto refused = CheckLoad(load, *this, verifyGl)) return refused;
    if (row && *row < loads_.size()) {
        // The row's stored shipment stays its own whatever the form held, so
        // the next finish takes back exactly what was booked for it.
        const DirectShipmentLoad& was = loads_[*row];
        load.shipLink = was.shipLink, load.dlLink = was.dlLink, load.stored = was.stored;
        if (load.settlementLink.empty()) load.settlementLink = was.settlementLink;
        load.ounits = was.ounits, load.storedContract = was.storedContract;
        loads_[*row] = std::move(load);
    } else
        loads_.push_back(std::move(load));
    return std::nullopt;
}

bool DirectShipmentBatch::RemoveLoad(std::size_t row) {
    if (!CanRemoveLoads() || row >= loads_.size()) return false;
    loads_.erase(loads_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

void DirectShipmentBatch::Clear() {
    header = {};
    settlementDestination.clear();
    loads_.clear();
    finishCount_ = 1;
    storedHeader_ = {};
}

void DirectShipmentBatch::Stored(std::vector<DirectShipmentLoad> loads) {
    loads_ = std::move(loads);
    storedHeader_ = header;
    ++finishCount_;
}

}  // namespace hvx::shipments
