// Find, Next and Previous over settlements of one type and over warehouse
// receipts, in key order on every engine.
#include "platform/OrderedFetch.h"
#include "support/TestDatabase.h"
#include "windows/BrowseOrders.h"

namespace {

using hvx::OrderedFetch;

class RecordBrowse : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(RecordBrowse);

std::string Walk(OrderedFetch& browse, bool (OrderedFetch::*move)()) {
    std::string keys;
    while ((browse.*move)()) keys += (*browse.Current())[0] + " ";
    return keys + "| " + (*browse.Current())[0];
}

TEST_P(RecordBrowse, RunsInKeyOrderNumbersByValue) {
    hvxtest::Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,NUMCHANGE,RECNO) VALUES "
                  "('10','1','0','0',1),('9','2','0','3',2),('100','3','0','0',3),"
                  "('2','4','0','0',4),('5','5','1','0',5),('10','6','0','0',6)");
    hvxtest::Exec("INSERT INTO HVXGR08 (CWRREF,RECNO) VALUES ('W-9',1),('w-10',2),('W-1',3)");
    OrderedFetch single(hvx::SettlementBrowse(hvx::SettlementType::SingleSource));
    OrderedFetch multiple(hvx::SettlementBrowse(hvx::SettlementType::MultipleSource));
    OrderedFetch receipts(hvx::ReceiptBrowse());
    std::string error;
    for (OrderedFetch* browse : {&single, &multiple, &receipts})
        ASSERT_TRUE(browse->Load(error)) << error;
    EXPECT_EQ(Walk(single, &OrderedFetch::Next), "2 9 10 10 100 | 100");
    EXPECT_EQ(Walk(single, &OrderedFetch::Previous), "10 10 9 2 | 2");
    EXPECT_EQ(Walk(multiple, &OrderedFetch::Previous), "5 | 5");
    EXPECT_EQ(Walk(receipts, &OrderedFetch::Next), "W-1 w-10 W-9 | W-9");
    // Equal keys run in record order; a key or number not browsed leaves the position alone.
    ASSERT_TRUE(single.Find("10") && single.Next());
    EXPECT_EQ(*single.Current(), (hvx::SqlRow{"10", "6", "0", "6"}));
    EXPECT_FALSE(single.Find("5") || single.FindRecno(5) || single.Find("1"));
    // Read again after another save, it stays on its record.
    hvxtest::Exec("INSERT INTO HVXGR04 (SETTLEMENT,STYPE,RECNO) VALUES ('99','0',7)");
    ASSERT_TRUE(single.Load(error) && single.Next()) << error;
    EXPECT_EQ((*single.Current())[0] + "/" + std::to_string(single.Count()), "99/6");
}

}  // namespace
