#include <gtest/gtest.h>

#include <functional>

#include "shipments/DirectShipmentBatch.h"

namespace {

using namespace hvx::shipments;
using Change = std::function<void(DirectShipmentBatch&, DirectShipmentLoad&)>;

// Each case breaks a complete load in one more way than the case after it, so
// the message shown is the first of the checks in their fixed order.
TEST(DirectShipmentBatch, AddLoadRefusesWithTheFirstFailedCheck) {
    const Change header = [](auto& b, auto&) { b.header.commodity = ""; };
    const Change reference = [](auto&, auto& l) { l.reference = " "; };
    const Change units = [](auto&, auto& l) { l.figures.netUnits = "0.00004"; };
    const Change weighDate = [](auto&, auto& l) { l.weighDate = ""; };
    const Change price = [](auto&, auto& l) { l.purchasePrice = ""; };
    const struct {
        std::vector<Change> changes;
        const char* message;
        ShipmentField field;
    } cases[] = {
        {{price, weighDate, units, reference, header}, "Commodity is required.",
         ShipmentField::Commodity},
        {{price, weighDate, units, reference}, "Shipment reference is required.",
         ShipmentField::Reference},
        {{price, weighDate, units}, "Net Units is 0.", ShipmentField::NetUnits},
        {{price, weighDate}, "Weigh date is required.", ShipmentField::WeighDate},
        {{price, [](auto& b, auto&) { b.glEntry = true; }},
         "A valid General Ledger account is required.", ShipmentField::GlAccount},
        {{price}, "Purchase Price is required.", ShipmentField::PurchasePrice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        DirectShipmentBatch batch;
        batch.header = {"03/07/2024", "CORN", "01"}, batch.settlementDestination = "Priced";
        DirectShipmentLoad load;
        load.reference = "Auto", load.figures.netUnits = "10", load.weighDate = "03/06/2024";
        load.figures.salePrice = "2.5", load.figures.grossAmt = "25.00", load.purchasePrice = "2";
        for (const Change& change : c.changes) change(batch, load);
        const auto refused = batch.AddLoad(load, std::nullopt, [](auto&...) { return false; });
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->message, c.message);
        EXPECT_EQ(refused->field, c.field);
        EXPECT_TRUE(batch.Loads().empty());
    }
}

}  // namespace
