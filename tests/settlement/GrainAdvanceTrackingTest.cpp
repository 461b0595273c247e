// Which deduction rows of a settlement become advance items, and how.
#include <gtest/gtest.h>

#include "platform/Format.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace {

using namespace hvx::settlement;

TEST(GrainAdvanceTracking, CollectsTheAdvanceRowsOfPaidGrain) {
    const std::vector<AdvanceLineInput> lines = {{"L1", "Assembly", "A1", "Priced"},
                                                 {"L2", "Scale Ticket", "T2", "Installment Sale"},
                                                 {"L3", "Assembly", "A1", "Storage Ticket"}};
    const std::vector<AdvanceRowInput> rows = {{"L2", 10, "D", true},  {"L1", 25.5, "D", true},
                                               {"L1", 40, "A", true},  {"L1", 99, "D", false},
                                               {"L3", 7, "D", true},   {"L1", 5.004, "D", true}};
    const struct {
        bool multiple;
        const char* destination;
        std::vector<std::string> items;
        double repayments;
    } cases[] = {
        {false, "",  // per line, in line order; the check only for grain sold outright
         {"L1|Assembly|A1|9001|-25.50", "L1|Assembly|A1|9001|40.00", "L1|Assembly|A1|9001|-5.00",
          "L2|Scale Ticket|T2||-10.00"},
         40.5},
        {true, "Priced",  // every row once, with the first line's source and no line link
         {"|Assembly|A1|9001|-10.00", "|Assembly|A1|9001|-25.50", "|Assembly|A1|9001|40.00",
          "|Assembly|A1|9001|-7.00", "|Assembly|A1|9001|-5.00"},
         47.5},
        {true, "Installment Sale",
         {"|Assembly|A1||-10.00", "|Assembly|A1||-25.50", "|Assembly|A1||40.00",
          "|Assembly|A1||-7.00", "|Assembly|A1||-5.00"},
         47.5},
        {true, "Storage Ticket", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destination);
        GrainAdvanceTrackingObject tracking;
        tracking.AddItem("old", "", "", "", -1);
        tracking.SetChosen(std::vector<double>(105, 4));
        EXPECT_EQ(tracking.Chosen().size(), 100u);
        CollectAdvanceItems({c.multiple, "9001", c.destination, lines, rows}, tracking);
        std::vector<std::string> items;
        for (const auto& i : tracking.Items())
            items.push_back(_HVXsprintf("%s|%s|%s|%s|%.2f", i.lineLink, i.source, i.sourceRef,
                                        i.checkNumber, i.amount));
        EXPECT_EQ(items, c.items);
        EXPECT_DOUBLE_EQ(tracking.RepaymentTotal(), c.repayments);  // each item to the cent
        EXPECT_FALSE(tracking.ChoseByHand() || !tracking.Chosen().empty());
    }
}

}  // namespace
