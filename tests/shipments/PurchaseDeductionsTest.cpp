#include <gtest/gtest.h>

#include "shipments/PurchaseDeductions.h"

namespace {

using hvx::shipments::PurchaseDeduction;

// "D" or "d", blanks around it ignored, deducts; any other D/A adds. Each
// amount counts to the cent, so 10.005 takes 10.01.
TEST(PurchaseDeductions, NetAmountAndTheChecksOfALine) {
    const std::vector<PurchaseDeduction> lines = {
        {"FRT", "10.005", " d ", ""}, {"PREM", "5", "A", ""}, {"CHK", "2.5", "D", "1"}};
    EXPECT_EQ(hvx::shipments::PurchaseNetAmount(1000, lines), "992.49");
    EXPECT_EQ(hvx::shipments::PurchaseNetAmount(0, {lines[2]}), "-2.50");
    for (const auto& [line, shown] :
         {std::pair{PurchaseDeduction{" ", "", "", ""},
                    "Deduction/Addition reference is required."},
          {PurchaseDeduction{"FRT", " ", "", ""}, "An amount is required."},
          {PurchaseDeduction{"FRT", "1", " ", ""}, "D/A is required."},
          {lines[1], ""}})
        EXPECT_EQ(hvx::shipments::CheckPurchaseDeduction(line).value_or(""), shown);
}

}  // namespace
