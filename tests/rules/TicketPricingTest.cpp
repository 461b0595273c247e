// Ticket premiums and discounts and the default prices built from them.
#include <gtest/gtest.h>

#include "rules/DefaultPrice.h"
#include "rules/TicketPricing.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Exec;

class TicketPricing : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        // MOIST is priced by schedule S1 on contract C1; C1 names a schedule
        // for FM that does not exist; TW has no schedule on C1.
        Exec("INSERT INTO HVXGR54 (COMMODITY,GRADFACT,SCHEDULE,TABLINK,STEPSIZE,DOPERCENT,RECNO) "
             "VALUES ('CORN','MOIST','S1','7','0.5','F',1)");
        Exec("INSERT INTO HVXGR54B (TABLINK,TYPE,VALUE,DISCOUNT,ADDITION,RECNO) VALUES "
             "('7','1','15.0','0.00','0.01',1),('7','1','15.5','0.02','0.01',2),"
             "('7','1','16.0','0.04','0.01',3)");
        Exec("INSERT INTO HVXGR01G (CONTRACT,GRADFACT,SCHEDULE,RECNO) VALUES "
             "('C1','MOIST','S1',1),('C1','FM','NONE',2)");
        Exec("INSERT INTO HVXGR03G (TICKETNUM,TEST,RESULT,PREMDISC,RECNO) VALUES "
             "('T100','MOIST','17.0','-0.50',1),('T100','FM','2.0','-0.25',2),"
             "('T100','TW','58','0.10',3),('T200','TW','58','0.02',4)");
        Exec("INSERT INTO HVXGR03A (ASSEMLINK,STDLINEID,SCALETICK,CONTRACT,PRICE,UNITS,RECNO) "
             "VALUES ('A1','L1','T100','C1','3.00','100',1),('A1','L2','T200','','3.11','200',2),"
             "('A2','L3','T300','','3.00','0',3)");
    }
};
HVX_DATABASE_TEST_SUITE(TicketPricing);

TEST_P(TicketPricing, ScheduleOfTheContractOrPriceOfTheTicket) {
    const struct {
        const char *ticket, *contract;
        double adjustment;
    } cases[] = {
        {"T100", "C1", -0.06 + 0 + 0.10},  // schedule, missing schedule, ticket's own
        {"T100", "", -0.50 - 0.25 + 0.10},
        {"T100", " ", -0.50 - 0.25 + 0.10},
        {"T100", "C9", -0.50 - 0.25 + 0.10},
        {"T999", "C1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ticket) + "/" + c.contract);
        EXPECT_NEAR(hvx::TicketPremiumDiscount(c.ticket, c.contract, "CORN", 3.00), c.adjustment,
                    1e-9);
    }
}

TEST_P(TicketPricing, AssemblyAndScaleTicketPrices) {
    // (3.04 x 100 + 3.13 x 200) / 300 = 3.1 exactly; rounded to 4 decimals.
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A1", "CORN"), 3.1);
    Exec("UPDATE HVXGR03A SET PRICE='3.12' WHERE STDLINEID='L2'");
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A1", "CORN"), 3.1067);  // 932/300
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A2", "CORN"), 0);       // no units at all
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A9", "CORN"), 0);
    EXPECT_DOUBLE_EQ(hvx::ScaleTicketPrice("L1", "CORN"), 3.04);
    EXPECT_DOUBLE_EQ(hvx::ScaleTicketPrice("L2", "CORN"), 3.14);
    EXPECT_DOUBLE_EQ(hvx::ScaleTicketPrice("L9", "CORN"), 0);
}

TEST_P(TicketPricing, InstallmentSaleDefaultPrice) {
    Exec("INSERT INTO HVXGR04F (DLLINK,AVGPRICE,RECNO) VALUES ('D1','3.2500',1)");
    EXPECT_EQ(hvx::InstallmentSaleDefaultPrice("D1"), "3.2500");
    EXPECT_EQ(hvx::InstallmentSaleDefaultPrice("D2"), std::nullopt);
}

}  // namespace
