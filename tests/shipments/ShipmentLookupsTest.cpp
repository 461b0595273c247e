#include <gtest/gtest.h>

#include <tuple>

#include "shipments/DirectShipmentLoad.h"
#include "shipments/ShipmentLookups.h"
#include "support/TestDatabase.h"

using hvxtest::Exec;

namespace {

class ShipmentLookups : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(ShipmentLookups);

// The contract's price is taken before the amounts are worked out; a price
// entered is kept, and an unknown commodity gives no units.
TEST_P(ShipmentLookups, LoadsReadPoundsPerUnitAndTheContractPrice) {
    Exec("INSERT INTO HVXGR51 (REFERENCE,LBSUNIT,RECNO) VALUES ('CORN','56',1)");
    Exec("INSERT INTO HVXGR05 (CONTRACT,DELPRICE,RECNO) VALUES ('C1','2.5',1)");
    for (const auto& [commodity, price, units, amount] :
         {std::tuple{"CORN", "", "875.00", "2187.50"}, {"CORN", "3", "875.00", "2625.00"},
          {"OATS", "", "0.00", "0.00"}}) {
        hvx::shipments::DirectShipmentLoad load;
        load.contract = "C1", load.figures.salePrice = price;
        load.figures.grossWt = "50000", load.figures.dockage = "2";
        hvx::shipments::RecalculateLoad(load, commodity);
        EXPECT_EQ(load.figures.netUnits + " " + load.figures.grossAmt,
                  std::string(units) + " " + amount);
    }
}

}  // namespace
