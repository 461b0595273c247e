// The source selection over a customer's tickets and splits, and the lookups
// of what a settlement draws on, on every engine.
#include <gtest/gtest.h>

#include <optional>

#include "platform/Format.h"

#include "settlement/SettlementRecordSet.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/sources/SettleLookups.h"
#include "windows/sources/SourceSelectionController.h"

namespace hvxtest {
namespace {

using Texts = std::vector<std::string>;

// C1 delivered A1 (corn at 01: tickets 5001 with 60.0001 units still open and
// a discount of 0.02, 5002, and 5005 already settled), A2 (soybeans at 01,
// ticket 5003) and A3 (corn at 02, tickets 5004 and 5007); C2 delivered A9.
void SeedDeliveries() {
    Exec("INSERT INTO HVXGR02S (ASSEMBLY,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,SETTUNITS,"
         "SETTLED,LINEID,CONTRACT,RECNO) VALUES ('A1','CORN','01','Storage Ticket','C1','150.0000',"
         "'40.0000','F','L1','',1),('A2','SOY','01','Priced Later','C1','30.0000','0','F','L2','',2),"
         "('A3','CORN','02','Storage Ticket','C1','20.0000','0','F','L3','',3),"
         "('A9','CORN','01','Storage Ticket','C2','9.0000','0','F','L9','',4)");
    Exec("INSERT INTO HVXGR03A (SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,CONTRACT,CUSTREF,DPRSTATUS,"
         "UNITS,UNITSSET,PRICE,SETTLED,RECNO) VALUES "
         "('5001','A1','L1','S1','','C1','Storage Ticket','100.00005','40','4.0000','F',1),"
         "('5002','A1','L1','S2','','C1','Storage Ticket','50.0000','0','4.0000','F',2),"
         "('5003','A2','L2','S3','','C1','Priced Later','30.0000','0','10.0000','F',3),"
         "('5004','A3','L3','S4','','C1','Storage Ticket','20.0000','0','4.1000','F',4),"
         "('5005','A1','L1','S5','','C1','Storage Ticket','10.0000','10','4.0000','T',5),"
         "('5007','A3','L3','S7','','C1','Storage Ticket','5.0000','0','4.1000','F',7),"
         "('5009','A9','L9','S9','','C2','Storage Ticket','9.0000','0','4.0000','F',6)");
    Exec("INSERT INTO HVXGR03G (TICKETNUM,ASSEMBLY,TEST,RESULT,NETUNITS,PREMDISC,RECNO) VALUES "
         "('5001','A1','MOIST','16.0','100.0000','-0.0200',1)");
}

class SourceSelectionTest : public DatabaseTest {
protected:
    void SetUp() override { DatabaseTest::SetUp(), SeedDeliveries(); }

    hvx::SourceSelectionController& Open(const char* kind, const char* custRef = "C1") {
        controller.emplace(ui, set,
                           hvx::SourceSelectionRequest{kind, custRef, "Priced",
                                                       hvx::SettlementType::MultipleSource,
                                                       "03/07/2024"});
        controller->Fill();
        return *controller;
    }
    Texts Listed() const {
        Texts refs;
        for (const hvx::SourceRow& row : controller->Rows()) refs.push_back(row.reference);
        return refs;
    }

    ScriptedUi ui;
    hvx::settlement::SettlementRecordSet set;
    std::optional<hvx::SourceSelectionController> controller;
};

TEST_P(SourceSelectionTest, CheckingNarrowsToCommodityAndLocationAndAddsOpenUnits) {
    hvx::SourceSelectionController& c = Open("Scale Ticket");
    EXPECT_EQ(Listed(), (Texts{"5001", "5002", "5003", "5004", "5007"}));
    EXPECT_EQ(c.Rows()[0].cells[hvx::SourceSelectionGrid::kUnitsColumn], "60.0001");
    c.Check(0, true), c.Check(1, true);
    EXPECT_EQ(set.defaults.commodity + "/" + set.defaults.location, "CORN/01");
    EXPECT_EQ(Listed(), (Texts{"5001", "5002"}));
    EXPECT_EQ(c.SelectedUnitsText() + " x " + c.UnitPriceText() + " = " + c.AmountText(),
              "110.0001 x 3.9891 = 438.80");
    c.Check(1, false);
    EXPECT_EQ(Listed(), (Texts{"5001", "5002"}));  // unchecking brings nothing back
    EXPECT_EQ(c.SelectedUnitsText(), "60.0001");

    // A ticket the settlement takes is not offered again; the commodity limits a fresh list,
    // an assembly limits it whatever the commodity.
    ASSERT_TRUE(c.Ok());
    hvx::settlement::SettlementDetailItem taken;
    taken.source = "Scale Ticket", taken.sourceRef = "5002", taken.sourceLink = "S2";
    set.details.AddLine(taken);
    c.Fill();
    EXPECT_EQ(Listed(), Texts{"5001"});
    c.SetAssembly("A2"), c.LeaveAssembly();
    EXPECT_EQ(Listed(), Texts{"5003"});
    EXPECT_EQ(ui.focus, Texts{"Sources"});
    EXPECT_TRUE(ui.pickLists.empty());

    // A row checked behind rows that leave keeps the rows of its kind that follow it.
    set = {};
    Open("Scale Ticket").Check(3, true);
    EXPECT_EQ(Listed(), (Texts{"5004", "5007"}));
}

TEST_P(SourceSelectionTest, AnAssemblyNotOpenForTheCustomerOpensTheLookup) {
    hvx::SourceSelectionController& c = Open("Scale Ticket");
    ui.picks = {{0, ""}, {3, "A3"}};
    c.SetAssembly("A9"), c.LeaveAssembly();  // C2's: cancelled
    EXPECT_EQ(c.Assembly(), "");
    EXPECT_EQ(Listed().size(), 5u);
    c.SetAssembly("A"), c.LeaveAssembly();
    EXPECT_EQ(c.Assembly(), "A3");
    EXPECT_EQ(Listed(), (Texts{"5004", "5007"}));
    EXPECT_EQ(ui.pickTitles, (Texts{"Find Assembly To Settle", "Find Assembly To Settle"}));
    EXPECT_EQ(ui.pickLists.back(),
              "SELECT ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,SHAREUNITS,SETTUNITS,STR(RECNO) "
              "FROM HVXGR02S WHERE CUSTREF='C1' AND SETTLED='F'");
}

TEST_P(SourceSelectionTest, OkBuildsLinesWithTheirOwnLinksAndTicketPrices) {
    hvx::SourceSelectionController& c = Open("Scale Ticket");
    c.Check(0, true), c.Check(1, true);
    ASSERT_TRUE(c.Ok());
    Texts lines;
    for (const auto& l : set.details.Items())
        lines.push_back(l.dlLink + " " + l.source + " " + l.sourceRef + " " + l.sourceLink + " " +
                        l.fromDpr + " " + l.commodity + " " + l.location + " " + l.toDpr + " " +
                        l.glCode + " " + l.patronage + _HVXsprintf(" %.4f %.4f %.2f", l.unitsSet,
                                                                   l.priceUnit, l.totPrice));
    const std::string first = set.details.Items().front().dlLink;
    const std::string second = _HVXsprintf("%.0f", std::stod(first) + 1);
    EXPECT_EQ(lines, (Texts{first + " Scale Ticket 5001 S1 Storage Ticket CORN 01 Priced 06 T "
                                    "60.0001 3.9800 238.80",
                            second + " Scale Ticket 5002 S2 Storage Ticket CORN 01 Priced 06 T "
                                     "50.0000 4.0000 200.00"}));
    EXPECT_EQ(c.Result().linesBuilt, (Texts{first, second}));
    EXPECT_FALSE(c.Result().single);

    // One checked split is the calling window's to take: nothing is added.
    set = {};
    hvx::SourceSelectionController& splits = Open("Assembly");
    EXPECT_EQ(splits.Title(), "Select Assembly Splits to Settle");
    EXPECT_EQ(Listed(), (Texts{"A1", "A2", "A3"}));
    splits.Check(2, true);
    ASSERT_TRUE(splits.Ok());
    EXPECT_TRUE(set.details.Empty());
    ASSERT_TRUE(splits.Result().single);
    EXPECT_EQ(splits.Result().single->source.link + _HVXsprintf(" %.4f", splits.Result().single->units),
              "L3 20.0000");
}

TEST_P(SourceSelectionTest, ContractLookupsPerCategory) {
    Exec("INSERT INTO HVXGR51 (REFERENCE,DECIMALS,RECNO) VALUES ('CORN','3',1)");
    Exec("INSERT INTO HVXGR04F (SETTLEMENT,COMMODITY,LOCATION,DLLINK,OUNITS,UNITSSET,NETAMT,"
         "ISDOLUSED,RECNO) VALUES ('12','CORN','01','900','12.5','20','50','10.5',77)");
    for (const char* category : {"Priced Later", "Futures Fixed", "Minimum Priced", "Storage Ticket",
                                 "Grain Bank", "Basis Fixed", "Hedged-to-Arrive",
                                 "Installment Sale", "CCC"}) {
        SCOPED_TRACE(category);
        ui.picks = {{77, "K-1"}};
        std::string start, message;
        hvx::ContractPick pick;
        ASSERT_EQ(hvx::FindContractToSettle(ui, category, "O'B", start, pick, message),
                  hvx::LookupResult::Picked);
        EXPECT_EQ(ui.pickLists.back(),
                  std::string("SELECT CONTRACT,SETTLEMENT,COMMODITY,OUNITS,UNITSSET,STR(RECNO) FROM "
                              "HVXGR04F WHERE TODPR='") + category + "' AND CUSTREF='O''B' AND STATUS='O'");
        EXPECT_EQ(ui.pickTitles.back(), hvx::ContractLookupTitle(category));
        const bool sale = std::string(category) == "Installment Sale";
        EXPECT_EQ(pick.caption + "|" + pick.settlement + pick.location + pick.dlLink + "|" +
                      pick.openUnits + "|" + pick.settledUnits + "|" + pick.netAmt + pick.dollarsUsed,
                  std::string(category) + " : K-1|1201900|12.500|20.000|" + (sale ? "50.0010.50" : ""));
    }
    EXPECT_EQ(ui.pickTitles.front(), "Find Priced Later Contract To Settle");
    EXPECT_EQ(ui.pickTitles.back(), "Find CCC Contract To Settle");
    std::string start, message;
    hvx::ContractPick pick;
    EXPECT_EQ(hvx::FindContractToSettle(ui, "CCC", "", start, pick, message),
              hvx::LookupResult::Cancelled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text + ui.messages[0].caption,
              "No customer reference has been entered.Harvexa");
}

HVX_DATABASE_TEST_SUITE(SourceSelectionTest);

}  // namespace
}  // namespace hvxtest
